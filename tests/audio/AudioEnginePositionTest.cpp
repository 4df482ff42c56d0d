// Starts must be exact to the sample: what the engine renders from "play from N" is the title from N on,
// compared with the source (lossless) or with ffmpeg's own decode from the start (lossy). Restarts, refused
// starts and the end of a title, too.
#include "support/PullEngine.h"
#include "support/TestAudioFiles.h"
#include "support/TestSignal.h"
#include "support/TestTitles.h"

#include <QFileInfo>

namespace {

constexpr int kRate = 48000;
constexpr int kFrames = 24000; // half a second

class EnginePositions : public ::testing::TestWithParam<std::int64_t>, public PullEngine {
  protected:
    void SetUp() override { ASSERT_TRUE(TestTitles::get().ok) << "test titles could not be made"; }

    std::vector<float> renderFrom(const QString& path, std::int64_t ms, int frames = kFrames) {
        const AudioEngine::VoiceId id = open(path);
        EXPECT_EQ(engine.playFrom(id, ms), AudioError::None);
        std::vector<float> out = render(frames);
        EXPECT_EQ(engine.positionFrames(id), ms * 48 + frames) << path.toStdString();
        engine.close(id);
        return out;
    }
};

TEST_P(EnginePositions, EveryFormatStartsAtTheSample) {
    const TestTitles& t = TestTitles::get();
    const std::int64_t at = GetParam() * 48;
    for (const QString& lossless : {t.wav48, t.flac48}) {
        const auto got = renderFrom(lossless, GetParam());
        EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(kRate, at, kFrames), 0, got, kFrames), 0.0);
    }
    // Lossy titles: as ffmpeg decodes them from the start, and that is the signal in place (the encoder
    // delay is not heard).
    const auto source = TestSignal::stereo(kRate, 0, at + kRate);
    for (const auto& [path, tolerance] : {std::pair{t.mp348, 1e-4}, {t.ogg48, 1e-3}, {t.m4a48, 1e-3}}) {
        SCOPED_TRACE(path.toStdString());
        const auto reference = TestAudioFiles::decode(path);
        const auto got = renderFrom(path, GetParam());
        EXPECT_EQ(TestSignal::bestLag(reference, at, got, 4096, 400), 0);
        EXPECT_LT(TestSignal::maxError(reference, at, got, kFrames), tolerance);
        EXPECT_EQ(TestSignal::bestLag(source, at, got, 4096, 400), 0);
    }
    // An MP3 at 44100 Hz: its encoder delay and the resampling still leave the start in place.
    const auto got = renderFrom(t.mp344, GetParam());
    EXPECT_EQ(TestSignal::bestLag(source, at, got, 4096, 400), 0);
    const std::vector<float> settled(got.begin() + 256, got.end()); // past the resampler's filter length
    EXPECT_LT(TestSignal::maxError(source, at + 128, settled, kFrames - 256), 0.02);
}

INSTANTIATE_TEST_SUITE_P(Offsets, EnginePositions, ::testing::Values(0, 12500, 7321));

TEST_F(EnginePositions, StartsRestartsAndRefusedStarts) {
    const AudioEngine::VoiceId id = open(TestTitles::get().wav48);
    EXPECT_TRUE(silent(render(1024))) << "opened, not played";
    EXPECT_EQ(engine.durationMs(id), 20000);
    ASSERT_EQ(engine.resume(id), AudioError::None);
    expectSignalFrom(0);
    ASSERT_EQ(engine.playFrom(id, 500), AudioError::None); // replaces what was playing
    // The first samples are in the ring when the start returns, and timed when they are rendered.
    EXPECT_GE(engine.bufferedFrames(id), 2048);
    EXPECT_EQ(engine.firstSampleUs(id), -1);
    const std::int64_t before = clock.nowUs();
    expectSignalFrom(24000, 1024);
    EXPECT_GE(engine.firstSampleUs(id), before);
    EXPECT_EQ(engine.playFrom(id, 20001), AudioError::OutOfRange);
    expectSignalFrom(25024); // a refused start leaves the title playing on
    ASSERT_EQ(engine.playFrom(id, -250), AudioError::None);
    expectSignalFrom(0);
}

TEST_F(EnginePositions, TheEndIsSilentAndTheVoiceStaysOpenUntilClosed) {
    const AudioEngine::VoiceId id = open(TestTitles::get().wav48);
    ASSERT_EQ(engine.playFrom(id, 19990), AudioError::None);
    expectSignalFrom(959520, 480); // the 10 ms that were left
    EXPECT_TRUE(silent(render(2048)));
    EXPECT_EQ(engine.state(id), VoiceState::Finished);
    EXPECT_EQ(engine.positionFrames(id), 960000);
    EXPECT_EQ(engine.resume(id), AudioError::None);
    EXPECT_TRUE(silent(render(512)));
    EXPECT_EQ(engine.close(id), AudioError::None);
    for (auto call : {&AudioEngine::close, &AudioEngine::pause, &AudioEngine::resume, &AudioEngine::stop}) {
        EXPECT_EQ((engine.*call)(id), AudioError::NoSuchVoice);
    }
    EXPECT_EQ(engine.playFrom(99, 0), AudioError::NoSuchVoice);
    EXPECT_EQ(engine.positionFrames(id), -1);
}

TEST_F(EnginePositions, OddTitlesStartInPlace) {
    const TestTitles& t = TestTitles::get();
    // Mono is heard at full level on both sides.
    const auto mono = renderFrom(t.wavMono, 1000, 1024);
    const auto left = TestSignal::stereo16(kRate, kRate, 1024);
    for (int i = 0; i < 2048; ++i) {
        ASSERT_EQ(mono[i], left[i & ~1]) << i;
    }
    // Shop music carries a cover picture in its tag, far larger than the short first probe.
    const QString tagged = t.dir + "/mit Bild.mp3";
    ASSERT_TRUE(TestAudioFiles::addCoverPicture(t.mp348, tagged));
    ASSERT_GT(QFileInfo(tagged).size(), QFileInfo(t.mp348).size() + 50000);
    const AudioEngine::VoiceId id = open(tagged);
    EXPECT_NEAR(static_cast<double>(engine.durationMs(id)), 20000.0, 100.0);
    engine.close(id);
    const auto reference = TestAudioFiles::decode(t.mp348);
    const auto got = renderFrom(tagged, 12500, 4096);
    EXPECT_EQ(TestSignal::bestLag(reference, 600000, got, 4096, 400), 0);
    EXPECT_LT(TestSignal::maxError(reference, 600000, got, 4096), 1e-4);
    // WMA seeks land on packet borders the demuxer cannot refine: up to about 46 ms off is accepted.
    const QString wma = t.dir + "/tone48.wma";
    ASSERT_TRUE(TestAudioFiles::encode(t.wav48, wma, {"-c:a", "wmav2", "-b:a", "192k"}));
    const auto source = TestSignal::stereo(kRate, 0, 14 * kRate);
    const int lag = TestSignal::bestLag(source, 600000, renderFrom(wma, 12500, 4096), 4096, 4000);
    EXPECT_LE(std::abs(lag), 46 * 48) << lag;
}

} // namespace
