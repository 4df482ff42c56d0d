#include "app/Form1.h"
#include "console/BoardWidgets.h"
#include "widgets/ClickLabel.h"
#include "console/TransportArea.h"
#include "widgets/VbButton.h"
#include "support/DeskFixture.h"

#include <QAction>
#include <gtest/gtest.h>

TEST(TeamSelection, SwitchingTeamsStoresTheTeamAndRebuildsTheBoard) {
    DeskFixture desk;
    desk.setIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft"), QStringLiteral("Männer"));
    desk.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("16777215"));
    desk.makeTeam(QStringLiteral("Männer"), {{"7 Meter", {"01Herren.mp3"}}, {"Tormusik", {"01Jubel.mp3"}}});
    desk.makeTeam(QStringLiteral("Damen"),
                  {{"7 Meter", {"01Frauen.mp3", "02Zwei.mp3"}}, {"Tormusik", {"01Tor.mp3"}}});
    auto w = desk.startMain();
    w->show();
    EXPECT_EQ(w->board->Label1[3]->text(), QStringLiteral("Torwart"));
    w->board->button(0)->click();
    desk.media.takeCommands();

    w->action(QStringLiteral("mnu_Damen"))->trigger();
    EXPECT_EQ(desk.readIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft")),
              QStringLiteral("Damen"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Klangwart  Damen  TV Beispiel"));
    EXPECT_EQ(w->board->Label1[3]->text(), QStringLiteral("Torfrau"));
    EXPECT_EQ(w->board->button(0)->caption(), QStringLiteral("Frauen"));
    EXPECT_EQ(w->board->button(1)->caption(), QStringLiteral("Zwei"));
    EXPECT_EQ(w->board->button(0)->backColor(), 16777215);
    // The title that plays goes on, and the transport area is left as it was.
    EXPECT_TRUE(desk.media.commands.isEmpty());
    EXPECT_TRUE(w->transport->cmd2->isVisible());
    EXPECT_EQ(w->Label17->text(), QStringLiteral("Herren   ** PLAY **"));

    w->action(QStringLiteral("mnu_Männer"))->trigger();
    EXPECT_EQ(desk.readIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft")),
              QStringLiteral("Männer"));
    EXPECT_TRUE(w->board->button(1)->isHidden());
    EXPECT_EQ(w->board->Label1[3]->text(), QStringLiteral("Torwart"));
}

TEST(TeamSelection, TeamWithoutFolderEndsAfterStoringTheChoice) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"));
    auto w = desk.startMain();
    w->action(QStringLiteral("mnu_Jugend"))->trigger();
    EXPECT_EQ(desk.readIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft")),
              QStringLiteral("Jugend"));
    ASSERT_EQ(desk.dialogs.boxes.size(), 1u);
    EXPECT_EQ(desk.dialogs.ends, 1);
}

TEST(TeamSelection, FolderMenusOpenTheTeamFolderOfTheProgramDirectory) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"));
    auto w = desk.startMain();
    w->action(QStringLiteral("mnu_DBMänner"))->trigger();
    w->action(QStringLiteral("mnu_DBDamen"))->trigger();
    w->action(QStringLiteral("mnu_DBJugend"))->trigger();
    ASSERT_EQ(desk.launcher.started.size(), 3u);
    EXPECT_EQ(desk.launcher.started[0].second, QStringList{desk.dir() + QStringLiteral("/Männer")});
    EXPECT_EQ(desk.launcher.started[1].second, QStringList{desk.dir() + QStringLiteral("/Damen")});
    EXPECT_EQ(desk.launcher.started[2].second, QStringList{desk.dir() + QStringLiteral("/Jugend")});
    // Nothing else changes.
    EXPECT_EQ(desk.readIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft")),
              QStringLiteral("Damen"));
}
