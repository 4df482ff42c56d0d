// Pause, resume, stop, the end of a title, several voices and the master gain, checked on the pulled
// output sample by sample.
#include "audio/AudioEngine.h"
#include "platform/SteadyClock.h"
#include "support/TestSignal.h"
#include "support/TestTitles.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr int kRate = 48000;
constexpr int kPeriod = AudioEngine::kPeriodFrames;

class EngineTransport : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(TestTitles::get().ok);
        ASSERT_EQ(engine.open(TestTitles::get().wav48, id), AudioError::None);
    }

    std::vector<float> render(int frames) {
        std::vector<float> out(static_cast<std::size_t>(frames) * 2);
        for (int done = 0; done < frames; done += kPeriod) {
            engine.render(out.data() + static_cast<std::size_t>(done) * 2, std::min(kPeriod, frames - done));
        }
        return out;
    }

    static bool silent(const std::vector<float>& v) {
        return std::all_of(v.begin(), v.end(), [](float x) { return x == 0.0f; });
    }

    SteadyClock clock;
    AudioEngine engine{clock, AudioEngine::Output::Pull};
    AudioEngine::VoiceId id = -1;
};

TEST_F(EngineTransport, OpenedTitleIsSilentUntilPlayed) {
    EXPECT_EQ(engine.state(id), VoiceState::Opened);
    EXPECT_TRUE(silent(render(1024)));
    EXPECT_EQ(engine.positionFrames(id), 0);
    EXPECT_EQ(engine.durationMs(id), 20000);
}

TEST_F(EngineTransport, PauseThenResumeContinuesAtThePausedSample) {
    ASSERT_EQ(engine.playFrom(id, 12500), AudioError::None);
    render(10 * kPeriod + 100); // pause lands mid-period
    const std::int64_t pausedAt = engine.positionFrames(id);
    EXPECT_EQ(pausedAt, 600000 + 10 * kPeriod + 100);
    ASSERT_EQ(engine.pause(id), AudioError::None);
    EXPECT_EQ(engine.state(id), VoiceState::Paused);
    EXPECT_TRUE(silent(render(4096)));
    EXPECT_EQ(engine.positionFrames(id), pausedAt);
    ASSERT_EQ(engine.resume(id), AudioError::None);
    const auto got = render(4096);
    EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(kRate, pausedAt, 4096), 0, got, 4096), 0.0);
}

TEST_F(EngineTransport, StopHoldsAndPlayGoesOnFromThere) {
    ASSERT_EQ(engine.playFrom(id, 1000), AudioError::None);
    render(2000);
    ASSERT_EQ(engine.stop(id), AudioError::None);
    EXPECT_EQ(engine.state(id), VoiceState::Stopped);
    EXPECT_TRUE(silent(render(512)));
    ASSERT_EQ(engine.resume(id), AudioError::None);
    const auto got = render(512);
    EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(kRate, 48000 + 2000, 512), 0, got, 512), 0.0);
}

TEST_F(EngineTransport, PlayOnAnOpenedTitleStartsAtTheBeginning) {
    ASSERT_EQ(engine.resume(id), AudioError::None);
    const auto got = render(512);
    EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(kRate, 0, 512), 0, got, 512), 0.0);
}

TEST_F(EngineTransport, ANewStartReplacesWhatWasPlaying) {
    ASSERT_EQ(engine.playFrom(id, 3000), AudioError::None);
    render(5000);
    ASSERT_EQ(engine.playFrom(id, 500), AudioError::None);
    const auto got = render(1024);
    EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(kRate, 24000, 1024), 0, got, 1024), 0.0);
}

TEST_F(EngineTransport, TheEndIsSilentAndTheVoiceStaysOpen) {
    ASSERT_EQ(engine.playFrom(id, 19990), AudioError::None);
    const auto got = render(2048);
    const int tail = 480; // 10 ms were left
    EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(kRate, 959520, tail), 0, got, tail), 0.0);
    EXPECT_TRUE(silent(std::vector<float>(got.begin() + 2 * tail, got.end())));
    EXPECT_EQ(engine.state(id), VoiceState::Finished);
    EXPECT_EQ(engine.positionFrames(id), 960000);
    EXPECT_EQ(engine.resume(id), AudioError::None);
    EXPECT_TRUE(silent(render(512)));
    EXPECT_EQ(engine.close(id), AudioError::None);
    EXPECT_EQ(engine.state(id), VoiceState::Closed);
}

