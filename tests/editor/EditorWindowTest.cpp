// The start-time editor as a window: the sound button, Stop, Pause and Resume with the stopwatch, its board
// load, leaving, showing again and closing it, and the one media alias it shares with the main console.
#include "EditorHarness.h"

#include "about/AboutBoxHolder.h"
#include "widgets/ClickLabel.h"

#include <QScrollBar>

namespace {

using EditorWindow = EditorHarness;
const QStringList StopCommands{QStringLiteral("stop MyAlias"), QStringLiteral("close MyAlias")};
const QString IdleCaption = QStringLiteral("Titeleditor:  Startzeitpunkt editieren.");
const QString EditingTor = QStringLiteral(" Bearbeiten von :   Tor");

TEST_F(EditorWindow, SoundButtonOpensTheTitleForEditing) {
    EXPECT_EQ(hidden(), Idle);
    store(torPath(), QStringLiteral("12500"));
    e->HScroll1->setValue(300);
    press(Tor);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(torPath(), QStringLiteral("12500")));
    EXPECT_EQ(e->HScroll1->value(), 10000);
    EXPECT_EQ(e->windowTitle(), EditingTor);
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 0"));
    EXPECT_EQ(e->frm_Fein->LBL_Slider->text(), QStringLiteral("Startzeit: 12,5 sec."));
    EXPECT_EQ(hidden(), Playing);
    // Wischen is named without its access key.
    press(BoardWidgets::Wischen);
    EXPECT_EQ(e->windowTitle(), QStringLiteral(" Bearbeiten von :   Wischen"));
    // Button 55 starts exactly at its stored offset here; the main console starts it 1.5 s earlier.
    const QString drei = path("Auszeit", "03Drei.mp3");
    store(drei, QStringLiteral("10000"));
    desk.media.takeCommands();
    press(55);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(drei, QStringLiteral("10000")));
    pressMain(55);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(drei, QStringLiteral("8500")));
}

TEST_F(EditorWindow, MissingOrBrokenOffsetLeavesTheTitleEditableFromZero) {
    // The editor's board load neither seeds offsets nor sets the window caption.
    const QString neu =
        desk.addFile(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QStringLiteral("03Neu.mp3"));
    click(e->board->Command5);
    EXPECT_EQ(stored(neu), QString());
    EXPECT_EQ(e->windowTitle(), IdleCaption);
    press(2);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(neu, QStringLiteral("0")));
    for (const char* value : {"abc", "12.5", "99999999999"}) {
        store(torPath(), QString::fromLatin1(value));
        press(Tor);
        EXPECT_EQ(desk.media.takeCommands(), playFrom(torPath(), QStringLiteral("0"))) << value;
        ticks(3);
        click(e->cmd_Speichern);
        EXPECT_EQ(stored(torPath()), QStringLiteral("3000")) << value;
    }
}

TEST_F(EditorWindow, StopwatchHoldsWhilePausedGoesOnAfterResumeAndStopZeroesIt) {
    press(Tor);
    ticks(10);
    desk.media.takeCommands();
    click(t().cmd5);
    EXPECT_EQ(desk.media.takeCommands(), QStringList{"pause MyAlias"});
    EXPECT_EQ(e->windowTitle(), QStringLiteral(" Pause von :   Tor"));
    EXPECT_EQ(statusFore(), QColor(Qt::red));
    EXPECT_EQ(hidden(), Paused);
    EXPECT_FALSE(timer4().tick());

    click(t().cmd6);
    EXPECT_EQ(desk.media.takeCommands(), QStringList{"play MyAlias"});
    EXPECT_EQ(statusFore(), QColor(Qt::black));
    EXPECT_EQ(hidden(), Playing);
    ticks(1);
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 11"));

    press(Siebter); // another title counts from zero
    ticks(1);
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Siebter    Time: 1"));
    desk.media.takeCommands();
    click(t().cmd2);
    EXPECT_EQ(desk.media.takeCommands(), StopCommands);
    EXPECT_EQ(e->windowTitle(), IdleCaption);
    EXPECT_EQ(hidden(), Idle);
    EXPECT_FALSE(timer4().tick());
}

TEST_F(EditorWindow, LeavingByMenuKeepsEverythingGoingAndBeendenStopsAnyTitle) {
    press(Tor);
    ticks(3);
    desk.media.takeCommands();
    trigger("mnuTitel_Startzeit");
    EXPECT_TRUE(e->isHidden());
    ticks(4);
    Form2* before = e;
    openEditor();
    EXPECT_EQ(e, before);
    EXPECT_FALSE(e->isHidden());
    EXPECT_TRUE(desk.media.commands.isEmpty());
    EXPECT_EQ(e->windowTitle(), EditingTor);
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 7"));
    EXPECT_EQ(hidden(), Playing);

    click(t().cmd2);
    pressMain(Siebter);
    desk.media.takeCommands();
    click(e->Command7);
    EXPECT_TRUE(e->isHidden());
    EXPECT_EQ(desk.media.takeCommands(), StopCommands);
    EXPECT_EQ(main->Label17->text(), QStringLiteral("Siebter   ** PLAY **"));
    openEditor();
    // "Beenden" hid itself; it stays hidden until Stop, Reset or the panel's "X" shows it.
    EXPECT_TRUE(e->Command7->isHidden());
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
    EXPECT_EQ(desk.media.takeCommands(), StopCommands);
    EXPECT_EQ(desk.about.current(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main->editor(), nullptr);
    EXPECT_FALSE(main->isHidden());

    openEditor();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->windowTitle(), IdleCaption);
    EXPECT_EQ(hidden(), Idle);
    EXPECT_TRUE(e->frm_Fein->isHidden());
    EXPECT_EQ(e->frm_Fein->Slider1->value(), 20);
    EXPECT_FALSE(timer4().tick());
    EXPECT_NE(e->board->button(Tor)->backColor(), 0x0000FF00);
}

TEST_F(EditorWindow, APressInEitherWindowStopsTheOthersTitleWhichKeepsItsLook) {
    pressMain(Siebter);
    desk.media.takeCommands();
    press(Tor);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(torPath(), QStringLiteral("0")));
    EXPECT_EQ(main->Label17->text(), QStringLiteral("Siebter   ** PLAY **"));
    EXPECT_FALSE(main->transport->cmd5->isHidden());

    ticks(2);
    pressMain(Siebter);
    EXPECT_EQ(desk.media.takeCommands(), playFrom(path("7 Meter", "02Siebter.mp3"), QStringLiteral("0")));
    EXPECT_EQ(e->windowTitle(), EditingTor);
    EXPECT_EQ(hidden(), Playing);
    ticks(1);
    EXPECT_EQ(e->Text1->text(), QStringLiteral("Tor    Time: 3"));
}

} // namespace
