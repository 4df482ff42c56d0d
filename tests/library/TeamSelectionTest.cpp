// Switching teams from the menu, and the menus that open a team's folder.
#include "support/Desk.h"

namespace {

using TeamSelection = Desk;

TEST_F(TeamSelection, SwitchingTeamsStoresTheTeamAndRebuildsTheBoard) {
    fx.setIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft"), QStringLiteral("Männer"));
    fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("16777215"));
    fx.makeTeam(QStringLiteral("Männer"), {{"7 Meter", {"01Herren.mp3"}}, {"Tormusik", {"01Jubel.mp3"}}});
    start({{"7 Meter", {"01Frauen.mp3", "02Zwei.mp3"}}, {"Tormusik", {"01Tor.mp3"}}});
    EXPECT_EQ(text(main.get(), "Label1_3"), QStringLiteral("Torwart"));
    press(0);
    sent();

    Operator::menu(main.get(), "mnu_Damen");
    EXPECT_EQ(fx.readIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft")),
              QStringLiteral("Damen"));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Klangwart  Damen  TV Beispiel"));
    EXPECT_EQ(text(main.get(), "Label1_3"), QStringLiteral("Torfrau"));
    EXPECT_EQ(text(main.get(), "Command1_1"), QStringLiteral("Zwei"));
    EXPECT_EQ(qobject_cast<VbButton*>(Operator::button(main.get(), 0))->backColor(), 16777215);
    // The title that plays goes on, and the transport area is left as it was.
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(status(), QStringLiteral("Herren   ** PLAY **"));

    Operator::menu(main.get(), "mnu_Männer");
    EXPECT_EQ(fx.readIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft")),
              QStringLiteral("Männer"));
    EXPECT_FALSE(Operator::shown(main.get(), "Command1_1"));
}

TEST_F(TeamSelection, TeamWithoutFolderEndsAfterStoringTheChoice) {
    start();
    Operator::menu(main.get(), "mnu_Jugend");
    EXPECT_EQ(fx.readIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft")),
              QStringLiteral("Jugend"));
    ASSERT_EQ(fx.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fx.dialogs.ends, 1);
}

TEST_F(TeamSelection, FolderMenusOpenTheTeamFolderOfTheProgramDirectory) {
    start();
    for (const char* team : {"Männer", "Damen", "Jugend"}) {
        Operator::menu(main.get(), QStringLiteral("mnu_DB") + QString::fromUtf8(team));
        ASSERT_FALSE(fx.launcher.started.empty());
        EXPECT_EQ(fx.launcher.started.back(),
                  std::make_pair(QStringLiteral("xdg-open"),
                                 QStringList{fx.dir() + '/' + QString::fromUtf8(team)}));
    }
    EXPECT_EQ(fx.readIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft")),
              QStringLiteral("Damen"));
}

} // namespace
