// The fade button as the operator uses it: the levels that reach the wave output, the time the fade takes on
// the desk's clock with the event loop running, the stop it ends with, what can be clicked meanwhile, and no
// fade time.
#include "support/Desk.h"
#include "volume/Level.h"

namespace {

class FadeOut : public Desk {
  protected:
    void startWithFadeTime(const QString& zeit) {
        TearDown();
        fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), zeit, QStringLiteral("20"));
        start({{"7 Meter", {"01Anwurf.mp3", "02Abpfiff.mp3"}}});
        press(0);
        fx.waveOut.levels.clear();
        sent();
    }
    std::string transport() const {
        return shown(main.get(), {"Label17", "cmd2_0", "cmd5", "cmd6", "Command2", "cmdAnsage",
                                  "ProgressBar1", "ProgressBar2", "Shape2"});
    }
    bool enabled(const char* name) const { return Operator::find(main.get(), name)->isEnabled(); }
};

TEST_F(FadeOut, PassesLevelsAndPacingFollowTheFadeTimeWhileTheDeskGoesOnAndItEndsLikeStop) {
    for (auto [seconds, passes, lastUnits] : {std::tuple{1, 834u, 4}, {2, 1251u, 0}, {3, 2501u, 0}}) {
        SCOPED_TRACE(seconds);
        startWithFadeTime(QString::number(seconds));
        std::int64_t stoppedAt = 0;
        fx.media.answer = [&](const QString& c) {
            if (c == QLatin1String("stop MyAlias"))
                stoppedAt = fx.clock.now;
            return 0;
        };
        int barBehind = 0;
        fx.clock.onAdvance = [&](std::int64_t) {
            barBehind += barValue(main.get(), "ProgressBar1") != main->level().value();
        };
        const std::int64_t before = fx.clock.now;
        click("Command2");
        // The click returns at once; meanwhile Pause and the announcement wait, Stop and the board do not.
        EXPECT_EQ(fx.clock.now, before);
        EXPECT_FALSE(enabled("cmd5") || enabled("cmdAnsage") || enabled("Command2"));
        EXPECT_TRUE(enabled("cmd2_0") && enabled("Command1_1"));
        fx.ticks.advance(seconds * 1000000 + 50000);
        fx.clock.onAdvance = nullptr;
        fx.media.answer = nullptr;

        ASSERT_EQ(fx.waveOut.levels.size(), passes);
        EXPECT_EQ(fx.waveOut.levels.front(), 0xFFFFFFFFu);
        EXPECT_EQ(fx.waveOut.levels.back(), Level::packed(lastUnits));
        EXPECT_EQ(barBehind, 0);
        // Neither the fade nor its stop restores the level.
        EXPECT_EQ(main->level().value(), lastUnits);
        EXPECT_NEAR((stoppedAt - before) / 1e6, seconds, seconds * 0.02);
        EXPECT_EQ(sent(), StopCommands);
        EXPECT_EQ(transport(), "000000000");
        EXPECT_TRUE(enabled("cmd5") && enabled("cmdAnsage"));
        // Off the board: Space after a fade starts no title.
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        EXPECT_TRUE(sent().isEmpty());
    }
}

TEST_F(FadeOut, APressOrStopEndsTheFadeAtOnceAndTheEditorsStopwatchGoesOn) {
    startWithFadeTime(QStringLiteral("2"));
    openEditor();
    press(1, editor); // the editor's title and stopwatch
    press(0);         // the main console takes the title over; the editor keeps counting
    click("Command2");
    fx.ticks.advance(300000);
    press(1);
    EXPECT_EQ(fx.waveOut.levels.back(), 0xFFFFFFFFu);
    EXPECT_EQ(sent().last(), QStringLiteral("play MyAlias from 0"));
    const std::size_t after = fx.waveOut.levels.size();
    fx.ticks.advance(3000000);
    EXPECT_EQ(fx.waveOut.levels.size(), after) << "the old fade touched the level again";
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_TRUE(Operator::find(main.get(), "cmd5")->isEnabled());
    EXPECT_EQ(editor->stopwatch().Titel(), QStringLiteral("3"));
    // Stop in either window ends a fade the same way.
    for (QWidget* window : {static_cast<QWidget*>(main.get()), static_cast<QWidget*>(editor)}) {
        press(0);
        click("Command2");
        fx.ticks.advance(300000);
        Operator::click(window, "cmd2_0");
        const std::size_t stopped = fx.waveOut.levels.size();
        fx.ticks.advance(3000000);
        EXPECT_EQ(fx.waveOut.levels.size(), stopped);
    }
}

TEST_F(FadeOut, WithoutAFadeTimeTheButtonStopsAtOnceWithoutTouchingTheLevel) {
    // Missing, not a number, and numbers that are no fade time.
    for (const char* zeit : {"", "zwei", "4", "0"}) {
        SCOPED_TRACE(zeit);
        startWithFadeTime(QString::fromLatin1(zeit));
        click("Command2");
        EXPECT_TRUE(fx.waveOut.levels.empty());
        EXPECT_EQ(main->level().value(), 10000);
        EXPECT_EQ(sent(), StopCommands);
    }
}

} // namespace
