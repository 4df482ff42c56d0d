// The fade button as the operator uses it: the levels that reach the wave output, the time the fade takes on
// the desk's clock, the progress bar on the way, the stop the fade ends with, and no fade time at all.
#include "support/Desk.h"
#include "volume/Level.h"

namespace {

class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

class FadeOut : public Desk {
  protected:
    void startWithFadeTime(const QString& zeit) {
        fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), zeit, QString());
        start({{"7 Meter", {"01Anwurf.mp3", "02Abpfiff.mp3"}}});
        press(0);
        fx.waveOut.levels.clear();
        sent();
    }
    std::string transport() const {
        return shown(main.get(), {"Label17", "cmd2_0", "cmd5", "cmd6", "Command2", "cmdAnsage",
                                  "ProgressBar1", "ProgressBar2", "Shape2"});
    }
};

TEST_F(FadeOut, PassesLevelsPacingAndBarFollowTheFadeTimeAndItEndsLikeStop) {
    const std::tuple<int, std::size_t, int> rows[] = {{1, 834, 4}, {2, 1251, 0}, {3, 2501, 0}};
    for (auto [seconds, passes, lastUnits] : rows) {
        SCOPED_TRACE(seconds);
        TearDown();
        startWithFadeTime(QString::number(seconds));
        // Offscreen the window is exposed within the first event round; only an exposed window paints.
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
        auto* bar = Operator::find<QProgressBar>(main.get(), "ProgressBar1");
        PaintCounter counter;
        bar->installEventFilter(&counter);
        int barBehind = 0;
        fx.clock.onSleep = [&](std::int64_t) { barBehind += bar->value() != main->level().value(); };
        const std::int64_t before = fx.clock.now;
        click("Command2");
        fx.clock.onSleep = nullptr;

        ASSERT_EQ(fx.waveOut.levels.size(), passes);
        EXPECT_EQ(fx.waveOut.levels.front(), 0xFFFFFFFFu);
        EXPECT_EQ(fx.waveOut.levels.back(), Level::packed(lastUnits));
        // Neither the fade nor its stop restores the level.
        EXPECT_EQ(main->level().value(), lastUnits);
        EXPECT_EQ(bar->value(), lastUnits);
        EXPECT_NEAR((fx.clock.now - before) / 1e6, seconds, seconds * 0.02);
        EXPECT_EQ(sent(), StopCommands);
        EXPECT_EQ(transport(), "000000000");
        // Repainted about every 16 ms on the way, not once at the end.
        EXPECT_EQ(barBehind, 0);
        EXPECT_GE(counter.paints, 55 * seconds);
        EXPECT_LE(counter.paints, 70 * seconds + 5);
        // The next title plays at full level.
        fx.waveOut.levels.clear();
        press(1);
        EXPECT_EQ(fx.waveOut.levels, std::vector<std::uint32_t>{0xFFFFFFFFu});
        EXPECT_EQ(bar->value(), 10000);
    }
}

TEST_F(FadeOut, WithoutAFadeTimeTheButtonStopsAtOnceWithoutTouchingTheLevel) {
    // Missing, not a number, and numbers that are no fade time.
    for (const char* zeit : {"", "zwei", "4", "0"}) {
        SCOPED_TRACE(zeit);
        TearDown();
        startWithFadeTime(QString::fromLatin1(zeit));
        const std::int64_t before = fx.clock.now;
        click("Command2");
        EXPECT_TRUE(fx.waveOut.levels.empty());
        EXPECT_EQ(fx.clock.now, before);
        EXPECT_EQ(main->level().value(), 10000);
        EXPECT_EQ(sent(), StopCommands);
    }
}

} // namespace
