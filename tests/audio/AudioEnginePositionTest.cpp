// Starts must be exact to the sample: what the engine renders from "play from N" is the title from
// N on, compared sample by sample with the source (lossless) or with ffmpeg's own decode (lossy).
#include "audio/AudioEngine.h"
#include "platform/SteadyClock.h"
#include "support/TestAudioFiles.h"
#include "support/TestSignal.h"
#include "support/TestTitles.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

constexpr int kRate = 48000;
constexpr int kFrames = 24000; // half a second

class EnginePositions : public ::testing::TestWithParam<std::int64_t> {
  protected:
    void SetUp() override { ASSERT_TRUE(TestTitles::get().ok) << "test titles could not be made"; }

    std::vector<float> renderFrom(const QString& path, std::int64_t ms, int frames = kFrames) {
        AudioEngine::VoiceId id = -1;
        EXPECT_EQ(engine.open(path, id), AudioError::None) << path.toStdString();
        EXPECT_EQ(engine.playFrom(id, ms), AudioError::None);
        std::vector<float> out(static_cast<std::size_t>(frames) * 2);
        for (int done = 0; done < frames; done += AudioEngine::kPeriodFrames) {
            engine.render(out.data() + static_cast<std::size_t>(done) * 2,
                          std::min(AudioEngine::kPeriodFrames, frames - done));
        }
        EXPECT_EQ(engine.positionFrames(id), ms * kRate / 1000 + frames);
        engine.close(id);
        return out;
    }

    SteadyClock clock;
    AudioEngine engine{clock, AudioEngine::Output::Pull};
};

TEST_P(EnginePositions, WavIsBitExact) {
    const std::int64_t ms = GetParam();
    const auto got = renderFrom(TestTitles::get().wav48, ms);
    const auto want = TestSignal::stereo16(kRate, ms * 48, kFrames);
    EXPECT_EQ(TestSignal::maxError(want, 0, got, kFrames), 0.0);
}

TEST_P(EnginePositions, FlacIsBitExact) {
    const std::int64_t ms = GetParam();
    const auto got = renderFrom(TestTitles::get().flac48, ms);
    const auto want = TestSignal::stereo16(kRate, ms * 48, kFrames);
    EXPECT_EQ(TestSignal::maxError(want, 0, got, kFrames), 0.0);
}

TEST_P(EnginePositions, Mp3MatchesAFullDecodeFromTheStart) {
    const std::int64_t ms = GetParam();
    const auto reference = TestAudioFiles::decode(TestTitles::get().mp348);
    ASSERT_FALSE(reference.empty());
    const auto got = renderFrom(TestTitles::get().mp348, ms);
    EXPECT_EQ(TestSignal::bestLag(reference, ms * 48, got, 4096, 400), 0);
    EXPECT_LT(TestSignal::maxError(reference, ms * 48, got, kFrames), 1e-4);
    // And the decode itself is the test signal, in place (the encoder delay is not heard).
    const auto source = TestSignal::stereo(kRate, 0, (ms + 1000) * 48);
    EXPECT_EQ(TestSignal::bestLag(source, ms * 48, got, 4096, 400), 0);
}

TEST_P(EnginePositions, Mp3At44100IsInPlaceAfterResampling) {
    const std::int64_t ms = GetParam();
    const auto got = renderFrom(TestTitles::get().mp344, ms);
    const auto source = TestSignal::stereo(kRate, 0, (ms + 1000) * 48);
    EXPECT_EQ(TestSignal::bestLag(source, ms * 48, got, 4096, 400), 0);
    std::vector<float> settled(got.begin() + 256, got.end()); // past the resampler's first filter length
    EXPECT_LT(TestSignal::maxError(source, ms * 48 + 128, settled, kFrames - 256), 0.02);
}

TEST_P(EnginePositions, Wav44100IsInPlaceAfterResampling) {
    const std::int64_t ms = GetParam();
    const auto got = renderFrom(TestTitles::get().wav44, ms);
    const auto source = TestSignal::stereo(kRate, 0, (ms + 1000) * 48);
    EXPECT_EQ(TestSignal::bestLag(source, ms * 48, got, 4096, 400), 0);
    std::vector<float> settled(got.begin() + 256, got.end());
    EXPECT_LT(TestSignal::maxError(source, ms * 48 + 128, settled, kFrames - 256), 0.01);
}

