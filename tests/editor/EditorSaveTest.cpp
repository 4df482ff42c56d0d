// Saving and resetting a title's start offset in the start-time editor, by the stopwatch and by the slider,
// and the main console playing what was saved at its very next press.
#include "EditorDesk.h"

namespace {

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
