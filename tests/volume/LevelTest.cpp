// The level encoding of the wave output, and the pacing of a ramp on the desk's clock.
#include "volume/Level.h"
#include "support/Fakes.h"
#include "volume/RampPacer.h"

#include <gtest/gtest.h>

TEST(Level, DeviceLevelRoundsHalvesToEvenAndPacksBothChannels) {
    for (auto [units, device] :
         {std::pair{0, 0}, {1, 7}, {1000, 6554}, {5000, 32768}, {9995, 65502}, {10000, 65535}}) {
        EXPECT_EQ(Level::deviceLevel(units), device) << units;
        EXPECT_EQ(Level::packed(units), static_cast<std::uint32_t>(device) * 0x10001u) << units;
    }
    EXPECT_EQ(Level::SignedInteger(65535), -1);
    EXPECT_EQ(Level::SignedInteger(32768), -32768);
    EXPECT_EQ(Level::SignedInteger(0x12345), 0x2345);
}

TEST(RampPacer, LatePassesCatchUpInOrderInsteadOfStretchingTheRamp) {
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
    clock.advanceTo(clock.now + 30000); // the event loop was held up for 30 ms
    ticks.advance(1000);
    EXPECT_EQ(at.size(), 36u); // the passes due by 43 ms come at once, in order
    ticks.advance(200000);
    EXPECT_EQ(at.size(), 100u);
    EXPECT_EQ(ends, 1);
    EXPECT_LE(at.back(), start + 120000);
}
