#pragma once
// The real audio engine behind a desk fixture's media commands, wave output level and position queries, with
// the head preparer when asked for, wired as main() wires them. No device: the test takes the output itself,
// sample by sample, or lets every move of the fake clock render exactly the frames of the time that passed.
// Header only; shared by the tests and benchmarks that listen to the desk.
#include "audio/AudioEngine.h"
#include "audio/EngineWaveOut.h"
#include "audio/HeadPreparer.h"
#include "audio/MediaCommandInterpreter.h"
#include "support/DeskFixture.h"
#include "support/TestAudioFiles.h"

#include <cmath>
#include <gtest/gtest.h>

class EngineRig {
    DeskFixture& m_fx; // first: the engine below takes its clock

  public:
    static constexpr float ProbeLevel = 0.5f;

    explicit EngineRig(DeskFixture& fx, bool prepareHeads = false) : m_fx(fx) {
        fx.media.forward = &media;
        fx.waveOut.forward = &level;
        fx.services.mediaStatus = &media;
        if (prepareHeads) {
            preparer = std::make_unique<HeadPreparer>(engine.heads());
            fx.services.titleCheck = preparer.get();
        }
    }
    ~EngineRig() {
        m_fx.clock.onAdvance = nullptr;
        m_fx.media.forward = nullptr;
        m_fx.waveOut.forward = nullptr;
    }
    EngineRig(const EngineRig&) = delete;
    EngineRig& operator=(const EngineRig&) = delete;

    // A 48 kHz stereo WAV whose left channel is the constant ProbeLevel, so each output sample is the gain
    // heard times ProbeLevel; the right channel a 1 kHz sine of the same amplitude, an envelope to listen to.
    static QByteArray probeWav(double seconds) {
        constexpr int rate = AudioEngine::kSampleRate;
        return TestAudioFiles::wav(rate, 2, static_cast<std::int64_t>(seconds * rate), [](std::int64_t i, int c) {
            const double level = std::lround(ProbeLevel * 32768.0f) / 32767.0;
            return c == 0 ? level : level * std::sin(2.0 * M_PI * 1000 * double(i) / rate);
        });
    }

    // Test thread, standing in for the device: takes the next frames and keeps them.
    void render(std::int64_t frames) {
        std::vector<float> buffer(static_cast<std::size_t>(frames) * 2);
        engine.render(buffer.data(), static_cast<int>(frames));
        for (std::int64_t i = 0; i < frames; ++i) {
            left.push_back(buffer[static_cast<std::size_t>(2 * i)]);
            right.push_back(buffer[static_cast<std::size_t>(2 * i + 1)]);
        }
    }
    // From now on every move of the desk's clock renders the frames of the time passed.
    void followClock() {
        const std::int64_t origin = m_fx.clock.now;
        std::int64_t done = 0;
        m_fx.clock.onAdvance = [this, origin, done](std::int64_t us) mutable {
            const std::int64_t due = (m_fx.clock.now + us - origin) * AudioEngine::kSampleRate / 1000000;
            if (due > done)
                render(due - done);
            done = std::max(done, due);
        };
    }
    // The gain the left sample i was heard with.
    double gainAt(std::size_t i) const { return left[i] / ProbeLevel; }
    // The background preparation done, and its findings fetched as the windows' timers would.
    void settle() {
        ASSERT_TRUE(preparer->waitUntilIdle(60000));
        m_fx.ticks.tickAll();
    }
    int playingVoice() const { return media.voiceOf(QStringLiteral("MyAlias")); }

    AudioEngine engine{m_fx.clock, AudioEngine::Output::Pull};
    MediaCommandInterpreter media{engine};
    EngineWaveOut level{engine};
    std::unique_ptr<HeadPreparer> preparer;
    std::vector<float> left;
    std::vector<float> right;
};
