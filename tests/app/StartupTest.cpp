// Start-up and shutdown of the main console: what it reads from the settings file, how it looks before the
// first press, and how it ends.
#include "support/Desk.h"

namespace {

using Startup = Desk;

TEST_F(Startup, HandEditedFadeTimesAndRestVolumesGiveStepsLevelsAndTooltips) {
    // A number with decimals, one that is no fade time, a rest volume that is no number, one above 100 %.
    for (auto [zeit, vol, step, level] :
         {std::tuple{"2", "12.5", 8, 1250}, {"7", "abc", 0, 0}, {"3", "250", 4, 10000}}) {
        SCOPED_TRACE(zeit);
        DeskFixture desk;
        desk.makeTeam(QStringLiteral("Damen"));
        desk.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), zeit, vol);
        const auto w = desk.startMain();
        EXPECT_EQ(w->settings().iFadeStep, step);
        EXPECT_EQ(w->settings().iAnsageVol, level);
        EXPECT_EQ(Operator::find(w.get(), "Command2")->toolTip(), QString::fromUtf8(zeit) + " Sec.");
        EXPECT_EQ(Operator::find(w.get(), "cmdAnsage")->toolTip(), QString::fromUtf8(vol) + " %");
    }
}

TEST_F(Startup, LevelFullTransportHiddenCaptionAndFontsWhateverTheScreenFitDid) {
    fx.setIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft"), QStringLiteral("Jugend"));
    fx.makeTeam(QStringLiteral("Jugend"));
    main = fx.startMain();
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Klangwart  Jugend  TV Beispiel"));
    EXPECT_EQ(main->level().value(), 10000);
    EXPECT_EQ(fx.waveOut.levels.front(), 0xFFFFFFFFu);
    EXPECT_EQ(shown(main.get(), {"cmd2_0", "cmd5", "cmd6"}), "000");
    const QFont title = Operator::button(main.get(), 131)->font();
    EXPECT_EQ(title.family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(title.pointSizeF(), 10);
    EXPECT_FALSE(title.bold());
    for (auto [name, points] : {std::pair{"Command1_30", 18},
                                {"Command1_126", 18},
                                {"Command5", 18},
                                {"Label17", 26},
                                {"Label1_2", 16}})
        EXPECT_DOUBLE_EQ(Operator::find(main.get(), name)->font().pointSizeF(), points) << name;
    EXPECT_EQ(Operator::find(main.get(), "Command5")->font().family(), QStringLiteral("Arial"));
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
    // Written as the description writes colours, it is read as such.
    fx.setIni(QStringLiteral("Damen_BUTTON_COLOR"), QStringLiteral("FARBE"), QStringLiteral("&H000000FF&"));
    click("Command5");
    EXPECT_EQ(b->backColor(), 0x000000FF);
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
