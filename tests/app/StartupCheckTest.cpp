// Before the main console reads its settings: a settings file that cannot be read is told as such (not as a
// missing music folder), and the temporary files of killed saves are cleared away, and nothing else.
#include "app/Form1.h"
#include "platform/Dialogs.h"
#include "support/DeskFixture.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(StartupCheck, ASettingsFileThatIsAFolderIsToldAsItselfUntilItIsMended) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"));
    const QByteArray settings = [&] {
        QFile f(desk.iniFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_TRUE(QFile::remove(desk.iniFile()));
    ASSERT_TRUE(QDir().mkdir(desk.iniFile()));
    const QString told =
        QStringLiteral("Die Einstellungsdatei ") + desk.iniFile() +
        QStringLiteral(" kann nicht gelesen werden: an ihrer Stelle liegt ein Ordner.\r\n\r\n"
                       "Bitte die Datei prüfen.");
    // Given up at once: the program ends before anything else is looked at.
    desk.startMain();
    ASSERT_EQ(desk.dialogs.boxes.size(), 1u);
    EXPECT_EQ(desk.dialogs.boxes[0].text, told);
    EXPECT_EQ(desk.dialogs.boxes[0].style, 0x35);
    EXPECT_EQ(desk.dialogs.ends, 1);
    // Mended while the box is up, then "Wiederholen": the desk starts as usual.
    desk.dialogs.boxes.clear();
    desk.dialogs.answers = {Dialogs::Retry};
    desk.dialogs.onBox = [&] {
        QDir().rmdir(desk.iniFile());
        QFile f(desk.iniFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(settings) == settings.size());
    };
    const auto w = desk.startMain();
    EXPECT_EQ(desk.dialogs.boxes.size(), 1u);
    EXPECT_EQ(desk.dialogs.ends, 1);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Klangwart  Damen  TV Beispiel"));
}

TEST(StartupCheck, OnlyTheDesksOwnStaleTemporaryFilesAreRemoved) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"));
    desk.makeTeam(QStringLiteral("Männer"));
    const QStringList stale = {"Klangwart.ini.YlsViB", "Damen.ini.zXuoxB", "Männer.ini.VmItMw"};
    const QStringList kept = {"Klangwart.ini.bak",    "Klangwart.ini.YlsVi1", "Damen.ini.zXuoxBB",
                              "Fremd.ini.zXuoxB",     "Damen.ini.zXuox",      "Klangwart.ini~",
                              "klangwart.ini.YlsViB", "Damen.mp3.zXuoxB"};
    QDir dir(desk.dir());
    for (const QString& name : stale + kept)
        desk.addFile(QStringLiteral("."), QStringLiteral("."), name);
    ASSERT_TRUE(dir.mkdir(QStringLiteral("Jugend.ini.AbCdEf"))); // a folder of that name is no file of ours
    desk.startMain();
    for (const QString& name : stale)
        EXPECT_FALSE(dir.exists(name)) << name.toStdString();
    for (const QString& name : kept + QStringList{"Jugend.ini.AbCdEf", "Klangwart.ini", "Damen.ini"})
        EXPECT_TRUE(dir.exists(name)) << name.toStdString();
}

} // namespace
