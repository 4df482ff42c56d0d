// The start-time editor as a window: its load, the sound button, Stop, Pause and Resume, its menus, leaving
// and closing it, and the one media alias it shares with the main console.
#include "EditorHarness.h"

#include "about/AboutBoxHolder.h"
#include "about/frmAbout.h"
#include "console/ClickLabel.h"
#include "console/ShapeRect.h"

#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>

namespace {

class EditorWindow : public EditorHarness {
  protected:
    void SetUp() override {
        EditorHarness::SetUp();
        openEditor();
        desk.media.takeCommands();
    }
    void expectHidden(std::initializer_list<QWidget*> widgets) {
        for (QWidget* w : widgets)
            EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    }
    void expectShown(std::initializer_list<QWidget*> widgets) {
        for (QWidget* w : widgets)
            EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
    }
};

} // namespace

TEST_F(EditorWindow, LoadEndsIdleWithBeendenAndTheCentredPanel) {
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Titeleditor:  Startzeitpunkt editieren."));
    EXPECT_TRUE(e->isVisible());
    expectShown({e->Command7});
    expectHidden({e->Text1, e->cmd_Speichern, e->cmd_Reset, t().cmd2, t().cmd5, t().cmd6, t().Command2,
                  t().cmdAnsage, t().Shape2, e->frm_Fein});
    EXPECT_EQ(e->frm_Fein->Slider1->value(), 20);
    EXPECT_EQ(e->frm_Fein->LBL_Slider->text(), QStringLiteral("0"));
    EXPECT_EQ(e->frm_Fein->lbl_Wert->text(), QStringLiteral("0"));
    EXPECT_EQ(e->stopwatch().Titel(), QStringLiteral("0"));
    EXPECT_FALSE(e->stopwatch().counting());
    EXPECT_EQ(t().cmd5->backColor(), 0x00FF8080);
    EXPECT_EQ(main->transport->cmd5->backColor(), 0x00E0E0E0);
    EXPECT_EQ(e->Text1->font().pointSizeF(), 26);
    EXPECT_TRUE(e->Text1->isReadOnly());
    EXPECT_EQ(e->board->button(Tor)->caption(), QStringLiteral("Tor"));
    EXPECT_FALSE(e->board->button(Tor)->isHidden());
    EXPECT_EQ(e->sMannschaft, QStringLiteral("Damen"));
    EXPECT_TRUE(e->sTitelPfad.isEmpty());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Klangwart  Damen  TV Beispiel"));
}

TEST_F(EditorWindow, MenuBarHasTheEditorsEntriesInOrder) {
    QStringList top;
    for (QAction* a : e->menuBar()->actions())
        top << a->text();
    EXPECT_EQ(top, (QStringList{"Bearbeiten", "", "&Beenden", "", "&?"}));
    QStringList sub;
    for (QAction* a : e->menuBar()->actions().first()->menu()->actions())
        sub << a->text();
    EXPECT_EQ(sub,
              (QStringList{"&Feineinstellung", QString(32, QLatin1Char('-')), "&Feineinstellung - Beenden"}));
}

TEST_F(EditorWindow, BoardLoadNeitherSeedsNorSetsTheCaption) {
    desk.addFile(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QStringLiteral("03Neu.mp3"));
    click(e->board->Command5);
    EXPECT_EQ(e->board->button(2)->caption(), QStringLiteral("Neu"));
    EXPECT_EQ(stored(path("7 Meter", "03Neu.mp3")), QString());
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Titeleditor:  Startzeitpunkt editieren."));
    // Without a stored offset the title is edited from its beginning.
    press(2);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(path("7 Meter", "03Neu.mp3"), QStringLiteral("0")));
    EXPECT_EQ(e->frm_Fein->LBL_Slider->text(), QStringLiteral("Startzeit: 0 sec."));
}

TEST_F(EditorWindow, SoundButtonOpensTheTitleForEditing) {
    store(torPath(), QStringLiteral("12500"));
    e->HScroll1->setValue(300);
    press(Tor);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(torPath(), QStringLiteral("12500")));
    EXPECT_EQ(e->HScroll1->value(), 10000);
    EXPECT_EQ(e->windowTitle(), QStringLiteral(" Bearbeiten von :   Tor"));
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 0"));
    EXPECT_EQ(statusFore(), QColor(Qt::black));
    EXPECT_EQ(e->Text1->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(e->frm_Fein->LBL_Slider->text(), QStringLiteral("Startzeit: 12,5 sec."));
    EXPECT_EQ(e->lStartPos, 12500);
    EXPECT_EQ(e->sTitelPfad, torPath());
    EXPECT_EQ(e->board->button(Tor)->backColor(), 0x0000FF00);
    expectShown({e->cmd_Speichern, e->cmd_Reset, t().cmd2, t().cmd5, t().Shape2, e->Text1});
    expectHidden({e->Command7, t().cmd6, t().Command2, t().cmdAnsage, t().ProgressBar1, t().ProgressBar2});
    EXPECT_TRUE(e->stopwatch().counting());
}

