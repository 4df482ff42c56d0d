// The level encoding of the wave output: volume units to the 16-bit device level of each channel.
#include "volume/Level.h"

#include <gtest/gtest.h>

TEST(Level, DeviceLevelRoundsHalvesToEvenAndPacksBothChannels) {
    const std::pair<int, int> table[] = {{0, 0},        {1, 7},        {1000, 6554},
                                         {5000, 32768}, {9995, 65502}, {10000, 65535}};
    for (auto [units, device] : table) {
        EXPECT_EQ(Level::deviceLevel(units), device) << units;
        EXPECT_EQ(Level::packed(units), static_cast<std::uint32_t>(device) * 0x10001u) << units;
    }
    EXPECT_EQ(Level::SignedInteger(65535), -1);
    EXPECT_EQ(Level::SignedInteger(32767), 32767);
    EXPECT_EQ(Level::SignedInteger(32768), -32768);
    EXPECT_EQ(Level::SignedInteger(0x12345), 0x2345);
}