TEST_F(EngineTransport, PositionsOutsideTheTitle) {
    EXPECT_EQ(engine.playFrom(id, 20001), AudioError::OutOfRange);
    EXPECT_EQ(engine.state(id), VoiceState::Opened);
    EXPECT_EQ(engine.playFrom(id, -250), AudioError::None);
    const auto got = render(512);
    EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(kRate, 0, 512), 0, got, 512), 0.0);
}

TEST_F(EngineTransport, ClosedVoicesAnswerNoSuchVoice) {
    ASSERT_EQ(engine.close(id), AudioError::None);
    EXPECT_EQ(engine.close(id), AudioError::NoSuchVoice);
    EXPECT_EQ(engine.playFrom(id, 0), AudioError::NoSuchVoice);
    EXPECT_EQ(engine.pause(id), AudioError::NoSuchVoice);
    EXPECT_EQ(engine.resume(id), AudioError::NoSuchVoice);
    EXPECT_EQ(engine.stop(id), AudioError::NoSuchVoice);
    EXPECT_EQ(engine.positionFrames(id), -1);
    EXPECT_EQ(engine.playFrom(99, 0), AudioError::NoSuchVoice);
}

TEST_F(EngineTransport, TwoVoicesAreSummed) {
    AudioEngine::VoiceId other = -1;
    ASSERT_EQ(engine.open(TestTitles::get().flac48, other), AudioError::None);
    ASSERT_NE(other, id);
    ASSERT_EQ(engine.playFrom(id, 0), AudioError::None);
    ASSERT_EQ(engine.playFrom(other, 2000), AudioError::None);
    const auto got = render(512);
    const auto a = TestSignal::stereo16(kRate, 0, 512);
    const auto b = TestSignal::stereo16(kRate, 96000, 512);
    for (std::size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(got[i], a[i] + b[i]) << i;
    }
}

TEST_F(EngineTransport, GainHeardFollowsTheLevelWithoutJumps) {
    ASSERT_EQ(engine.playFrom(id, 5000), AudioError::None);
    render(kPeriod);
    engine.setGain(0.5f, 0.25f);
    EXPECT_EQ(engine.gainLeft(), 0.5f);
    EXPECT_EQ(engine.gainRight(), 0.25f);
    const auto got = render(kPeriod);
    const auto src = TestSignal::stereo16(kRate, 240000 + kPeriod, kPeriod);
    // Within the period the level is reached, exactly, and kept.
    for (int i = kPeriod / 2; i < kPeriod; ++i) {
        ASSERT_EQ(got[2 * i], src[2 * i] * 0.5f) << i;
        ASSERT_EQ(got[2 * i + 1], src[2 * i + 1] * 0.25f) << i;
    }
    // On the way, the gain (output over source) moves by small steps only.
    // The left gain falls by 0.5 in the ramp of 128 frames: 0.5/128 per sample at most.
    double previous = 1.0;
    int previousIndex = -1;
    for (int i = 0; i < kPeriod / 2; ++i) {
        if (std::fabs(src[2 * i]) < 0.05f) {
            continue; // too quiet to read the gain from
        }
        const double heard = got[2 * i] / src[2 * i];
        EXPECT_LE(std::fabs(heard - previous), (i - previousIndex) * 0.5 / 128.0 + 1e-4) << i;
        previous = heard;
        previousIndex = i;
    }
}

TEST_F(EngineTransport, SilenceAtGainZero) {
    engine.setGain(0.0f, 0.0f);
    ASSERT_EQ(engine.playFrom(id, 0), AudioError::None);
    render(kPeriod);
    EXPECT_TRUE(silent(render(kPeriod)));
}

TEST_F(EngineTransport, FirstSampleTimeIsTakenWhenTheStartIsRendered) {
    ASSERT_EQ(engine.playFrom(id, 0), AudioError::None);
    EXPECT_EQ(engine.firstSampleUs(id), -1);
    EXPECT_GE(engine.bufferedFrames(id), 2048);
    const std::int64_t before = clock.nowUs();
    render(kPeriod);
    EXPECT_GE(engine.firstSampleUs(id), before);
    EXPECT_LE(engine.firstSampleUs(id), clock.nowUs());
}

TEST_F(EngineTransport, PullEngineHasNoDevice) {
    EXPECT_FALSE(engine.hasDevice());
    EXPECT_FALSE(engine.takeNoDeviceNotice());
}

} // namespace
