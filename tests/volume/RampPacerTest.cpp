// The pacing of a ramp on the desk's clock: each pass at its own moment, late passes catching up in order
// instead of stretching the ramp, the end after the last pass has had its time, and a stop that ends it at
// once.
#include "volume/RampPacer.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

TEST(RampPacer, PassesKeepTheirMomentsLateOnesCatchUpAndStopEndsAtOnce) {
    FakeClock clock;
    FakeTickFactory ticks{clock};
    RampPacer pacer(clock, ticks);
    std::vector<std::int64_t> at;
    int ends = 0;
    const std::int64_t start = clock.now;
    pacer.start(
        std::vector<int>(100, 5000), 100 * 1200, [&](int) { at.push_back(clock.now); }, [&] { ++ends; });
    ASSERT_EQ(at.size(), 1u); // the first pass at once, in the click
    ticks.advance(12000);
    EXPECT_EQ(at.size(), 11u);
    EXPECT_EQ(at[5], start + 6000);     // 5 x 1.2 ms, on the next millisecond tick
    clock.advanceTo(clock.now + 30000); // the event loop was held up for 30 ms
    ticks.advance(1000);
    EXPECT_EQ(at.size(), 36u); // the passes due meanwhile (up to 43 ms) come at once, in order
    ticks.advance(200000);
    ASSERT_EQ(at.size(), 100u);
    EXPECT_EQ(ends, 1);
    EXPECT_LE(at.back(), start + 120000);
    EXPECT_FALSE(pacer.running());

    pacer.start(
        {1, 2, 3}, 3000, [&](int) { at.push_back(clock.now); }, [&] { ++ends; });
    pacer.stop();
    ticks.advance(10000);
    EXPECT_EQ(at.size(), 101u);
    EXPECT_EQ(ends, 1);
    pacer.start(
        {}, 0, [&](int) {}, [&] { ++ends; }); // nothing to pace ends at once
    EXPECT_EQ(ends, 2);
}
