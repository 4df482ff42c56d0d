#pragma once
// The audio engine without a device: the test thread renders the output itself, standing in for the
// output callback, so that starts, positions and gains are checked sample by sample.
#include "audio/AudioEngine.h"
#include "platform/SteadyClock.h"
#include "support/TestSignal.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

class PullEngine {
  public:
    AudioEngine::VoiceId open(const QString& path) {
        AudioEngine::VoiceId id = -1;
        EXPECT_EQ(engine.open(path, id), AudioError::None) << path.toStdString();
        return id;
    }
    // Opens path and starts it at ms.
    AudioEngine::VoiceId play(const QString& path, std::int64_t ms) {
        const AudioEngine::VoiceId id = open(path);
        EXPECT_EQ(engine.playFrom(id, ms), AudioError::None) << path.toStdString();
        return id;
    }
    // Test thread, standing in for the output thread: the next frames, interleaved stereo.
    std::vector<float> render(int frames) {
        std::vector<float> out(static_cast<std::size_t>(frames) * 2);
        engine.render(out.data(), frames);
        return out;
    }
    static bool silent(const std::vector<float>& v) {
        return std::all_of(v.begin(), v.end(), [](float x) { return x == 0.0f; });
    }
    // The next frames are the 16-bit test signal from frame `from` on, bit for bit.
    void expectSignalFrom(std::int64_t from, int frames = 512) {
        const auto want = TestSignal::stereo16(AudioEngine::kSampleRate, from, frames);
        EXPECT_EQ(TestSignal::maxError(want, 0, render(frames), frames), 0.0) << "from frame " << from;
    }

    SteadyClock clock;
    AudioEngine engine{clock, AudioEngine::Output::Pull};
};
