// The announcement button as the operator uses it: the duck and restore ramps that reach the wave output for
// each rest level, their time on the desk's clock, and the button's look and the controls shown meanwhile.
#include "support/Desk.h"
#include "volume/Level.h"

namespace {

class Ducking : public Desk {
  protected:
    void startWithRestLevel(int percent) {
        TearDown();
        fx.writeTeamSettings(QStringLiteral("Damen"), QStringLiteral("12632256"), QStringLiteral("2"),
                             QString::number(percent));
        start({{"7 Meter", {"01Anwurf.mp3", "02Abpfiff.mp3"}}});
        press(0);
    }
    // Clicks the announcement button and lets the ramp run: the levels it applied; tookUs its time.
    std::vector<std::uint32_t> clickAnsage() {
        fx.waveOut.levels.clear();
        const std::int64_t before = fx.clock.now;
        click("cmdAnsage");
        EXPECT_FALSE(Operator::find(main.get(), "cmdAnsage")->isEnabled())
            << "a second click would land mid-ramp";
        while (!Operator::find(main.get(), "cmdAnsage")->isEnabled())
            fx.ticks.advance(1000);
        tookUs = fx.clock.now - before;
        return fx.waveOut.levels;
    }
    void expectDucked(bool ducked) {
        auto* b = Operator::find<VbButton>(main.get(), "cmdAnsage");
        EXPECT_EQ(b->caption(), ducked ? QStringLiteral("Musik") : QStringLiteral("Ansage"));
        EXPECT_EQ(b->backColor(), ducked ? 0x0000FF00 : 0x00E0E0E0);
        EXPECT_EQ(shown(main.get(), {"Command2", "ProgressBar1", "ProgressBar2"}), ducked ? "001" : "111");
    }
    std::int64_t tookUs = 0;
};

TEST_F(Ducking, DuckAndRestoreFollowTheRestLevel) {
    for (auto [percent, duckPasses, restorePasses, restored] : {std::tuple{5, 951u, 634u, 9995},
                                                                {10, 901u, 601u, 10000},
                                                                {15, 851u, 567u, 9990},
                                                                {30, 701u, 467u, 9990}}) {
        SCOPED_TRACE(percent);
        startWithRestLevel(percent);
        const auto duck = clickAnsage();
        ASSERT_EQ(duck.size(), duckPasses);
        EXPECT_EQ(duck.back(), Level::packed(percent * 100));
        EXPECT_NEAR(tookUs, duckPasses * 1200, 1000);
        EXPECT_EQ(main->level().value(), percent * 100);
        EXPECT_EQ(barValue(main.get(), "ProgressBar2"), percent * 100);
        expectDucked(true);

        const auto restore = clickAnsage();
        ASSERT_EQ(restore.size(), restorePasses);
        EXPECT_EQ(restore.front(), Level::packed(percent * 100));
        EXPECT_NEAR(tookUs, restorePasses * 1200, 1000);
        EXPECT_EQ(main->level().value(), restored);
        expectDucked(false);
        // The restore may end short of full level; the next duck starts from full level all the same.
        EXPECT_EQ(clickAnsage().front(), 0xFFFFFFFFu);
    }
}

TEST_F(Ducking, NewTitleWhileDuckedEndsTheDuckAtOnce) {
    startWithRestLevel(10);
    clickAnsage();
    fx.waveOut.levels.clear();
    press(1);
    EXPECT_EQ(fx.waveOut.levels, std::vector<std::uint32_t>{0xFFFFFFFFu});
    EXPECT_EQ(barValue(main.get(), "ProgressBar2"), 10000);
    expectDucked(false);
    EXPECT_EQ(clickAnsage().size(), 901u);
}

} // namespace
