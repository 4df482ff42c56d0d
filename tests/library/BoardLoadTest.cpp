#include "app/Form1.h"
#include "console/BoardWidgets.h"
#include "widgets/ClickLabel.h"
#include "console/TransportArea.h"
#include "widgets/VbButton.h"
#include "settings/IniAccess.h"
#include "support/DeskFixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QStringList numbered(int n, const QString& stem = QStringLiteral("Titel")) {
    QStringList names;
    for (int i = 1; i <= n; ++i)
        names << QStringLiteral("%1%2 %3.mp3").arg(i, 2, 10, QLatin1Char('0')).arg(stem).arg(i);
    return names;
}

} // namespace

TEST(BoardLoad, CaptionsRunsColoursAndHeadings) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"), {{"7 Meter", {"02Tor.mp3", "01Siebenmeter.mp3"}},
                                            {"Auszeit", {"01.mp3", "02Pause.mp3"}},
                                            {"Tormusik", numbered(14)},
                                            {"Wischen", {"01Wisch.mp3"}},
                                            {"2 Minuten", {"01A&B.mp3"}}});
    auto w = desk.startMain();
    BoardWidgets& b = *w->board;
    EXPECT_EQ(b.button(0)->caption(), QStringLiteral("Siebenmeter"));
    EXPECT_EQ(b.button(1)->caption(), QStringLiteral("Tor"));
    EXPECT_EQ(b.button(0)->backColor(), 12632256);
    EXPECT_TRUE(b.button(0)->isEnabled());
    for (int i = 2; i <= 14; ++i)
        EXPECT_TRUE(b.button(i)->isHidden()) << i;
    // A six-character name leaves its button hidden; the next name lands on the next button.
    EXPECT_TRUE(b.button(53)->isHidden());
    EXPECT_EQ(b.button(54)->caption(), QStringLiteral("Pause"));
    // Tormusik fills five columns of thirteen, top to bottom then left to right.
    EXPECT_EQ(b.button(73)->caption(), QStringLiteral("Titel 13"));
    EXPECT_EQ(b.button(74)->caption(), QStringLiteral("Titel 14"));
    EXPECT_GT(b.button(74)->x(), b.button(61)->x());
    EXPECT_EQ(b.button(74)->y(), b.button(61)->y());
    EXPECT_EQ(b.button(127)->caption(), QStringLiteral("A&B"));
    EXPECT_EQ(b.Label1[3]->text(), QStringLiteral("Torfrau"));
    // The fixed buttons keep their captions and take the fade button's colour.
    EXPECT_EQ(b.button(30)->caption(), QStringLiteral("&Wischen"));
    EXPECT_EQ(b.button(126)->caption(), QStringLiteral("&Einlaufen"));
    EXPECT_EQ(b.button(126)->backColor(), w->transport->Command2->backColor());
    EXPECT_EQ(b.Command5->backColor(), 0x00E0E0E0);
    for (int i : {23, 29, 36, 52, 132})
        EXPECT_TRUE(b.button(i)->isHidden()) << i;
}

TEST(BoardLoad, SeedingAddsZeroOnlyWhereNothingIsStored) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"),
                  {{"7 Meter", {"01Siebenmeter.mp3", "02Tor.mp3"}},
                   {"Einlaufen", {"01Intro.mp3", "02Zweites.mp3", "03Drittes.mp3"}}});
    const QString offsets = desk.startOffsetFile(QStringLiteral("Damen"));
    const QString tor =
        desk.titlePath(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QStringLiteral("02Tor.mp3"));
    Ini_Write(offsets, tor, QStringLiteral("Zeit_01"), QStringLiteral("12500"));
    auto w = desk.startMain();
    EXPECT_EQ(Ini_Read(offsets, tor, QStringLiteral("Zeit_01")), QStringLiteral("12500"));
    EXPECT_EQ(Ini_Read(offsets,
                       desk.titlePath(QStringLiteral("Damen"), QStringLiteral("7 Meter"),
                                      QStringLiteral("01Siebenmeter.mp3")),
                       QStringLiteral("Zeit_01")),
              QStringLiteral("0"));
    // Only the first entrance title is used, so only it is seeded.
    const QString einlaufen = desk.dir() + QStringLiteral("/Damen/Einlaufen/");
    EXPECT_EQ(Ini_Read(offsets, einlaufen + QStringLiteral("01Intro.mp3"), QStringLiteral("Zeit_01")), "0");
    EXPECT_EQ(Ini_Read(offsets, einlaufen + QStringLiteral("02Zweites.mp3"), QStringLiteral("Zeit_01")), "");
    // A file added later is seeded at the next board load, not before.
    desk.addFile(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QStringLiteral("03Neu.mp3"));
    const QString neu =
        desk.titlePath(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QStringLiteral("03Neu.mp3"));
    EXPECT_EQ(Ini_Read(offsets, neu, QStringLiteral("Zeit_01")), "");
    w->board->Command5->click();
    EXPECT_EQ(Ini_Read(offsets, neu, QStringLiteral("Zeit_01")), "0");
    EXPECT_EQ(w->board->button(2)->caption(), QStringLiteral("Neu"));
}

