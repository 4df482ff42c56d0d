#include "about/SysInfo.h"
#include "about/frmAbout.h"
#include "app/Form1.h"
#include "support/DeskFixture.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(AboutBox, ShowsVersionClubAndWarningAndClosesWithOkOrEsc) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"));
    auto w = desk.startMain();
    w->action(QStringLiteral("mnu_Info"))->trigger();
    frmAbout* box = desk.about.current();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Steuerung zur Hallenklangwart"));
    EXPECT_EQ(box->lblTitle->text(), QStringLiteral("Klangwartsoftware"));
    EXPECT_EQ(box->lblVersion0->text(), QStringLiteral("Version 3.0.4"));
    EXPECT_EQ(box->lblVersion5->text(), QStringLiteral("TV Beispiel"));
    EXPECT_EQ(
        box->lblDisclaimer->text(),
        QStringLiteral("Warnung: Der Hersteller trägt keine Verantwortung für die genutzten Musiktitel."));
    QTest::mouseClick(box->cmdOK, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(desk.about.current(), nullptr);

    w->action(QStringLiteral("mnu_Info"))->trigger();
    box = desk.about.current();
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(desk.about.current(), nullptr);
}

TEST(AboutBox, SystemInformationFallsBackToTheMessage) {
    RecordingDialogs dialogs;
    RecordingLauncher launcher;
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    EXPECT_FALSE(StartSysInfo(dialogs, launcher));
    qputenv("PATH", oldPath);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, QStringLiteral("Systeminformationen sind momentan nicht verfügbar"));
    EXPECT_EQ(dialogs.boxes[0].style, 0);
    EXPECT_TRUE(launcher.started.empty());
}

TEST(AboutBox, RegistryValuesBecomeText) {
    QString v = QStringLiteral("unchanged");
    EXPECT_TRUE(registryValueText(4, QByteArray("\x10\0\0\0", 4), v));
    EXPECT_EQ(v, QStringLiteral("16"));
    EXPECT_TRUE(registryValueText(4, QByteArray("\xFF\xFF\xFF\xFF", 4), v));
    EXPECT_EQ(v, QStringLiteral("-1"));
    EXPECT_TRUE(registryValueText(4, QByteArray("\x00\x00\x00\x80", 4), v));
    EXPECT_EQ(v, QStringLiteral("-2147483648"));
    EXPECT_TRUE(registryValueText(1, QByteArray("C:\\msinfo32.exe\0", 16), v));
    EXPECT_EQ(v, QStringLiteral("C:\\msinfo32.exe"));
    v = QStringLiteral("kept");
    EXPECT_TRUE(registryValueText(3, QByteArray("\x01\x02", 2), v));
    EXPECT_EQ(v, QStringLiteral("kept"));
    EXPECT_FALSE(registryValueText(1, QByteArray(), v));
}
