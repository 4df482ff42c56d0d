// The start-time editor: the sound button, Stop, Pause and Resume with the stopwatch, its board load, the
// fine panel, leaving, showing again and closing it, the one media alias it shares with the main console, and
// saving and resetting a title's start offset, which the main console plays at its very next press.
#include "support/Desk.h"

#include <QSlider>

namespace {
class EditorDesk : public Desk {
  protected:
    static constexpr int Tor = 0;     // "7 Meter" 01Tor.mp3
    static constexpr int Siebter = 1; // "7 Meter" 02Siebter.mp3

    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        start({{"7 Meter", {"01Tor.mp3", "02Siebter.mp3"}},
               {"Auszeit", {"01Eins.mp3", "02Zwei.mp3", "03Drei.mp3"}},
               {"Wischen", {"01Wisch & weg.mp3"}}});
        openEditor();
        sent();
    }
    void TearDown() override {
        Desk::TearDown();
        QLocale::setDefault(QLocale::c());
    }
    // The editor's stopwatch Timer4: n seconds pass on it.
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(fx.ticks.created.back()->tick());
    }
    bool stopwatchRuns() { return fx.ticks.created.back()->interval() > 0; }
    void pressEditor(int index) { press(index, editor); }
    void clickEditor(const char* name) { click(name, editor); }
    void menu(const char* action) { Operator::menu(editor, QString::fromLatin1(action)); }
    // Moves the slider by arrow keys, as an operator does; a slider that does not follow fails at once.
    void slideTo(int position) {
        auto* s = Operator::find<QSlider>(editor, "Slider1");
        for (int keys = 0; keys < 50 && s->value() != position; ++keys)
            QTest::keyClick(s, s->value() < position ? Qt::Key_Right : Qt::Key_Left);
        ASSERT_EQ(s->value(), position);
    }
    int slider() const { return Operator::find<QSlider>(editor, "Slider1")->value(); }
    QString torPath() const { return path("7 Meter", "01Tor.mp3"); }
    QString caption() const { return editor->windowTitle(); }
    QString statusLine() const { return text(editor, "Text1"); }
    // Beenden, status line, Speichern, Reset, Stop, Pause, Resume, frame, fade-out, announcement.
    std::string state() const {
        return shown(editor, {"Command7", "Text1", "cmd_Speichern", "cmd_Reset", "cmd2_0", "cmd5", "cmd6",
                              "Shape2", "Command2", "cmdAnsage"});
    }
    static constexpr const char* Idle = "1000000000";
    static constexpr const char* Editing = "0111110100";
    static constexpr const char* Paused = "0111101100";
    static constexpr const char* ResetDone = "1100000100";
    static inline const QString IdleCaption = QStringLiteral("Titeleditor:  Startzeitpunkt editieren.");
    static inline const QString EditingTor = QStringLiteral(" Bearbeiten von :   Tor");
};

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

class EditorSave : public EditorDesk {
  protected:
    void startTor(const QString& offset) {
        store(torPath(), offset);
        pressEditor(Tor);
    }
    void save() { clickEditor("cmd_Speichern"); }
    // The stored offset, and what both consoles play from now.
    void expectStoredAndPlayed(const QString& offset) {
        EXPECT_EQ(stored(torPath()), offset);
        sent();
        press(Tor);
        EXPECT_EQ(sent(), playFrom(torPath(), offset));
        pressEditor(Tor);
        EXPECT_EQ(sent(), playFrom(torPath(), offset));
    }
    static QString savedCaption(int seconds) {
        return QStringLiteral("Gespeichert:  Tor bei   %1 sec.").arg(seconds);
    }
};

TEST_F(EditorSave, NormalModeAddsTheStopwatchSecondsAndChangesNothingElse) {
    for (auto [start, seconds, paused, storedNow] :
         {std::tuple{"0", 12, false, "12000"}, {"1000", 7, true, "8000"}}) {
        SCOPED_TRACE(storedNow);
        startTor(QString::fromLatin1(start));
        ticks(seconds);
        if (paused)
            clickEditor("cmd5");
        sent();
        save();
        EXPECT_EQ(caption(), savedCaption(seconds));
        EXPECT_TRUE(sent().isEmpty());
        EXPECT_EQ(state(), paused ? Paused : Editing);
        EXPECT_EQ(stopwatchRuns(), !paused);
        // The start time shown stays the one the title was started with.
        EXPECT_EQ(text(editor, "LBL_Slider"),
                  QStringLiteral("Startzeit: %1 sec.").arg(QString(start).toInt() / 1000));
        expectStoredAndPlayed(QString::fromLatin1(storedNow));
    }
}

TEST_F(EditorSave, FineModeAddsTheSliderChangeFromTheStartOffsetAndANegativeOffsetIsKept) {
    for (auto [start, position, expected] : {std::tuple{"12000", 15, "11500"}, {"0", 10, "-1000"}}) {
        SCOPED_TRACE(position);
        startTor(QString::fromLatin1(start));
        ticks(4); // the stopwatch does not count in fine mode
        menu("mnu_fein");
        slideTo(position);
        save();
        EXPECT_EQ(caption(), savedCaption(4));
        EXPECT_EQ(slider(), 20);
        expectStoredAndPlayed(QString::fromLatin1(expected));
        clickEditor("Command8");
    }
    // Later saves count from the offset the title was started with, not from the value just saved.
    startTor(QStringLiteral("2000"));
    ticks(6);
    save();
    EXPECT_EQ(stored(torPath()), QStringLiteral("8000"));
    menu("mnu_fein");
    slideTo(25);
    save();
    EXPECT_EQ(stored(torPath()), QStringLiteral("2500"));
    save(); // the slider is back in the centre
    EXPECT_EQ(stored(torPath()), QStringLiteral("2000"));
}

TEST_F(EditorSave, ASaveAfterATeamSwitchGoesToTheTeamTheTitleWasOpenedWith) {
    fx.makeTeam(QStringLiteral("Männer"), {{"7 Meter", {"01Herren.mp3"}}});
    startTor(QStringLiteral("1000"));
    ticks(3);
    Operator::menu(main.get(), QStringLiteral("mnu_Männer"));
    clickEditor("Command5"); // the editor's board is the other team's now
    ASSERT_EQ(text(editor, "Command1_0"), QStringLiteral("Herren"));
    save();
    EXPECT_EQ(stored(torPath()), QStringLiteral("4000"));
    EXPECT_EQ(fx.offset(QStringLiteral("Männer"), torPath()), QString());
}

TEST_F(EditorSave, ResetWritesZeroAndStopsTheTitleButInFineModeOnlyCentresTheSlider) {
    startTor(QStringLiteral("7000"));
    ticks(2);
    menu("mnu_fein");
    slideTo(33);
    sent();
    clickEditor("cmd_Reset");
    EXPECT_EQ(slider(), 20);
    EXPECT_EQ(text(editor, "lbl_Wert"), QStringLiteral("0 sec."));
    EXPECT_EQ(stored(torPath()), QStringLiteral("7000"));
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(state(), Editing);
    EXPECT_TRUE(stopwatchRuns());

    clickEditor("Command8");
    clickEditor("cmd_Reset");
    EXPECT_EQ(sent(), StopCommands);
    EXPECT_EQ(caption(), QStringLiteral("Tor  wurde an den Liedanfang zurückgesetzt!"));
    EXPECT_EQ(statusLine(), QStringLiteral("Tor    Time: 0"));
    EXPECT_FALSE(stopwatchRuns());
    EXPECT_EQ(state(), ResetDone);
    expectStoredAndPlayed(QStringLiteral("0"));
}

} // namespace
