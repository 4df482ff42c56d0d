// Start-up and shutdown of the main console: what it reads from the settings file, how it looks before the
// first press, and how it ends.
#include "support/Desk.h"

#include <QMenuBar>

namespace {

using Startup = Desk;

TEST_F(Startup, FadeTimeAndRestVolumeBecomeStepsLevelsAndTooltips) {
    struct Row {
        const char* zeit;
        const char* vol;
        int step;
        int level;
    };
    // The choices, nothing usable, and hand-edited numbers.
    for (const Row r : {Row{"1", "5", 12, 500}, Row{"3", "30", 4, 3000}, Row{"", "", 0, 0},
                        Row{"7", "abc", 0, 0}, Row{"2", "12.5", 8, 1250}, Row{"2", "250", 8, 10000}}) {
        SCOPED_TRACE(r.zeit + std::string("/") + r.vol);
        DeskFixture desk;
        desk.makeTeam(QStringLiteral("Damen"));
        desk.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), r.zeit, r.vol);
        const auto w = desk.startMain();
        EXPECT_EQ(w->settings().iFadeStep, r.step);
        EXPECT_EQ(w->settings().iAnsageVol, r.level);
        EXPECT_EQ(Operator::find(w.get(), "Command2")->toolTip(), QString::fromUtf8(r.zeit) + " Sec.");
        EXPECT_EQ(Operator::find(w.get(), "cmdAnsage")->toolTip(), QString::fromUtf8(r.vol) + " %");
    }
}

TEST_F(Startup, LevelFullTransportHiddenCaptionAndFonts) {
    fx.setIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft"), QStringLiteral("Jugend"));
    fx.makeTeam(QStringLiteral("Jugend"));
    main = fx.startMain();
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Klangwart  Jugend  TV Beispiel"));
    EXPECT_EQ(main->level().value(), 10000);
    ASSERT_FALSE(fx.waveOut.levels.empty());
    EXPECT_EQ(fx.waveOut.levels.front(), 0xFFFFFFFFu);
    EXPECT_EQ(shown(main.get(), {"cmd2_0", "cmd5", "cmd6"}), "000");
    // Arial 10, not bold, on the board; the fixed buttons at 18 and the status line at 26 points, whatever
    // the screen fit did before.
    const QFont title = Operator::button(main.get(), 131)->font();
    EXPECT_EQ(title.family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(title.pointSizeF(), 10);
    EXPECT_FALSE(title.bold());
    for (const char* fixed : {"Command1_30", "Command1_126", "Command5"})
        EXPECT_DOUBLE_EQ(Operator::find(main.get(), fixed)->font().pointSizeF(), 18) << fixed;
    EXPECT_EQ(Operator::find(main.get(), "Command5")->font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(Operator::find(main.get(), "Label17")->font().pointSizeF(), 26);
    EXPECT_DOUBLE_EQ(Operator::find(main.get(), "Label1_2")->font().pointSizeF(), 16);
    QStringList menus;
    for (QAction* a : main->menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&Datei", "&Bearbeiten", "&Format", "&Titel Startzeit", "", "&?"}));
    EXPECT_TRUE(fx.dialogs.boxes.empty());
}

TEST_F(Startup, BoldAndUnreadableLookFallBackSoundly) {
    fx.setIni(QStringLiteral("Damen_Font_Style"), QStringLiteral("Bold"), QStringLiteral("True"));
    fx.setIni(QStringLiteral("Damen_Font_Style"), QStringLiteral("Size"), QStringLiteral("11,25"));
    fx.setIni(QStringLiteral("Damen_BUTTON_COLOR"), QStringLiteral("FARBE"), QStringLiteral("grau"));
    fx.setIni(QStringLiteral("Damen_Hintergrund_Bild"), QStringLiteral("MetaFile"),
              QStringLiteral("/fehlt.bmp"));
    start({{"7 Meter", {"01Siebenmeter.mp3"}}});
    auto* b = qobject_cast<VbButton*>(Operator::button(main.get(), 0));
    EXPECT_TRUE(b->font().bold());
    EXPECT_DOUBLE_EQ(b->font().pointSizeF(), 11.25);
    // A colour that is no number paints the buttons in the button face instead of failing the load.
    EXPECT_EQ(b->backColor(), static_cast<std::int32_t>(0x8000000F));
    EXPECT_FALSE(b->isHidden());
    EXPECT_FALSE(Operator::shown(main.get(), "Picture"));
}

TEST_F(Startup, BeendenStopsTheTitleClosesTheAboutBoxAndEnds) {
    start({{"7 Meter", {"01Tor.mp3"}}});
    Operator::menu(main.get(), "mnu_Info");
    ASSERT_NE(fx.about.current(), nullptr);
    openEditor();
    press(0);
    sent();
    Operator::menu(main.get(), "mnuBeenden");
    EXPECT_EQ(sent(), StopCommands);
    EXPECT_EQ(fx.about.current(), nullptr);
    EXPECT_EQ(fx.dialogs.ends, 1);
}

TEST_F(Startup, ClosingTheWindowStopsTheTitleWithoutEndingAtOnce) {
    start();
    Operator::menu(main.get(), "mnu_Info");
    main->close();
    EXPECT_EQ(sent(), StopCommands);
    EXPECT_EQ(fx.about.current(), nullptr);
    EXPECT_EQ(fx.dialogs.ends, 0);
    EXPECT_FALSE(main->isVisible());
}

} // namespace
