#pragma once
// What the press-to-sound benchmarks share: the desk's fixture on a real engine with the default output
// device, the wait for a press's first sample, uneven pauses and percentiles.
#include "audio/AudioEngine.h"
#include "audio/EngineWaveOut.h"
#include "audio/MediaCommandInterpreter.h"
#include "platform/SteadyClock.h"
#include "support/DeskFixture.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace bench {

// The p-quantile (0 to 1) of v, nearest rank; -1 without samples.
inline double percentile(std::vector<double> v, double p) {
    if (v.empty())
        return -1.0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

// An uneven pause of 1 to 7 ms, so that presses land at every phase of the device period.
inline void unevenPause(unsigned& seed) {
    seed = seed * 1103515245u + 12345u;
    std::this_thread::sleep_for(std::chrono::microseconds(1000 + (seed >> 8) % 6000));
}

// Milliseconds from t0 until the output callback took the voice's first sample, 2000 at the most. The engine
// stamps that moment itself, so the wait sleeps between looks: a spinning wait would take one of the cores
// the desk's own threads need, which the desk's UI thread, back in its event loop, never does.
inline double firstSampleMs(AudioEngine& engine, SteadyClock& clock, int voice, std::int64_t t0) {
    while (engine.firstSampleUs(voice) < 0 && clock.nowUs() < t0 + 2000000)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    const std::int64_t first = engine.firstSampleUs(voice);
    return first < 0 ? 2000.0 : static_cast<double>(first - t0) / 1000.0;
}

// The desk's fixture whose media commands and wave-out level reach a real engine.
struct EngineDesk {
    EngineDesk() {
        desk.media.forward = &media;
        desk.waveOut.forward = &waveOut;
    }
    // The first sample of the title under the desk's alias, counted from t0.
    double firstSampleMs(std::int64_t t0) {
        return bench::firstSampleMs(engine, clock, media.voiceOf(QStringLiteral("MyAlias")), t0);
    }

    DeskFixture desk;
    SteadyClock clock;
    AudioEngine engine{clock};
    MediaCommandInterpreter media{engine};
    EngineWaveOut waveOut{engine};
};

} // namespace bench
