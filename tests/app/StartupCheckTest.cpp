// Before the main console reads its settings: a settings file that cannot be read is told as such (not as a
// missing music folder), and the temporary files of killed saves are cleared away, and nothing else.
#include "app/Form1.h"
#include "platform/Dialogs.h"
#include "support/DeskFixture.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(StartupCheck, ASettingsFileThatIsAFolderIsToldAsItselfUntilItIsMended) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"));
    QDir dir(desk.dir());
    ASSERT_TRUE(dir.rename(QStringLiteral("Klangwart.ini"), QStringLiteral("gerettet.ini")));
    ASSERT_TRUE(dir.mkdir(QStringLiteral("Klangwart.ini")));
    desk.startMain(); // given up at once: the program ends before anything else is looked at
    ASSERT_EQ(desk.dialogs.boxes.size(), 1u);
    EXPECT_EQ(desk.dialogs.boxes[0].text, QStringLiteral("Die Einstellungsdatei ") + desk.iniFile() +
                                              " kann nicht gelesen werden: an ihrer Stelle liegt ein Ordner."
                                              "\r\n\r\nBitte die Datei prüfen.");
    EXPECT_EQ(desk.dialogs.boxes[0].style, 0x35);
    EXPECT_EQ(desk.dialogs.ends, 1);
    // Mended while the box is up, then "Wiederholen": the desk starts as usual.
    desk.dialogs.answers = {Dialogs::Retry};
    desk.dialogs.onBox = [&] { dir.rmdir("Klangwart.ini") && dir.rename("gerettet.ini", "Klangwart.ini"); };
    EXPECT_EQ(desk.startMain()->windowTitle(), QStringLiteral("Klangwart  Damen  TV Beispiel"));
    EXPECT_EQ(desk.dialogs.boxes.size(), 2u);
    EXPECT_EQ(desk.dialogs.ends, 1);
}

TEST(StartupCheck, OnlyTheDesksOwnStaleTemporaryFilesAreRemoved) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"));
    desk.makeTeam(QStringLiteral("Männer"));
    const QStringList stale = {"Klangwart.ini.YlsViB", "Damen.ini.zXuoxB", "Männer.ini.VmItMw"};
    const QStringList kept = {"Klangwart.ini.bak", "Klangwart.ini.YlsVi1", "Damen.ini.zXuoxBB",
                              "Fremd.ini.zXuoxB",  "Damen.ini.zXuox",      "klangwart.ini.YlsViB",
                              "Damen.mp3.zXuoxB"};
    for (const QString& name : stale + kept)
        desk.addFile(QStringLiteral("."), QStringLiteral("."), name);
    QDir dir(desk.dir());
    ASSERT_TRUE(dir.mkdir(QStringLiteral("Jugend.ini.AbCdEf"))); // a folder of that name is no file of ours
    desk.startMain();
    for (const QString& name : stale)
        EXPECT_FALSE(dir.exists(name)) << name.toStdString();
    for (const QString& name : kept + QStringList{"Jugend.ini.AbCdEf", "Klangwart.ini"})
        EXPECT_TRUE(dir.exists(name)) << name.toStdString();
}