TEST(BoardLoad, LimitsAtExactlyTheLimitAndOnePast) {
    struct Row {
        const char* folder;
        int limit;
    };
    for (const Row r : {Row{"7 Meter", 15}, Row{"Torwart", 8}, Row{"Team Timeout", 5}, Row{"Auszeit", 8},
                        Row{"Tormusik", 65}, Row{"2 Minuten", 5}}) {
        const QString folder = QString::fromUtf8(r.folder);
        SCOPED_TRACE(r.folder);
        {
            DeskFixture desk;
            desk.makeTeam(QStringLiteral("Damen"), {{folder, numbered(r.limit)}});
            auto w = desk.startMain();
            EXPECT_TRUE(desk.dialogs.boxes.empty());
            EXPECT_EQ(desk.dialogs.ends, 0);
        }
        DeskFixture desk;
        desk.makeTeam(QStringLiteral("Damen"), {{folder, numbered(r.limit + 1)}});
        auto w = desk.startMain();
        ASSERT_EQ(desk.dialogs.boxes.size(), 1u);
        const QString path = desk.dir() + QStringLiteral("/Damen/") + folder + QLatin1Char('/');
        EXPECT_EQ(desk.dialogs.boxes[0].text,
                  QStringLiteral("Im Ordner ") + path +
                      QStringLiteral(" befinden sich mehr als %1 Dateien !").arg(r.limit) +
                      QStringLiteral("\r\n\r\nDer Ordner wird geöffnet !"));
        EXPECT_EQ(desk.dialogs.boxes[0].title, QStringLiteral("Sounddaten Damen"));
        EXPECT_EQ(desk.dialogs.boxes[0].style, 64);
        ASSERT_EQ(desk.launcher.started.size(), 1u);
        EXPECT_EQ(desk.launcher.started[0].second, QStringList{path});
        EXPECT_EQ(desk.dialogs.ends, 1);
    }
}

TEST(BoardLoad, TenThousandFilesStopAtTheRunAndTellAtOnce) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"));
    const QString dir = desk.dir() + QStringLiteral("/Damen/Tormusik/");
    for (int i = 0; i < 10000; ++i)
        QFile(dir + QStringLiteral("%1Titel.mp3").arg(i, 5, 10, QLatin1Char('0'))).open(QIODevice::WriteOnly);
    auto w = desk.startMain();
    EXPECT_EQ(desk.dialogs.boxes.size(), 1u);
    EXPECT_EQ(desk.dialogs.ends, 1);
    EXPECT_FALSE(w->board->button(125)->isHidden());
    EXPECT_TRUE(w->board->button(127)->isHidden()); // nothing beyond the run was touched
}

TEST(BoardLoad, MissingTeamFolderOffersTryAgainThatReallyTriesAgain) {
    DeskFixture desk;
    desk.setIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft"), QStringLiteral("Jugend"));
    desk.dialogs.answers = {Dialogs::TryAgain, Dialogs::TryAgain};
    int shown = 0;
    desk.dialogs.onBox = [&] {
        if (++shown == 2) // the operator copies the folder while the second box is open
            desk.makeTeam(QStringLiteral("Jugend"), {{"7 Meter", {"01Tor.mp3"}}});
    };
    auto w = desk.startMain();
    ASSERT_EQ(desk.dialogs.boxes.size(), 2u);
    EXPECT_EQ(desk.dialogs.boxes[0].text, QStringLiteral("Sie müssen den Musikordner Jugend nach ") +
                                              desk.dir() + QStringLiteral("/Jugend kopieren!"));
    EXPECT_EQ(desk.dialogs.boxes[0].title, QStringLiteral("Musikordner prüfen"));
    EXPECT_EQ(desk.dialogs.boxes[0].style, 294);
    EXPECT_EQ(desk.dialogs.ends, 0);
    EXPECT_EQ(w->board->button(0)->caption(), QStringLiteral("Tor"));
}

TEST(BoardLoad, MissingFolderCancelOrContinueEndsTheProgram) {
    for (int answer : {Dialogs::Cancel, Dialogs::Continue}) {
        DeskFixture desk;
        desk.setIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft"), QStringLiteral("Jugend"));
        desk.dialogs.answers = {answer};
        auto w = desk.startMain();
        EXPECT_EQ(desk.dialogs.boxes.size(), 1u);
        EXPECT_EQ(desk.dialogs.ends, 1);
        EXPECT_EQ(desk.media.commands, (QStringList{"stop MyAlias", "close MyAlias"}));
    }
}

TEST(BoardLoad, MissingCategoryFolderIsToldLikeAMissingTeamFolder) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"));
    QDir(desk.dir() + QStringLiteral("/Damen/Wischen")).removeRecursively();
    auto w = desk.startMain();
    ASSERT_EQ(desk.dialogs.boxes.size(), 1u);
    EXPECT_TRUE(desk.dialogs.boxes[0].text.contains(QStringLiteral("Damen/Wischen")));
    EXPECT_EQ(desk.dialogs.boxes[0].style, 294);
    EXPECT_EQ(desk.dialogs.ends, 1);
}

TEST(BoardLoad, HiddenFilesFoldersAndShortNamesAreNotTitles) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"),
                  {{"Torwart", {".01Versteckt.mp3", "02Gut.mp3", "03.mp3", "x.mp3"}}});
    QDir().mkpath(desk.dir() + QStringLiteral("/Damen/Torwart/01Ordner.mp3"));
    auto w = desk.startMain();
    EXPECT_EQ(w->File[1], (QStringList{"02Gut.mp3", "03.mp3", "x.mp3"}));
    EXPECT_EQ(w->board->button(15)->caption(), QStringLiteral("Gut"));
    EXPECT_TRUE(w->board->button(16)->isHidden());
    EXPECT_TRUE(w->board->button(17)->isHidden()); // shorter than six characters: hidden, no crash
}
