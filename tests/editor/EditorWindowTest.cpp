// The start-time editor as a window: the sound button, Stop, Pause and Resume with the stopwatch, its board
// load, the fine panel, leaving, showing again and closing it, and the one media alias it shares with the
// main console.
#include "EditorDesk.h"

namespace {

using EditorWindow = EditorDesk;

TEST_F(EditorWindow, SoundButtonOpensTheTitleForEditing) {
    EXPECT_EQ(state(), Idle);
    store(torPath(), QStringLiteral("12500"));
    pressEditor(Tor);
    EXPECT_EQ(sent(), playFrom(torPath(), QStringLiteral("12500")));
    EXPECT_EQ(caption(), EditingTor);
    EXPECT_EQ(statusLine(), QStringLiteral("Tor    Time: 0"));
    EXPECT_EQ(text(editor, "LBL_Slider"), QStringLiteral("Startzeit: 12,5 sec."));
    EXPECT_EQ(state(), Editing);
    // Wischen is named without its access key.
    pressEditor(30);
    EXPECT_EQ(caption(), QStringLiteral(" Bearbeiten von :   Wischen"));
    // Button 55 starts exactly at its stored offset here; the main console starts it 1.5 s earlier.
    const QString drei = path("Auszeit", "03Drei.mp3");
    store(drei, QStringLiteral("10000"));
    sent();
    pressEditor(55);
    EXPECT_EQ(sent(), playFrom(drei, QStringLiteral("10000")));
    press(55);
    EXPECT_EQ(sent(), playFrom(drei, QStringLiteral("8500")));
    // The editor's board load neither seeds offsets nor sets the window caption; a missing or broken offset
    // leaves the title editable from its beginning.
    const QString neu =
        fx.addFile(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QStringLiteral("03Neu.mp3"));
    clickEditor("Command5");
    EXPECT_EQ(stored(neu), QString());
    EXPECT_EQ(caption(), QStringLiteral(" Bearbeiten von :   Drei"));
    pressEditor(2);
    EXPECT_EQ(sent(), playFrom(neu, QStringLiteral("0")));
}

TEST_F(EditorWindow, StopwatchHoldsWhilePausedGoesOnAfterResumeAndStopZeroesIt) {
    pressEditor(Tor);
    ticks(10);
    sent();
    clickEditor("cmd5");
    EXPECT_EQ(sent(), QStringList{"pause MyAlias"});
    EXPECT_EQ(caption(), QStringLiteral(" Pause von :   Tor"));
    EXPECT_EQ(Operator::find(editor, "Text1")->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(state(), Paused);
    EXPECT_FALSE(stopwatchRuns());
    clickEditor("cmd6");
    EXPECT_EQ(state(), Editing);
    ticks(1);
    EXPECT_EQ(statusLine(), QStringLiteral("Tor    Time: 11"));
    pressEditor(Siebter); // another title counts from zero
    ticks(1);
    EXPECT_EQ(statusLine(), QStringLiteral("Siebter    Time: 1"));
    sent();
    clickEditor("cmd2_0");
    EXPECT_EQ(sent(), StopCommands);
    EXPECT_EQ(caption(), IdleCaption);
    EXPECT_EQ(state(), Idle);
    EXPECT_FALSE(stopwatchRuns());
    // Nine hours on one title: the 16-bit count stops at its end, and the editor goes on.
    pressEditor(Tor);
    ticks(32768);
    EXPECT_EQ(statusLine(), QStringLiteral("Tor    Time: 32767"));
}

TEST_F(EditorWindow, FinePanelSliderMenusAndX) {
    menu("mnu_fein");
    EXPECT_EQ(text(editor, "lbl_Wert"), QStringLiteral("0 sec."));
    EXPECT_FALSE(Operator::shown(editor, "Command7"));
    auto* slider = Operator::find<QSlider>(editor, "Slider1");
    for (auto [key, wert] : {std::pair{Qt::Key_Left, "-0,1 sec."}, {Qt::Key_End, "+ 2 sec."}}) {
        QTest::keyClick(slider, key);
        EXPECT_EQ(text(editor, "lbl_Wert"), QString::fromUtf8(wert));
    }
    // The menu closes and keeps the position; "X" centres and shows "Beenden" again.
    menu("mnu_feinEnde");
    menu("mnu_fein");
    EXPECT_EQ(slider->value(), 40);
    clickEditor("Command8");
    EXPECT_FALSE(Operator::shown(editor, "frm_Fein"));
    EXPECT_TRUE(Operator::shown(editor, "Command7"));
    EXPECT_EQ(slider->value(), 20);
}

TEST_F(EditorWindow, LeavingByMenuKeepsEverythingGoingAndBeendenStopsAnyTitle) {
    pressEditor(Tor);
    ticks(3);
    sent();
    menu("mnuTitel_Startzeit");
    EXPECT_TRUE(editor->isHidden());
    ticks(4);
    Form2* before = editor;
    EXPECT_EQ(openEditor(), before);
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(caption(), EditingTor);
    EXPECT_EQ(statusLine(), QStringLiteral("Tor    Time: 7"));
    EXPECT_EQ(state(), Editing);
    clickEditor("cmd2_0");
    press(Siebter);
    sent();
    clickEditor("Command7");
    EXPECT_TRUE(editor->isHidden());
    EXPECT_EQ(sent(), StopCommands);
    EXPECT_EQ(status(), QStringLiteral("Siebter   ** PLAY **"));
    // "Beenden" hid itself; it stays hidden until Stop, Reset or the panel's "X" shows it.
    openEditor();
    EXPECT_FALSE(Operator::shown(editor, "Command7"));
}

TEST_F(EditorWindow, ClosingTheFrameUnloadsAndTheNextOpeningLoadsAfresh) {
    pressEditor(Tor);
    ticks(2);
    menu("mnu_fein");
    slideTo(30);
    menu("mnu_Info");
    sent();
    EXPECT_TRUE(editor->close());
    EXPECT_EQ(sent(), StopCommands);
    EXPECT_EQ(fx.about.current(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main->editor(), nullptr);
    ASSERT_NE(openEditor(), nullptr);
    EXPECT_EQ(caption(), IdleCaption);
    EXPECT_EQ(state(), Idle);
    EXPECT_EQ(slider(), 20);
}

TEST_F(EditorWindow, APressInEitherWindowStopsTheOthersTitleWhichKeepsItsLook) {
    press(Siebter);
    sent();
    pressEditor(Tor);
    EXPECT_EQ(sent(), playFrom(torPath(), QStringLiteral("0")));
    EXPECT_EQ(status(), QStringLiteral("Siebter   ** PLAY **"));
    ticks(2);
    press(Siebter);
    EXPECT_EQ(sent(), playFrom(path("7 Meter", "02Siebter.mp3"), QStringLiteral("0")));
    EXPECT_EQ(state(), Editing);
    ticks(1);
    EXPECT_EQ(statusLine(), QStringLiteral("Tor    Time: 3"));
}

} // namespace
