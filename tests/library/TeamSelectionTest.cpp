// Switching teams from the menu, and the menus that open a team's folder.
#include "support/Desk.h"

#include <QDir>

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

TEST_F(TeamSelection, ASlipToATeamWithoutMusicKeepsTheDeskOnItsTeamUnlessTheFolderArrives) {
    start({{"7 Meter", {"01Tor.mp3"}}});
    QDir().mkpath(fx.dir() + QStringLiteral("/Jugend")); // a team folder without its category folders
    const QByteArray before = fx.iniBytes();
    for (int answer : {Dialogs::Cancel, Dialogs::Continue}) {
        fx.dialogs.answers = {answer};
        Operator::menu(main.get(), "mnu_Jugend");
        ASSERT_EQ(fx.dialogs.boxes.size(), 1u);
        EXPECT_EQ(fx.dialogs.boxes[0].title, QStringLiteral("Musikordner prüfen"));
        EXPECT_EQ(fx.dialogs.ends, 0);
        EXPECT_EQ(fx.iniBytes(), before);
        EXPECT_EQ(main->windowTitle(), QStringLiteral("Klangwart  Damen  TV Beispiel"));
        EXPECT_EQ(text(main.get(), "Command1_0"), QStringLiteral("Tor"));
        fx.dialogs.boxes.clear();
    }
    // "Wiederholen" checks again: the operator copies the music meanwhile, and the switch goes through.
    fx.dialogs.answers = {Dialogs::TryAgain};
    fx.dialogs.onBox = [this] { fx.makeTeam(QStringLiteral("Jugend"), {{"7 Meter", {"01Jugend.mp3"}}}); };
    Operator::menu(main.get(), "mnu_Jugend");
    EXPECT_EQ(fx.readIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft")),
              QStringLiteral("Jugend"));
    EXPECT_EQ(text(main.get(), "Command1_0"), QStringLiteral("Jugend"));
    EXPECT_EQ(fx.dialogs.ends, 0);
}

TEST_F(TeamSelection, TheNewTeamsFadeTimeAndRestLevelAreInEffectOnThePanelAndInTheTips) {
    fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), QStringLiteral("1"),
                         QStringLiteral("5"));
    fx.writeTeamSettings(QStringLiteral("Männer"), QStringLiteral("12632256"), QStringLiteral("3"),
                         QStringLiteral("30"));
    fx.writeTeamSettings(QStringLiteral("Jugend"), QStringLiteral("12632256"), QString(), QString());
    fx.makeTeam(QStringLiteral("Männer"));
    fx.makeTeam(QStringLiteral("Jugend"));
    start();
    const std::tuple<const char*, int, int, const char*, const char*> teams[] = {
        {"mnu_Männer", 4, 3000, "3", "30"}, {"mnu_Jugend", 0, 0, "", ""}, {"mnu_Damen", 12, 500, "1", "5"}};
    for (auto [menu, step, rest, zeit, vol] : teams) {
        SCOPED_TRACE(menu);
        Operator::menu(main.get(), QString::fromUtf8(menu));
        EXPECT_EQ(main->settings().iFadeStep, step);
        EXPECT_EQ(main->settings().iAnsageVol, rest);
        EXPECT_EQ(text(main.get(), "Label10"), QString::fromLatin1(zeit));
        EXPECT_EQ(text(main.get(), "Label12"), QString::fromLatin1(vol));
        EXPECT_EQ(Operator::find(main.get(), "Command2")->toolTip(), QString::fromLatin1(zeit) + " Sec.");
        EXPECT_EQ(Operator::find(main.get(), "cmdAnsage")->toolTip(), QString::fromLatin1(vol) + " %");
    }
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
