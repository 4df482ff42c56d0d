// The board load and the team it shows: titles on their runs with captions, colours and headings, start
// offsets seeded, the limits of the categories, the folder checks with their answers, and the team menus.
#include "support/Desk.h"

#include <QDir>
#include <QFile>

namespace {

using BoardLoad = Desk;

VbButton* button(const QWidget* w, int i) {
    return Operator::find<VbButton>(w, QStringLiteral("Command1_%1").arg(i));
}

TEST_F(BoardLoad, CaptionsRunsColoursAndHeadings) {
    start({{"7 Meter", {"02Tor.mp3", "01Siebenmeter.mp3"}},
           {"Auszeit", {"01.mp3", "02Pause.mp3"}},
           {"Tormusik", DeskFixture::numbered(14)},
           {"Torwart", {"BBZwei.mp3", "aaEins.mp3"}}, // sorted without regard to case
           {"2 Minuten", {"01A&B.mp3"}}});
    const QWidget* w = main.get();
    EXPECT_EQ(button(w, 0)->caption(), QStringLiteral("Siebenmeter"));
    EXPECT_EQ(button(w, 1)->caption(), QStringLiteral("Tor"));
    EXPECT_EQ(button(w, 0)->backColor(), 12632256);
    for (int i : {2, 14, 23, 29, 36, 52, 132})
        EXPECT_TRUE(button(w, i)->isHidden()) << i;
    // Six characters or fewer leave the button hidden; the next name lands on the next button.
    EXPECT_TRUE(button(w, 53)->isHidden());
    EXPECT_EQ(button(w, 54)->caption(), QStringLiteral("Pause"));
    // Tormusik fills five columns of thirteen, top to bottom then left to right.
    EXPECT_EQ(button(w, 74)->caption(), QStringLiteral("Titel 14"));
    EXPECT_EQ(button(w, 74)->y(), button(w, 61)->y());
    EXPECT_GT(button(w, 74)->x(), button(w, 61)->x());
    EXPECT_EQ(button(w, 127)->caption(), QStringLiteral("A&B"));
    EXPECT_EQ(button(w, 15)->caption(), QStringLiteral("Eins"));
    EXPECT_EQ(text(w, "Label1_3"), QStringLiteral("Torfrau"));
    // The fixed buttons keep their captions and take the fade button's colour.
    EXPECT_EQ(button(w, 30)->caption(), QStringLiteral("&Wischen"));
    EXPECT_EQ(button(w, 126)->backColor(), 0x00E0E0E0);
}

TEST_F(BoardLoad, SeedingAddsZeroOnlyWhereNothingIsStoredAndNewFilesAtTheNextLoad) {
    store(path("7 Meter", "02Tor.mp3"), QStringLiteral("12500"));
    start({{"7 Meter", {"01Siebenmeter.mp3", "02Tor.mp3"}}, {"Einlaufen", {"01Intro.mp3", "02Zweites.mp3"}}});
    EXPECT_EQ(stored(path("7 Meter", "02Tor.mp3")), QStringLiteral("12500"));
    EXPECT_EQ(stored(path("7 Meter", "01Siebenmeter.mp3")), QStringLiteral("0"));
    // Only the first entrance title is used, so only it is seeded; an empty "Wischen" seeds its folder.
    EXPECT_EQ(stored(path("Einlaufen", "01Intro.mp3")), QStringLiteral("0"));
    EXPECT_EQ(stored(path("Einlaufen", "02Zweites.mp3")), QString());
    EXPECT_EQ(stored(path("Wischen", QString())), QStringLiteral("0"));
    const QString neu =
        fx.addFile(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QStringLiteral("03Neu.mp3"));
    EXPECT_EQ(stored(neu), QString());
    click("Command5");
    EXPECT_EQ(stored(neu), QStringLiteral("0"));
    EXPECT_EQ(button(main.get(), 2)->caption(), QStringLiteral("Neu"));
}

TEST_F(BoardLoad, LimitsAtExactlyTheLimitAndOnePastAndWhatWindowsHidesDoesNotCount) {
    // Copied from Windows, a music folder brings the files Windows keeps hidden there.
    const QStringList hidden{"Thumbs.db",  "EHTHUMBS.DB",       "desktop.ini",
                             "Folder.jpg", "AlbumArtSmall.jpg", "AlbumArt_{4711}_Large.jpg"};
    for (auto [category, limit] : {std::pair{"7 Meter", 15},
                                   {"Torwart", 8},
                                   {"Team Timeout", 5},
                                   {"Auszeit", 8},
                                   {"Tormusik", 65},
                                   {"2 Minuten", 5}}) {
        SCOPED_TRACE(category);
        for (const int files : {limit, limit + 1}) {
            DeskFixture desk;
            desk.makeTeam(QStringLiteral("Damen"),
                          {{QString::fromUtf8(category), DeskFixture::numbered(files) + hidden}});
            const auto w = desk.startMain();
            const QString folder = desk.dir() + QStringLiteral("/Damen/") + QString::fromUtf8(category) + '/';
            if (files == limit) {
                EXPECT_TRUE(desk.dialogs.boxes.empty());
                EXPECT_EQ(desk.offset(QStringLiteral("Damen"), folder + "Thumbs.db"), QString());
                continue;
            }
            ASSERT_EQ(desk.dialogs.boxes.size(), 1u);
            EXPECT_EQ(desk.dialogs.boxes[0].text,
                      "Im Ordner " + folder +
                          QStringLiteral(" befinden sich mehr als %1 Dateien !").arg(limit) +
                          QStringLiteral("\r\n\r\nDer Ordner wird geöffnet !"));
            EXPECT_EQ(desk.dialogs.boxes[0].title, QStringLiteral("Sounddaten Damen"));
            EXPECT_EQ(desk.dialogs.boxes[0].style, 64);
            EXPECT_EQ(desk.launcher.folders, QStringList{folder});
            EXPECT_EQ(desk.dialogs.ends, 1);
            EXPECT_EQ(desk.dialogs.lastStatus, 1);
        }
    }
    // Ten thousand files stop the fill at the end of the run and are told at once.
    fx.makeTeam(QStringLiteral("Damen"));
    for (int i = 0; i < 10000; ++i)
        QFile(path("Tormusik", QStringLiteral("%1Titel.mp3").arg(i, 5, 10, QLatin1Char('0'))))
            .open(QIODevice::WriteOnly);
    start();
    EXPECT_EQ(fx.dialogs.ends, 1);
    EXPECT_FALSE(button(main.get(), 125)->isHidden());
    EXPECT_TRUE(button(main.get(), 127)->isHidden());
}

TEST_F(BoardLoad, AtStartAMissingFolderEndsTheDeskUnlessWiederholenFindsIt) {
    fx.setIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft"), QStringLiteral("Jugend"));
    fx.dialogs.answers = {Dialogs::TryAgain, Dialogs::TryAgain, Dialogs::Continue};
    fx.dialogs.onBox = [this] { // the operator copies the team folder while the second box is open
        if (fx.dialogs.boxes.size() == 2)
            QDir().mkpath(fx.dir() + QStringLiteral("/Jugend"));
    };
    main = fx.startMain();
    ASSERT_EQ(fx.dialogs.boxes.size(), 3u);
    EXPECT_EQ(fx.dialogs.boxes[0].text,
              "Sie müssen den Musikordner Jugend nach " + fx.dir() + QStringLiteral("/Jugend kopieren!"));
    EXPECT_EQ(fx.dialogs.boxes[0].title, QStringLiteral("Musikordner prüfen"));
    EXPECT_EQ(fx.dialogs.boxes[0].style, 294);
    // The team folder came, its category folders did not: told the same way, and "Weiter" ends the desk.
    EXPECT_TRUE(fx.dialogs.boxes[2].text.contains(QStringLiteral("Jugend/7 Meter")));
    EXPECT_EQ(fx.dialogs.ends, 1);
    EXPECT_EQ(fx.dialogs.lastStatus, 1);
    EXPECT_EQ(fx.media.commands, StopCommands);
}

TEST_F(BoardLoad, TeamMenusSwitchTheBoardAndTheFadeSettingsButASlipKeepsTheTeam) {
    fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), QStringLiteral("1"),
                         QStringLiteral("5"));
    fx.writeTeamSettings(QStringLiteral("Männer"), QStringLiteral("16777215"), QString(), QString());
    fx.makeTeam(QStringLiteral("Männer"), {{"7 Meter", {"01Herren.mp3"}}, {"Tormusik", {"01Jubel.mp3"}}});
    start({{"7 Meter", {"01Frauen.mp3", "02Zwei.mp3"}}, {"Tormusik", {"01Tor.mp3"}}});
    press(0);
    sent();
    Operator::menu(main.get(), "mnu_Männer");
    EXPECT_EQ(fx.readIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft")),
              QStringLiteral("Männer"));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Klangwart  Männer  TV Beispiel"));
    EXPECT_EQ(text(main.get(), "Label1_3"), QStringLiteral("Torwart"));
    EXPECT_FALSE(Operator::shown(main.get(), "Command1_1"));
    EXPECT_EQ(button(main.get(), 0)->backColor(), 16777215);
    // The new team's fade settings are in effect, on the panel and in the tips; a team without any has none.
    EXPECT_EQ(main->settings().iFadeStep, 0);
    EXPECT_EQ(main->settings().iAnsageVol, 0);
    EXPECT_EQ(text(main.get(), "Label10"), QString());
    EXPECT_EQ(Operator::find(main.get(), "Command2")->toolTip(), QStringLiteral(" Sec."));
    // The title that plays goes on, and the transport area is left as it was.
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(status(), QStringLiteral("Frauen   ** PLAY **"));
    Operator::menu(main.get(), "mnu_Damen");
    EXPECT_EQ(main->settings().iFadeStep, 12);
    EXPECT_EQ(Operator::find(main.get(), "cmdAnsage")->toolTip(), QStringLiteral("5 %"));

    // A slip to a team whose music is not there or does not fit, and a "CL Screen" after a file too many was
    // copied in during the match: the settings file, the board, the caption and the music stay unless
    // "Wiederholen" finds the folder.
    QDir().mkpath(fx.dir() + QStringLiteral("/Jugend")); // without its category folders
    fx.makeTeam(QStringLiteral("Männer"), {{"Torwart", DeskFixture::numbered(9)}});
    fx.addFile(QStringLiteral("Damen"), QStringLiteral("2 Minuten"), QStringLiteral("07Frisch.mp3"));
    sent();
    const QByteArray before = fx.iniBytes();
    for (auto [action, answer, title] : {std::tuple{"mnu_Jugend", Dialogs::Cancel, "Musikordner prüfen"},
                                         {"mnu_Jugend", Dialogs::Continue, "Musikordner prüfen"},
                                         {"mnu_Männer", Dialogs::Ok, "Sounddaten Männer"},
                                         {"Command5", Dialogs::Ok, "Sounddaten Damen"}}) {
        fx.makeTeam(QStringLiteral("Damen"),
                    {{"2 Minuten", DeskFixture::numbered(action[0] == 'C' ? 6 : 0)}});
        fx.dialogs.answers = {answer};
        if (action[0] == 'C')
            click(action);
        else
            Operator::menu(main.get(), QString::fromUtf8(action));
        EXPECT_EQ(fx.dialogs.boxes.back().title, QString::fromUtf8(title)) << action;
        EXPECT_EQ(fx.iniBytes(), before);
        EXPECT_EQ(main->windowTitle(), QStringLiteral("Klangwart  Damen  TV Beispiel"));
        EXPECT_EQ(text(main.get(), "Command1_1"), QStringLiteral("Zwei"));
        EXPECT_TRUE(Operator::shown(main.get(), "Command1_0"));
        EXPECT_TRUE(sent().isEmpty());
        EXPECT_EQ(fx.dialogs.ends, 0);
    }

    fx.dialogs.answers = {Dialogs::TryAgain};
    fx.dialogs.onBox = [this] { fx.makeTeam(QStringLiteral("Jugend"), {{"7 Meter", {"01Jugend.mp3"}}}); };
    Operator::menu(main.get(), "mnu_Jugend");
    EXPECT_EQ(text(main.get(), "Command1_0"), QStringLiteral("Jugend"));
    EXPECT_EQ(fx.dialogs.ends, 0);
    // The folder menus open the team folder of the program directory.
    Operator::menu(main.get(), "mnu_DBMänner");
    EXPECT_EQ(fx.launcher.folders.back(), fx.dir() + "/Männer");
    // Where nothing can show a folder, a box names it.
    fx.launcher.canShowFolders = false;
    Operator::menu(main.get(), "mnu_DBJugend");
    EXPECT_TRUE(fx.dialogs.boxes.back().text.endsWith(fx.dir() + "/Jugend"));
}

} // namespace
