// Start-up and shutdown of the main console: what it reads from the settings file, how it looks before the
// first press, what it clears away or tells before that, and how it ends.
#include "support/Desk.h"

#include <QDir>

namespace {

using Startup = Desk;

TEST_F(Startup, LevelFullTransportHiddenCaptionAndFontsWhateverTheScreenFitDid) {
    fx.setIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft"), QStringLiteral("Jugend"));
    // A fade time of hand-edited decimals, a rest volume above 100 %: kept within the 16-bit level.
    fx.writeTeamSettings(QStringLiteral("Jugend"), QStringLiteral("12632256"), QStringLiteral("2.0"),
                         QStringLiteral("250"));
    fx.makeTeam(QStringLiteral("Jugend"));
    main = fx.startMain();
    EXPECT_EQ(main->settings().iFadeStep, 8);
    EXPECT_EQ(main->settings().iAnsageVol, 10000);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Klangwart  Jugend  TV Beispiel"));
    EXPECT_EQ(fx.waveOut.levels, std::vector<std::uint32_t>{0xFFFFFFFFu});
    EXPECT_EQ(shown(main.get(), {"cmd2_0", "cmd5", "cmd6"}), "000");
    const QFont title = Operator::button(main.get(), 131)->font();
    EXPECT_EQ(title.family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(title.pointSizeF(), 10);
    EXPECT_FALSE(title.bold());
    for (auto [name, points] :
         {std::pair{"Command1_30", 18}, {"Command5", 18}, {"Label17", 26}, {"Label1_2", 16}})
        EXPECT_DOUBLE_EQ(Operator::find(main.get(), name)->font().pointSizeF(), points) << name;
    EXPECT_TRUE(fx.dialogs.boxes.empty());
}

TEST_F(Startup, BoldAndUnreadableLookFallBackSoundly) {
    fx.setIni(QStringLiteral("Damen_Font_Style"), QStringLiteral("Bold"), QStringLiteral("True"));
    fx.setIni(QStringLiteral("Damen_Font_Style"), QStringLiteral("Size"), QStringLiteral("11,25"));
    fx.setIni(QStringLiteral("Damen_BUTTON_COLOR"), QStringLiteral("FARBE"), QStringLiteral("grau"));
    fx.setIni(QStringLiteral("Damen_Hintergrund_Bild"), QStringLiteral("MetaFile"),
              QStringLiteral("/fehlt.bmp"));
    start({{"7 Meter", {"01Siebenmeter.mp3"}}});
    auto* b = Operator::find<VbButton>(main.get(), "Command1_0");
    EXPECT_TRUE(b->font().bold());
    EXPECT_DOUBLE_EQ(b->font().pointSizeF(), 11.25);
    // A colour that is no number paints the buttons in the button face instead of failing the load.
    EXPECT_EQ(b->backColor(), static_cast<std::int32_t>(0x8000000F));
    EXPECT_FALSE(Operator::shown(main.get(), "Picture"));
    // Written as the description writes colours, it is read as such; a size that is no number is the default.
    fx.setIni(QStringLiteral("Damen_BUTTON_COLOR"), QStringLiteral("FARBE"), QStringLiteral("&H000000FF&"));
    fx.setIni(QStringLiteral("Damen_Font_Style"), QStringLiteral("Size"), QStringLiteral("groß"));
    click("Command5");
    EXPECT_EQ(b->backColor(), 0x000000FF);
    EXPECT_DOUBLE_EQ(b->font().pointSizeF(), 9.75);
}

TEST_F(Startup, ASettingsFileThatIsAFolderIsToldAsItselfUntilItIsMended) {
    fx.makeTeam(QStringLiteral("Damen"));
    QDir dir(fx.dir());
    ASSERT_TRUE(dir.rename(QStringLiteral("Klangwart.ini"), QStringLiteral("gerettet.ini")));
    ASSERT_TRUE(dir.mkdir(QStringLiteral("Klangwart.ini")));
    fx.startMain(); // given up: the program ends before anything else is looked at
    ASSERT_EQ(fx.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fx.dialogs.boxes[0].text, "Die Einstellungsdatei " + fx.iniFile() +
                                            " kann nicht gelesen werden: an ihrer Stelle liegt ein Ordner."
                                            "\r\n\r\nBitte die Datei prüfen.");
    EXPECT_EQ(fx.dialogs.ends, 1);
    // Mended while the box is up, then "Wiederholen": the desk starts as usual.
    fx.dialogs.answers = {Dialogs::Retry};
    fx.dialogs.onBox = [&] { dir.rmdir("Klangwart.ini") && dir.rename("gerettet.ini", "Klangwart.ini"); };
    EXPECT_EQ(fx.startMain()->windowTitle(), QStringLiteral("Klangwart  Damen  TV Beispiel"));
    EXPECT_EQ(fx.dialogs.ends, 1);
}

TEST_F(Startup, OnlyTheDesksOwnStaleTemporaryFilesAreRemoved) {
    const QStringList stale = {"Klangwart.ini.YlsViB", "Damen.ini.zXuoxB", "Männer.ini.VmItMw"};
    const QStringList kept = {"Klangwart.ini.bak", "Klangwart.ini.YlsVi1", "Damen.ini.zXuoxBB",
                              "Fremd.ini.zXuoxB",  "klangwart.ini.YlsViB", "Damen.mp3.zXuoxB"};
    for (const QString& name : stale + kept)
        fx.addFile(QStringLiteral("."), QStringLiteral("."), name);
    fx.makeTeam(QStringLiteral("Männer")); // every team folder's start-offset file is the desk's
    start();
    const QDir dir(fx.dir());
    for (const QString& name : stale)
        EXPECT_FALSE(dir.exists(name)) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_TRUE(dir.exists(name)) << name.toStdString();
}

TEST_F(Startup, BeendenStopsTheTitleClosesTheAboutBoxAndEndsAndClosingOnlyStops) {
    start({{"7 Meter", {"01Tor.mp3"}}});
    for (const bool byMenu : {false, true}) {
        Operator::menu(main.get(), "mnu_Info");
        press(0);
        sent();
        if (byMenu)
            Operator::menu(main.get(), "mnuBeenden");
        else
            main->close();
        EXPECT_EQ(sent(), StopCommands);
        EXPECT_EQ(fx.about.current(), nullptr);
        EXPECT_EQ(fx.dialogs.ends, byMenu ? 1 : 0);
    }
}

} // namespace