TEST_F(EditorWindow, StoredOffsetThatIsNoWholeNumberLeavesTheTitleEditableFromZero) {
    for (const char* value : {"abc", "12.5", "99999999999"}) {
        store(torPath(), QString::fromLatin1(value));
        press(Tor);
        EXPECT_EQ(desk.media.takeCommands(), playFrom(torPath(), QStringLiteral("0"))) << value;
        EXPECT_EQ(e->frm_Fein->LBL_Slider->text(), QStringLiteral("Startzeit: 0 sec.")) << value;
        ticks(3);
        click(e->cmd_Speichern);
        EXPECT_EQ(stored(torPath()), QStringLiteral("3000")) << value;
    }
}

TEST_F(EditorWindow, Button55StartsExactlyAtItsStoredOffset) {
    const QString drei = path("Auszeit", "03Drei.mp3");
    store(drei, QStringLiteral("10000"));
    press(AuszeitDrei);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(drei, QStringLiteral("10000")));
    EXPECT_EQ(e->frm_Fein->LBL_Slider->text(), QStringLiteral("Startzeit: 10 sec."));
    pressMain(AuszeitDrei);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(drei, QStringLiteral("8500")));
}

TEST_F(EditorWindow, WischenAndEinlaufenAreNamedWithoutAccessKeys) {
    press(BoardWidgets::Wischen);
    EXPECT_EQ(e->windowTitle(), QStringLiteral(" Bearbeiten von :   Wischen"));
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Wischen    Time: 0"));
    EXPECT_EQ(e->sTitelPfad, path("Wischen", "01Wisch & weg.mp3"));

    press(BoardWidgets::Einlaufen);
    EXPECT_EQ(e->windowTitle(), QStringLiteral(" Bearbeiten von :   Einlaufen"));
    EXPECT_TRUE(e->board->button(BoardWidgets::Einlaufen)->isHidden());
    EXPECT_FALSE(main->board->button(BoardWidgets::Einlaufen)->isHidden());
    // "CL Screen" brings it back and clears the played marks.
    click(e->board->Command5);
    EXPECT_FALSE(e->board->button(BoardWidgets::Einlaufen)->isHidden());
    EXPECT_NE(e->board->button(BoardWidgets::Wischen)->backColor(), 0x0000FF00);
    EXPECT_EQ(e->windowTitle(), QStringLiteral(" Bearbeiten von :   Einlaufen"));
}

TEST_F(EditorWindow, StopReturnsToIdleAndZeroesTheStopwatch) {
    press(Tor);
    ticks(4);
    desk.media.takeCommands();
    click(t().cmd2);
    EXPECT_EQ(desk.media.takeCommands(), (QStringList{"stop MyAlias", "close MyAlias"}));
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Titeleditor:  Startzeitpunkt editieren."));
    expectHidden({t().cmd2, t().cmd5, t().cmd6, t().Shape2, e->Text1, e->cmd_Speichern, e->cmd_Reset});
    expectShown({e->Command7});
    EXPECT_EQ(e->stopwatch().Titel(), QStringLiteral("0"));
    EXPECT_FALSE(timer4().tick());
    press(Siebter);
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Siebter    Time: 0"));
}

TEST_F(EditorWindow, StopwatchHoldsWhilePausedAndGoesOnAfterResume) {
    press(Tor);
    ticks(10);
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 10"));
    desk.media.takeCommands();
    click(t().cmd5);
    EXPECT_EQ(desk.media.takeCommands(), QStringList{"pause MyAlias"});
    EXPECT_EQ(e->windowTitle(), QStringLiteral(" Pause von :   Tor"));
    EXPECT_EQ(statusFore(), QColor(Qt::red));
    expectShown({t().cmd6, t().cmd2, e->cmd_Speichern, e->cmd_Reset});
    expectHidden({t().cmd5, t().Command2, t().cmdAnsage});
    EXPECT_FALSE(timer4().tick());
    EXPECT_EQ(e->stopwatch().Titel(), QStringLiteral("10"));

    click(t().cmd6);
    EXPECT_EQ(desk.media.takeCommands(), QStringList{"play MyAlias"});
    EXPECT_EQ(e->windowTitle(), QStringLiteral(" Bearbeiten von :   Tor"));
    EXPECT_EQ(statusFore(), QColor(Qt::black));
    expectShown({t().cmd5});
    expectHidden({t().cmd6, t().Command2, t().cmdAnsage, t().ProgressBar1, t().ProgressBar2});
    ticks(1);
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 11"));
}

