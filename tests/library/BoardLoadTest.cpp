// The board load: titles on their runs with captions, colours and headings, start offsets seeded, the limits
// of the categories, and the folder checks with their answers.
#include "support/Desk.h"

#include <QDir>
#include <QFile>

namespace {

using BoardLoad = Desk;

VbButton* button(const QWidget* w, int i) {
    return qobject_cast<VbButton*>(Operator::button(w, i));
}

TEST_F(BoardLoad, CaptionsRunsColoursAndHeadings) {
    QStringList tormusik = DeskFixture::numbered(14);
    start({{"7 Meter", {"02Tor.mp3", "01Siebenmeter.mp3"}},
           {"Auszeit", {"01.mp3", "02Pause.mp3"}},
           {"Torwart", {".01Versteckt.mp3", "02Gut.mp3", "x.mp3"}},
           {"Tormusik", tormusik},
           {"2 Minuten", {"01A&B.mp3"}}});
    QDir().mkpath(path("Torwart", QStringLiteral("01Ordner.mp3")));
    Operator::click(main.get(), "Command5");
    const QWidget* w = main.get();
    EXPECT_EQ(button(w, 0)->caption(), QStringLiteral("Siebenmeter"));
    EXPECT_EQ(button(w, 1)->caption(), QStringLiteral("Tor"));
    EXPECT_EQ(button(w, 0)->backColor(), 12632256);
    EXPECT_TRUE(button(w, 0)->isEnabled());
    for (int i : {2, 14, 23, 29, 36, 52, 132})
        EXPECT_TRUE(button(w, i)->isHidden()) << i;
    // Six characters or fewer leave the button hidden; the next name lands on the next button. Hidden files
    // and folders are no titles.
    EXPECT_TRUE(button(w, 53)->isHidden());
    EXPECT_EQ(button(w, 54)->caption(), QStringLiteral("Pause"));
    EXPECT_EQ(button(w, 15)->caption(), QStringLiteral("Gut"));
    EXPECT_TRUE(button(w, 16)->isHidden());
    // Tormusik fills five columns of thirteen, top to bottom then left to right.
    EXPECT_EQ(button(w, 74)->caption(), QStringLiteral("Titel 14"));
    EXPECT_GT(button(w, 74)->x(), button(w, 61)->x());
    EXPECT_EQ(button(w, 74)->y(), button(w, 61)->y());
    EXPECT_EQ(button(w, 127)->caption(), QStringLiteral("A&B"));
    EXPECT_EQ(text(w, "Label1_3"), QStringLiteral("Torfrau"));
    // The fixed buttons keep their captions and take the fade button's colour.
    EXPECT_EQ(button(w, 30)->caption(), QStringLiteral("&Wischen"));
    EXPECT_EQ(button(w, 126)->backColor(), 0x00E0E0E0);
    EXPECT_EQ(Operator::find<VbButton>(w, "Command5")->backColor(), 0x00E0E0E0);
}

TEST_F(BoardLoad, SeedingAddsZeroOnlyWhereNothingIsStoredAndNewFilesAtTheNextLoad) {
    fx.makeTeam(QStringLiteral("Damen"));
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
    Operator::click(main.get(), "Command5");
    EXPECT_EQ(stored(neu), QStringLiteral("0"));
    EXPECT_EQ(button(main.get(), 2)->caption(), QStringLiteral("Neu"));
}

TEST_F(BoardLoad, LimitsAtExactlyTheLimitAndOnePastAndWhatWindowsHidesDoesNotCount) {
    const std::pair<const char*, int> limits[] = {{"7 Meter", 15}, {"Torwart", 8},   {"Team Timeout", 5},
                                                  {"Auszeit", 8},  {"Tormusik", 65}, {"2 Minuten", 5}};
    // Copied from Windows, a music folder brings the files Windows keeps hidden there.
    const QStringList hidden{"Thumbs.db",  "EHTHUMBS.DB",       "desktop.ini",
                             "Folder.jpg", "AlbumArtSmall.jpg", "AlbumArt_{4711}_Large.jpg"};
    for (auto [category, limit] : limits) {
        SCOPED_TRACE(category);
        for (const int files : {limit, limit + 1}) {
            DeskFixture desk;
            desk.makeTeam(QStringLiteral("Damen"),
                          {{QString::fromUtf8(category), DeskFixture::numbered(files) + hidden}});
            const auto w = desk.startMain();
            const QString folder = desk.dir() + QStringLiteral("/Damen/") + QString::fromUtf8(category) + '/';
            if (files == limit) {
                EXPECT_TRUE(desk.dialogs.boxes.empty());
                EXPECT_EQ(desk.dialogs.ends, 0);
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
            ASSERT_EQ(desk.launcher.started.size(), 1u);
            EXPECT_EQ(desk.launcher.started[0].second, QStringList{folder});
            EXPECT_EQ(desk.dialogs.ends, 1);
        }
    }
}

TEST_F(BoardLoad, TenThousandFilesStopAtTheRunAndTellAtOnce) {
    fx.makeTeam(QStringLiteral("Damen"));
    for (int i = 0; i < 10000; ++i)
        QFile(path("Tormusik", QStringLiteral("%1Titel.mp3").arg(i, 5, 10, QLatin1Char('0'))))
            .open(QIODevice::WriteOnly);
    main = fx.startMain();
    EXPECT_EQ(fx.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fx.dialogs.ends, 1);
    EXPECT_FALSE(button(main.get(), 125)->isHidden());
    EXPECT_TRUE(button(main.get(), 127)->isHidden()); // nothing beyond the run was touched
}

TEST_F(BoardLoad, MissingTeamFolderOffersTryAgainThatReallyTriesAgain) {
    fx.setIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft"), QStringLiteral("Jugend"));
    fx.dialogs.answers = {Dialogs::TryAgain, Dialogs::TryAgain};
    fx.dialogs.onBox = [this] {
        if (fx.dialogs.boxes.size() == 2) // the operator copies the folder while the second box is open
            fx.makeTeam(QStringLiteral("Jugend"), {{"7 Meter", {"01Tor.mp3"}}});
    };
    main = fx.startMain();
    ASSERT_EQ(fx.dialogs.boxes.size(), 2u);
    EXPECT_EQ(fx.dialogs.boxes[0].text,
              "Sie müssen den Musikordner Jugend nach " + fx.dir() + QStringLiteral("/Jugend kopieren!"));
    EXPECT_EQ(fx.dialogs.boxes[0].title, QStringLiteral("Musikordner prüfen"));
    EXPECT_EQ(fx.dialogs.boxes[0].style, 294);
    EXPECT_EQ(fx.dialogs.ends, 0);
    EXPECT_EQ(button(main.get(), 0)->caption(), QStringLiteral("Tor"));
}

TEST_F(BoardLoad, AMissingTeamOrCategoryFolderEndsTheProgramOnCancelOrContinue) {
    for (int answer : {Dialogs::Cancel, Dialogs::Continue}) {
        DeskFixture desk;
        desk.setIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft"), QStringLiteral("Jugend"));
        desk.dialogs.answers = {answer};
        const auto w = desk.startMain();
        EXPECT_EQ(desk.dialogs.boxes.size(), 1u);
        EXPECT_EQ(desk.dialogs.ends, 1);
        EXPECT_EQ(desk.media.commands, StopCommands);
    }
    // A team folder without one of its category folders is told the same way.
    fx.makeTeam(QStringLiteral("Damen"));
    QDir(fx.dir() + QStringLiteral("/Damen/Wischen")).removeRecursively();
    main = fx.startMain();
    ASSERT_EQ(fx.dialogs.boxes.size(), 1u);
    EXPECT_TRUE(fx.dialogs.boxes[0].text.contains(QStringLiteral("Damen/Wischen")));
    EXPECT_EQ(fx.dialogs.boxes[0].style, 294);
    EXPECT_EQ(fx.dialogs.ends, 1);
}

} // namespace
