// The about box from either console, its texts and ways to close it, and the system information launcher.
#include "about/GermanTexts.h"
#include "about/SysInfo.h"
#include "about/frmAbout.h"
#include "support/Desk.h"

#include <QTextBrowser>

namespace {

using AboutBox = Desk;

TEST_F(AboutBox, ShowsVersionClubAndWarningAndClosesWithOkOrEsc) {
    start();
    for (const bool byEsc : {false, true}) {
        Operator::menu(main.get(), "mnu_Info");
        frmAbout* box = fx.about.current();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Steuerung zur Hallenklangwart"));
        EXPECT_EQ(text(box, "lblTitle"), QStringLiteral("Klangwartsoftware"));
        EXPECT_EQ(text(box, "lblVersion_0"), QStringLiteral("Version 3.0.4"));
        EXPECT_EQ(text(box, "lblVersion_5"), QStringLiteral("TV Beispiel"));
        EXPECT_EQ(text(box, "lblDisclaimer"),
                  QStringLiteral(
                      "Warnung: Der Hersteller trägt keine Verantwortung für die genutzten Musiktitel."));
        if (byEsc)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            Operator::click(box, "cmdOK");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(fx.about.current(), nullptr);
    }
    // From the editor the club label keeps its design text.
    Operator::menu(openEditor(), "mnu_Info");
    EXPECT_EQ(text(fx.about.current(), "lblVersion_5"), QStringLiteral("Verein"));
}

TEST_F(AboutBox, F1ShowsTheGuideAndQtSpeaksGerman) {
    start();
    QTest::keyClick(main.get(), Qt::Key_F1);
    QWidget* guide = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Bedienungsanleitung"))
            guide = w;
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_TRUE(qobject_cast<QTextBrowser*>(guide)->toPlainText().startsWith(
        QStringLiteral("Klangwart – Bedienungsanleitung")));
    ASSERT_TRUE(GermanTexts::install());
    const QAction* ausblend = Operator::find<QAction>(main.get(), "mnuAusblend");
    EXPECT_EQ(ausblend->shortcut().toString(QKeySequence::NativeText), QStringLiteral("Strg+A"));
}

TEST(SysInfo, WithoutAToolTheOperatorIsToldSo) {
    RecordingDialogs dialogs;
    RecordingLauncher launcher;
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    EXPECT_FALSE(StartSysInfo(dialogs, launcher));
    qputenv("PATH", oldPath);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, QStringLiteral("Systeminformationen sind momentan nicht verfügbar"));
    EXPECT_TRUE(launcher.started.empty());
    // How the Windows build reads the tool's registry values: a number as signed decimal, text without its
    // NUL.
    QString v;
    EXPECT_TRUE(registryValueText(4, QByteArray("\x00\x00\x00\x80", 4), v));
    EXPECT_EQ(v, QStringLiteral("-2147483648"));
    EXPECT_TRUE(registryValueText(1, QByteArray("C:\\msinfo32.exe\0", 16), v));
    EXPECT_EQ(v, QStringLiteral("C:\\msinfo32.exe"));
}

} // namespace