TEST_F(EditorWindow, AnotherSoundButtonRestartsTheCount) {
    press(Tor);
    ticks(5);
    press(Siebter);
    EXPECT_EQ(e->stopwatch().Titel(), QStringLiteral("0"));
    ticks(1);
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Siebter    Time: 1"));
}

TEST_F(EditorWindow, CountStopsAt32767AndTheEditorStaysUsable) {
    press(Tor);
    ticks(32767 + 3);
    EXPECT_EQ(e->stopwatch().iTitelZeit(), 32767);
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 32767"));
    click(e->cmd_Speichern);
    EXPECT_EQ(stored(torPath()), QStringLiteral("32767000"));
    click(t().cmd5);
    click(t().cmd6);
    click(t().cmd2);
    EXPECT_EQ(e->stopwatch().iTitelZeit(), 0);
    press(Tor);
    ticks(1);
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 1"));
}

TEST_F(EditorWindow, MenuBeendenHidesTheEditorWhileTitleAndStopwatchGoOn) {
    press(Tor);
    ticks(3);
    desk.media.takeCommands();
    trigger("mnuTitel_Startzeit");
    EXPECT_TRUE(e->isHidden());
    EXPECT_TRUE(desk.media.commands.isEmpty());
    ticks(4);
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 7"));

    Form2* before = e;
    openEditor();
    EXPECT_EQ(e, before);
    EXPECT_FALSE(e->isHidden());
    EXPECT_TRUE(desk.media.commands.isEmpty());
    EXPECT_EQ(e->windowTitle(), QStringLiteral(" Bearbeiten von :   Tor"));
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 7"));
    expectShown({t().cmd5, e->cmd_Speichern});
    expectHidden({e->Command7});
    ticks(1);
    EXPECT_EQ(e->stopwatch().Titel(), QStringLiteral("8"));
}

TEST_F(EditorWindow, BeendenButtonStopsTheTitleAndHidesTheEditor) {
    press(Tor);
    click(t().cmd2);
    desk.media.takeCommands();
    click(e->Command7);
    EXPECT_TRUE(e->isHidden());
    EXPECT_EQ(desk.media.takeCommands(), (QStringList{"stop MyAlias", "close MyAlias"}));
    openEditor();
    // "Beenden" hid itself; it stays hidden until Stop, Reset or the panel's "X" shows it.
    EXPECT_TRUE(e->Command7->isHidden());
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Titeleditor:  Startzeitpunkt editieren."));
}

TEST_F(EditorWindow, BeendenButtonStopsATitleTheMainConsolePlays) {
    pressMain(Siebter);
    desk.media.takeCommands();
    click(e->Command7);
    EXPECT_EQ(desk.media.takeCommands(), (QStringList{"stop MyAlias", "close MyAlias"}));
    EXPECT_EQ(main->Label17->text(), QStringLiteral("Siebter   ** PLAY **"));
}

TEST_F(EditorWindow, SetStartAgainOnlyBringsTheShownEditorToTheFront) {
    press(Tor);
    ticks(2);
    desk.media.takeCommands();
    const std::size_t tickSources = desk.ticks.created.size();
    Form2* before = e;
    openEditor();
    EXPECT_EQ(e, before);
    EXPECT_EQ(desk.ticks.created.size(), tickSources);
    EXPECT_TRUE(desk.media.commands.isEmpty());
    EXPECT_EQ(e->stopwatch().Titel(), QStringLiteral("2"));
    EXPECT_TRUE(e->stopwatch().counting());
}

