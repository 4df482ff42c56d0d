#include "volume/Level.h"
#include "volume/Ramps.h"

#include <gtest/gtest.h>

TEST(Level, DeviceLevelRoundsHalvesToEven) {
    const std::pair<int, int> table[] = {{0, 0},        {1, 7},        {500, 3277},    {1000, 6554},
                                         {5000, 32768}, {9995, 65502}, {10000, 65535}, {3000, 19660},
                                         {9990, 65469}, {4, 26}};
    for (auto [units, device] : table)
        EXPECT_EQ(Level::deviceLevel(units), device) << units;
}

TEST(Level, SignedIntegerTakesTheLowWord) {
    EXPECT_EQ(Level::SignedInteger(65535), -1);
    EXPECT_EQ(Level::SignedInteger(32767), 32767);
    EXPECT_EQ(Level::SignedInteger(32768), -32768);
    EXPECT_EQ(Level::SignedInteger(0x12345), 0x2345);
}

TEST(Level, PackedCarriesTheSameLevelOnBothChannels) {
    EXPECT_EQ(Level::packed(10000), 0xFFFFFFFFu);
    EXPECT_EQ(Level::packed(0), 0u);
    EXPECT_EQ(Level::packed(5000), 0x80008000u);
    EXPECT_EQ(Level::packed(9995), (65502u << 16) | 65502u);
}

TEST(Ramps, FadeTablesMatchTheFadeTimes) {
    struct Row {
        std::int16_t step;
        std::size_t passes;
        int last;
    };
    for (const Row r : {Row{12, 834, 4}, Row{8, 1251, 0}, Row{4, 2501, 0}}) {
        const auto levels = Ramps::fadeOut(r.step);
        ASSERT_EQ(levels.size(), r.passes);
        EXPECT_EQ(levels.front(), 10000);
        EXPECT_EQ(levels.back(), r.last);
        // The nominal seconds are spread over the passes.
        EXPECT_EQ(Ramps::fadeDurationUs(r.step, levels.size()), 1000000 * (r.step == 12  ? 1
                                                                           : r.step == 8 ? 2
                                                                                         : 3));
    }
    EXPECT_TRUE(Ramps::fadeOut(0).empty());
}