TEST_P(EnginePositions, OggAndM4aMatchAFullDecode) {
    const std::int64_t ms = GetParam();
    for (const QString& path : {TestTitles::get().ogg48, TestTitles::get().m4a48}) {
        SCOPED_TRACE(path.toStdString());
        const auto reference = TestAudioFiles::decode(path);
        ASSERT_FALSE(reference.empty());
        const auto got = renderFrom(path, ms);
        EXPECT_EQ(TestSignal::bestLag(reference, ms * 48, got, 4096, 400), 0);
        EXPECT_LT(TestSignal::maxError(reference, ms * 48, got, kFrames), 1e-3);
    }
}

INSTANTIATE_TEST_SUITE_P(Offsets, EnginePositions, ::testing::Values(0, 12500, 7321));

TEST(EngineMono, MonoTitleIsHeardAtFullLevelOnBothSides) {
    ASSERT_TRUE(TestTitles::get().ok);
    SteadyClock clock;
    AudioEngine engine(clock, AudioEngine::Output::Pull);
    AudioEngine::VoiceId id = -1;
    ASSERT_EQ(engine.open(TestTitles::get().wavMono, id), AudioError::None);
    ASSERT_EQ(engine.playFrom(id, 1000), AudioError::None);
    std::vector<float> got(2048);
    engine.render(got.data(), 1024);
    const auto left = TestSignal::stereo16(kRate, 48000, 1024);
    for (int i = 0; i < 1024; ++i) {
        ASSERT_EQ(got[2 * i], left[2 * i]) << i;
        ASSERT_EQ(got[2 * i + 1], left[2 * i]) << i;
    }
}

} // namespace

namespace {

// WMA seeks land on packet borders the demuxer cannot refine: a start may be up to about 46 ms off.
// It must still open, play the right stretch of the title and not drift.
TEST(EngineWma, StartsNearTheWantedPlace) {
    ASSERT_TRUE(TestTitles::get().ok);
    const QString wma = TestTitles::get().dir + QStringLiteral("/tone48.wma");
    ASSERT_TRUE(TestAudioFiles::encode(
        TestTitles::get().wav48, wma,
        {QStringLiteral("-c:a"), QStringLiteral("wmav2"), QStringLiteral("-b:a"), QStringLiteral("192k")}));
    SteadyClock clock;
    AudioEngine engine(clock, AudioEngine::Output::Pull);
    AudioEngine::VoiceId id = -1;
    ASSERT_EQ(engine.open(wma, id), AudioError::None);
    ASSERT_EQ(engine.playFrom(id, 12500), AudioError::None);
    std::vector<float> got(4096 * 2);
    engine.render(got.data(), 4096);
    const auto source = TestSignal::stereo(kRate, 0, 14 * kRate);
    const int lag = TestSignal::bestLag(source, 600000, got, 4096, 4000);
    ::testing::Test::RecordProperty("lag_frames", lag);
    EXPECT_LE(std::abs(lag), 46 * 48) << lag;
}

} // namespace

namespace {

// Music from the shop carries a cover picture in its tag, often larger than the short first probe.
TEST(EngineCover, Mp3WithALargeCoverPictureStartsInPlace) {
    ASSERT_TRUE(TestTitles::get().ok);
    const QString tagged = TestTitles::get().dir + QStringLiteral("/mit Bild.mp3");
    ASSERT_TRUE(TestAudioFiles::addCoverPicture(TestTitles::get().mp348, tagged));
    ASSERT_GT(QFileInfo(tagged).size(),
              QFileInfo(TestTitles::get().mp348).size() + 50000); // well past the short probe

    SteadyClock clock;
    AudioEngine engine(clock, AudioEngine::Output::Pull);
    AudioEngine::VoiceId id = -1;
    ASSERT_EQ(engine.open(tagged, id), AudioError::None);
    EXPECT_NEAR(static_cast<double>(engine.durationMs(id)), 20000.0, 100.0);
    ASSERT_EQ(engine.playFrom(id, 12500), AudioError::None);
    std::vector<float> got(4096 * 2);
    engine.render(got.data(), 4096);
    const auto reference = TestAudioFiles::decode(TestTitles::get().mp348);
    EXPECT_EQ(TestSignal::bestLag(reference, 600000, got, 4096, 400), 0);
    EXPECT_LT(TestSignal::maxError(reference, 600000, got, 4096), 1e-4);
}

} // namespace
