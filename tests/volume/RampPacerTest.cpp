// The pacing of a ramp on the desk's clock: each pass at its own moment, late passes catching up instead of
// stretching the ramp, and the last pass given its time. How often the bar is repainted is checked on the
// console.
#include "volume/RampPacer.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

TEST(RampPacer, EachPassHasItsMomentAndLatePassesCatchUp) {
    FakeClock clock;
    std::vector<std::int64_t> at;
    RampPacer pacer(
        clock,
        [&](int) {
            if (at.size() == 10)
                clock.now += 20000; // pass 10 costs 20 ms, as a slow repaint would
            at.push_back(clock.now);
        },
        [] {});
    const std::int64_t start = clock.now;
    pacer.run(std::vector<int>(100, 5000), 100 * 1200);
    ASSERT_EQ(at.size(), 100u);
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(at[i], start + 1200 * static_cast<std::int64_t>(i));
    // The passes due meanwhile follow at once, and the ones after keep their original moments.
    EXPECT_EQ(at[11], at[10]);
    EXPECT_EQ(at[50], start + 50 * 1200);
    EXPECT_EQ(clock.now, start + 100 * 1200);
}
