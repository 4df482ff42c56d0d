// The pacing of a ramp on the desk's clock: when each pass is applied, how late passes catch up, how often
// the bar is repainted, and that the ramp takes exactly passes x pass time.
#include "volume/RampPacer.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

namespace {

struct Recorded {
    std::vector<int> levels;
    std::vector<std::int64_t> at;
    std::vector<std::int64_t> repaints;
};

class RampPacerTest : public ::testing::Test {
  protected:
    void run(const std::vector<int>& levels, std::int64_t passUs, std::function<void(int)> extra = {}) {
        RampPacer pacer(
            clock,
            [&](int level) {
                rec.levels.push_back(level);
                rec.at.push_back(clock.now);
                if (extra)
                    extra(level);
            },
            [&] { rec.repaints.push_back(clock.now); });
        start = clock.now;
        pacer.run(levels, passUs * static_cast<std::int64_t>(levels.size()));
    }

    FakeClock clock;
    Recorded rec;
    std::int64_t start = 0;
};

TEST_F(RampPacerTest, EachPassHasItsOwnMoment) {
    const std::vector<int> levels{10000, 9988, 9976, 9964};
    run(levels, 1199);
    EXPECT_EQ(rec.levels, levels);
    ASSERT_EQ(rec.at.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(rec.at[i], start + 1199 * static_cast<std::int64_t>(i));
    // The last pass also gets its time before the ramp returns.
    EXPECT_EQ(clock.now, start + 4 * 1199);
}

TEST_F(RampPacerTest, LatePassesCatchUpInsteadOfStretchingTheRamp) {
    std::vector<int> levels;
    for (int i = 0; i < 100; ++i)
        levels.push_back(10000 - 10 * i);
    // Pass 10 costs 20 ms, as a slow repaint would.
    run(levels, 1200, [&](int level) {
        if (level == 9900)
            clock.now += 20000;
    });
    ASSERT_EQ(rec.at.size(), 100u);
    // The passes due meanwhile follow at once, and the ones after keep their original moments.
    EXPECT_EQ(rec.at[11], rec.at[10] + 20000);
    EXPECT_EQ(rec.at[12], rec.at[11]);
    EXPECT_EQ(rec.at[50], start + 50 * 1200);
    EXPECT_EQ(clock.now, start + 100 * 1200);
}

TEST_F(RampPacerTest, RepaintsAboutEveryFrameAndAtTheEnd) {
    std::vector<int> levels(834, 5000);
    run(levels, 1199);
    // One second: about sixty repaints, never two within a few milliseconds.
    EXPECT_GE(rec.repaints.size(), 55u);
    EXPECT_LE(rec.repaints.size(), 70u);
    for (std::size_t i = 1; i + 1 < rec.repaints.size(); ++i)
        EXPECT_GE(rec.repaints[i] - rec.repaints[i - 1], 15000) << i;
    // The bar shows the last level before the ramp returns.
    EXPECT_EQ(rec.repaints.back(), rec.at.back());
}

TEST_F(RampPacerTest, EmptyRampNeitherWaitsNorPaints) {
    run({}, 1200);
    EXPECT_TRUE(rec.levels.empty());
    EXPECT_TRUE(rec.repaints.empty());
    EXPECT_EQ(clock.now, start);
    EXPECT_EQ(clock.slept, 0);
}

} // namespace
