#include "audio/EngineWaveOut.h"

#include "support/PullEngine.h"
#include "support/TestTitles.h"

#include <cmath>

// The packed level (left in the low word, right in the high word) is heard linearly within one period,
// and on the way there the gain moves by no more than the smoothing allows.
TEST(EngineWaveOut, TheLevelHeardFollowsEachWordWithoutJumps) {
    ASSERT_TRUE(TestTitles::get().ok);
    PullEngine pull;
    EngineWaveOut waveOut(pull.engine);
    constexpr int kPeriod = AudioEngine::kPeriodFrames;
    ASSERT_EQ(pull.engine.playFrom(pull.open(TestTitles::get().wav48), 5000), AudioError::None);
    std::int64_t at = 240000;
    for (const std::uint32_t packed : {0x40008000u, 0u, 0xFFFFFFFFu, 0x0000FFFFu}) {
        EXPECT_EQ(waveOut.setVolume(packed), 0);
        const float gain[2] = {(packed & 0xFFFF) / 65535.0f, (packed >> 16) / 65535.0f};
        const auto got = pull.render(kPeriod);
        const auto src = TestSignal::stereo16(AudioEngine::kSampleRate, at, kPeriod);
        at += kPeriod;
        for (int i = kPeriod; i < 2 * kPeriod; ++i) {
            ASSERT_EQ(got[i], src[i] * gain[i % 2]) << std::hex << packed << " sample " << std::dec << i;
        }
        if (packed == 0x40008000u) { // from full level: the left gain falls by 0.5 over a 128-frame ramp
            double previous = 1.0;
            for (int i = 0, previousIndex = -1; i < kPeriod / 2; ++i) {
                if (std::fabs(src[2 * i]) >= 0.05f) { // loud enough to read the gain from
                    const double heard = got[2 * i] / src[2 * i];
                    EXPECT_LE(std::fabs(heard - previous), (i - previousIndex) * 0.5 / 128.0 + 1e-4) << i;
                    previous = heard;
                    previousIndex = i;
                }
            }
        }
    }
}
