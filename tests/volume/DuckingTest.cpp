// The announcement button as the operator uses it: the duck and restore ramps that reach the wave output for
// each rest level, their time on the desk's clock, and the button's look and the controls shown meanwhile.
#include "support/ConsoleDesk.h"
#include "volume/Level.h"

namespace {

class Ducking : public ConsoleDesk {
  protected:
    // Clicks the announcement button: the levels it applied; tookUs the time it took on the desk's clock.
    std::vector<std::uint32_t> clickAnsage() {
        fx.waveOut.levels.clear();
        const std::int64_t before = fx.clock.now;
        press(t().cmdAnsage);
        tookUs = fx.clock.now - before;
        return fx.waveOut.levels;
    }
    void expectDucked(bool ducked) {
        EXPECT_EQ(t().cmdAnsage->caption(), ducked ? QStringLiteral("Musik") : QStringLiteral("Ansage"));
        EXPECT_EQ(t().cmdAnsage->backColor(), ducked ? 0x0000FF00 : 0x00E0E0E0);
        EXPECT_EQ(t().Command2->isVisible(), !ducked);
        EXPECT_EQ(t().ProgressBar1->isVisible(), !ducked);
        EXPECT_TRUE(t().ProgressBar2->isVisible());
    }
    std::int64_t tookUs = 0;
};

struct DuckRow {
    int percent;
    std::size_t duckPasses;
    std::size_t restorePasses;
    int restored;
};

class DuckTable : public Ducking, public ::testing::WithParamInterface<DuckRow> {};

TEST_P(DuckTable, DuckAndRestoreFollowTheRestLevel) {
    const DuckRow row = GetParam();
    const int rest = row.percent * 100;
    start(QStringLiteral("2"), QString::number(row.percent));
    play();
    std::vector<std::uint32_t> duck, restore;
    for (int i = 10000; i >= rest; i -= 10)
        duck.push_back(Level::packed(i));
    for (int i = rest; i <= 10000; i += 15)
        restore.push_back(Level::packed(i));
    ASSERT_EQ(duck.size(), row.duckPasses);
    ASSERT_EQ(restore.size(), row.restorePasses);

    EXPECT_EQ(clickAnsage(), duck);
    EXPECT_EQ(tookUs, static_cast<std::int64_t>(row.duckPasses) * 1200);
    EXPECT_EQ(form->HScroll1->value(), rest);
    EXPECT_EQ(t().ProgressBar2->value(), rest);
    expectDucked(true);

    EXPECT_EQ(clickAnsage(), restore);
    EXPECT_EQ(tookUs, static_cast<std::int64_t>(row.restorePasses) * 1200);
    EXPECT_EQ(form->HScroll1->value(), row.restored);
    expectDucked(false);
    // The restore may end short of full level; the next duck starts from full level all the same.
    EXPECT_EQ(clickAnsage().front(), 0xFFFFFFFFu);
}

INSTANTIATE_TEST_SUITE_P(RestLevels, DuckTable,
                         ::testing::Values(DuckRow{5, 951, 634, 9995}, DuckRow{10, 901, 601, 10000},
                                           DuckRow{15, 851, 567, 9990}, DuckRow{20, 801, 534, 9995},
                                           DuckRow{25, 751, 501, 10000}, DuckRow{30, 701, 467, 9990}));

TEST_F(Ducking, NewTitleWhileDuckedEndsTheDuckAtOnce) {
    start(QStringLiteral("2"), QStringLiteral("10"));
    play();
    clickAnsage();
    fx.waveOut.levels.clear();
    const std::int64_t before = fx.clock.now;
    press(form->board->button(1));
    EXPECT_EQ(fx.clock.now, before);
    EXPECT_EQ(fx.waveOut.levels, std::vector<std::uint32_t>{0xFFFFFFFFu});
    EXPECT_EQ(form->HScroll1->value(), 10000);
    EXPECT_EQ(t().ProgressBar2->value(), 10000);
    expectDucked(false);
    EXPECT_EQ(clickAnsage().size(), 901u);
}

} // namespace