TEST_F(EditorWindow, ClosingTheFrameUnloadsAndTheNextOpeningLoadsAfresh) {
    press(Tor);
    ticks(2);
    trigger("mnu_fein");
    e->frm_Fein->Slider1->setValue(30);
    trigger("mnu_Info");
    ASSERT_NE(desk.about.current(), nullptr);
    desk.media.takeCommands();

    EXPECT_TRUE(e->close());
    EXPECT_EQ(desk.media.takeCommands(), (QStringList{"stop MyAlias", "close MyAlias"}));
    EXPECT_EQ(desk.about.current(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main->editor(), nullptr);
    EXPECT_FALSE(main->isHidden());

    openEditor();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Titeleditor:  Startzeitpunkt editieren."));
    EXPECT_TRUE(e->frm_Fein->isHidden());
    EXPECT_EQ(e->frm_Fein->Slider1->value(), 20);
    EXPECT_EQ(e->stopwatch().Titel(), QStringLiteral("0"));
    EXPECT_FALSE(timer4().tick());
    EXPECT_TRUE(e->Text1->isHidden());
    EXPECT_FALSE(e->Command7->isHidden());
    EXPECT_NE(e->board->button(Tor)->backColor(), 0x0000FF00);
}

TEST_F(EditorWindow, ClosingReadsTheTeamAgainAtTheNextOpening) {
    desk.makeTeam(QStringLiteral("Männer"), {{"7 Meter", {"01Herren.mp3"}}});
    main->mnu_Männer_Click();
    EXPECT_EQ(e->board->button(Tor)->caption(), QStringLiteral("Tor"));
    // "CL Screen" takes the team chosen in the main console.
    click(e->board->Command5);
    EXPECT_EQ(e->sMannschaft, QStringLiteral("Männer"));
    EXPECT_EQ(e->board->button(Tor)->caption(), QStringLiteral("Herren"));
    e->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    openEditor();
    EXPECT_EQ(e->board->button(Tor)->caption(), QStringLiteral("Herren"));
    press(Tor);
    const QString herren =
        desk.titlePath(QStringLiteral("Männer"), QStringLiteral("7 Meter"), QStringLiteral("01Herren.mp3"));
    ticks(2);
    click(e->cmd_Speichern);
    EXPECT_EQ(Ini_Read(desk.startOffsetFile(QStringLiteral("Männer")), herren, QStringLiteral("Zeit_01")),
              QStringLiteral("2000"));
}

TEST_F(EditorWindow, EditorPressStopsTheMainConsolesTitleWhichKeepsItsLook) {
    pressMain(Siebter);
    ASSERT_EQ(main->Label17->text(), QStringLiteral("Siebter   ** PLAY **"));
    desk.media.takeCommands();
    press(Tor);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(torPath(), QStringLiteral("0")));
    EXPECT_EQ(main->Label17->text(), QStringLiteral("Siebter   ** PLAY **"));
    EXPECT_FALSE(main->transport->cmd5->isHidden());
    EXPECT_FALSE(main->transport->cmd2->isHidden());
}

TEST_F(EditorWindow, MainPressStopsTheEditorsTitleWhoseStopwatchGoesOn) {
    press(Tor);
    ticks(2);
    desk.media.takeCommands();
    pressMain(Siebter);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(path("7 Meter", "02Siebter.mp3"), QStringLiteral("0")));
    EXPECT_EQ(e->windowTitle(), QStringLiteral(" Bearbeiten von :   Tor"));
    expectShown({t().cmd5, e->cmd_Speichern});
    ticks(1);
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 3"));
}

TEST_F(EditorWindow, InfoOpensTheAboutBoxWithoutTouchingTheClub) {
    main->mnu_Info_Click();
    ASSERT_NE(desk.about.current(), nullptr);
    desk.about.current()->lblVersion5->setText(QStringLiteral("gesetzt"));
    trigger("mnu_Info");
    ASSERT_NE(desk.about.current(), nullptr);
    EXPECT_FALSE(desk.about.current()->isHidden());
    EXPECT_EQ(desk.about.current()->lblVersion5->text(), QStringLiteral("gesetzt"));
}

TEST_F(EditorWindow, FinePanelMenusAndX) {
    trigger("mnu_fein");
    expectShown({e->frm_Fein});
    expectHidden({e->Command7});
    EXPECT_EQ(e->frm_Fein->lbl_Wert->text(), QStringLiteral("0 sec."));
    slideTo(5);
    EXPECT_EQ(e->frm_Fein->lbl_Wert->text(), QStringLiteral("-1,5 sec."));
    trigger("mnu_feinEnde");
    expectHidden({e->frm_Fein, e->Command7});
    trigger("mnu_fein");
    EXPECT_EQ(e->frm_Fein->Slider1->value(), 5);
    EXPECT_EQ(e->frm_Fein->lbl_Wert->text(), QStringLiteral("-1,5 sec."));
    click(e->frm_Fein->Command8);
    expectHidden({e->frm_Fein});
    expectShown({e->Command7});
    trigger("mnu_fein");
    EXPECT_EQ(e->frm_Fein->lbl_Wert->text(), QStringLiteral("0 sec."));
}

TEST_F(EditorWindow, MovingTheSliderChangesNeitherPlaybackNorStopwatch) {
    press(Tor);
    ticks(2);
    trigger("mnu_fein");
    desk.media.takeCommands();
    slideTo(37);
    EXPECT_TRUE(desk.media.commands.isEmpty());
    EXPECT_EQ(e->frm_Fein->lbl_Wert->text(), QStringLiteral("+ 1,7 sec."));
    EXPECT_TRUE(e->stopwatch().counting());
    ticks(1);
    EXPECT_EQ(e->stopwatch().Titel(), QStringLiteral("3"));
}
