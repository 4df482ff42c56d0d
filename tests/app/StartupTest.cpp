#include "app/Form1.h"
#include "console/BoardWidgets.h"
#include "widgets/ClickLabel.h"
#include "console/TransportArea.h"
#include "widgets/VbButton.h"
#include "support/DeskFixture.h"

#include <QAction>
#include <QMenuBar>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

std::unique_ptr<Form1> startWith(DeskFixture& desk, const QString& zeit, const QString& vol) {
    desk.makeTeam(QStringLiteral("Damen"));
    desk.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), zeit, vol);
    return desk.startMain();
}

} // namespace

TEST(Startup, FadeTimeAndRestVolumeBecomeStepsLevelsAndTooltips) {
    struct Row {
        const char* zeit;
        const char* vol;
        int step;
        int level;
    };
    const Row rows[] = {{"1", "5", 12, 500},
                        {"2", "25", 8, 2500},
                        {"3", "30", 4, 3000},
                        // nothing usable: no fade time, no rest level
                        {"", "", 0, 0},
                        {"7", "abc", 0, 0},
                        {"2", "12.5", 8, 1250},
                        {"2", "0.125", 8, 12}};
    for (const Row& r : rows) {
        DeskFixture desk;
        auto w = startWith(desk, QString::fromUtf8(r.zeit), QString::fromUtf8(r.vol));
        SCOPED_TRACE(r.zeit + std::string("/") + r.vol);
        EXPECT_EQ(w->iFadeStep, r.step);
        EXPECT_EQ(w->iAnsageVol, r.level);
        EXPECT_EQ(w->transport->Command2->toolTip(), QString::fromUtf8(r.zeit) + QStringLiteral(" Sec."));
        EXPECT_EQ(w->transport->cmdAnsage->toolTip(), QString::fromUtf8(r.vol) + QStringLiteral(" %"));
    }
}

TEST(Startup, LevelFullTransportHiddenCaptionAndFonts) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Jugend"));
    desk.setIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft"), QStringLiteral("Jugend"));
    auto w = desk.startMain();

    EXPECT_EQ(w->sIniFile, desk.dir() + QStringLiteral("/Klangwart.ini"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Klangwart  Jugend  TV Beispiel"));
    EXPECT_EQ(w->HScroll1->value(), 10000);
    EXPECT_EQ(w->HScroll1->pageStep(), 1000);
    ASSERT_FALSE(desk.waveOut.levels.empty());
    EXPECT_EQ(desk.waveOut.levels.front(), 0xFFFFFFFFu);
    for (QWidget* t : {static_cast<QWidget*>(w->transport->cmd2), static_cast<QWidget*>(w->transport->cmd5),
                       static_cast<QWidget*>(w->transport->cmd6)})
        EXPECT_TRUE(t->isHidden());

    // Arial 10, not bold, on the board; the three fixed buttons at 18 and the status line at 26 points,
    // whatever the screen fit did before.
    EXPECT_EQ(w->board->button(0)->font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(w->board->button(0)->font().pointSizeF(), 10);
    EXPECT_FALSE(w->board->button(0)->font().bold());
    EXPECT_DOUBLE_EQ(w->board->button(131)->font().pointSizeF(), 10);
    EXPECT_DOUBLE_EQ(w->board->button(30)->font().pointSizeF(), 18);
    EXPECT_DOUBLE_EQ(w->board->button(126)->font().pointSizeF(), 18);
    EXPECT_DOUBLE_EQ(w->board->Command5->font().pointSizeF(), 18);
    EXPECT_EQ(w->board->Command5->font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(w->Label17->font().pointSizeF(), 26);
    EXPECT_DOUBLE_EQ(w->board->Label1[2]->font().pointSizeF(), 16);
    EXPECT_TRUE(desk.dialogs.boxes.empty());
}

TEST(Startup, BoldAndUnreadableLookFallBackSoundly) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"));
    desk.setIni(QStringLiteral("Damen_Font_Style"), QStringLiteral("Bold"), QStringLiteral("True"));
    desk.setIni(QStringLiteral("Damen_Font_Style"), QStringLiteral("Size"), QStringLiteral("11,25"));
    desk.setIni(QStringLiteral("Damen_BUTTON_COLOR"), QStringLiteral("FARBE"), QStringLiteral("grau"));
    desk.addFile(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QStringLiteral("01Siebenmeter.mp3"));
    auto w = desk.startMain();
    EXPECT_TRUE(w->board->button(0)->font().bold());
    EXPECT_DOUBLE_EQ(w->board->button(0)->font().pointSizeF(), 11.25);
    // A colour that is no number paints the buttons in the button face instead of failing the load.
    EXPECT_EQ(w->board->button(0)->backColor(), static_cast<std::int32_t>(0x8000000F));
    EXPECT_FALSE(w->board->button(0)->isHidden());
}

TEST(Startup, MenuBarCaptionsAndShortcuts) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"));
    auto w = desk.startMain();
    QStringList top;
    for (QAction* a : w->menuBar()->actions())
        top << a->text();
    EXPECT_EQ(top, (QStringList{"&Datei", "&Bearbeiten", "&Format", "&Titel Startzeit", "", "&?"}));
    const std::pair<const char*, const char*> entries[] = {
        {"mnu_Männer", "Ctrl+M"}, {"mnu_Damen", "Ctrl+D"},   {"mnu_Jugend", "Ctrl+N"},
        {"mnuBeenden", "Ctrl+B"}, {"mnuAusblend", "Ctrl+A"}, {"mnu_Set_Start", "Ctrl+S"},
        {"mnu_DBMänner", ""}};
    for (auto [name, key] : entries) {
        QAction* a = w->action(QString::fromUtf8(name));
        ASSERT_NE(a, nullptr) << name;
        EXPECT_EQ(a->shortcut().toString(), QString::fromUtf8(key)) << name;
    }
    EXPECT_EQ(w->action(QStringLiteral("mnuAusblend"))->text(), QStringLiteral("&Ausblend und MIC Vol"));
    EXPECT_EQ(w->action(QStringLiteral("mnu_Set_Start"))->text(), QStringLiteral("&Startzeit setzen"));
}

TEST(Shutdown, BeendenStopsTheTitleClosesTheAboutBoxAndEnds) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"), {{"7 Meter", {"01Tor.mp3"}}});
    auto w = desk.startMain();
    w->show();
    w->action(QStringLiteral("mnu_Info"))->trigger();
    ASSERT_NE(desk.about.current(), nullptr);
    w->board->button(0)->click();
    desk.media.takeCommands();
    w->action(QStringLiteral("mnuBeenden"))->trigger();
    EXPECT_EQ(desk.media.commands, (QStringList{"stop MyAlias", "close MyAlias"}));
    EXPECT_EQ(desk.about.current(), nullptr);
    EXPECT_EQ(desk.dialogs.ends, 1);
}

TEST(Shutdown, ClosingTheWindowStopsTheTitleWithoutEndingAtOnce) {
    DeskFixture desk;
    desk.makeTeam(QStringLiteral("Damen"));
    auto w = desk.startMain();
    w->show();
    desk.media.takeCommands();
    w->close();
    EXPECT_EQ(desk.media.commands, (QStringList{"stop MyAlias", "close MyAlias"}));
    EXPECT_EQ(desk.dialogs.ends, 0);
    EXPECT_FALSE(w->isVisible());
}
