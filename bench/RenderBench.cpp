// The cost of one 256-frame output period: draining a ring, mixing and the per-sample gain smoothing,
// with the gain moving all the time as during a fade.
#include "audio/AudioEngine.h"
#include "audio/GainSmoother.h"
#include "platform/SteadyClock.h"
#include "support/TestTitles.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int kPeriod = AudioEngine::kPeriodFrames;

void BM_GainSmootherPeriod(benchmark::State& state) {
    GainSmoother gain;
    std::vector<float> buf(kPeriod * 2, 0.5f);
    float level = 1.0f;
    for (auto _ : state) {
        level = level < 0.01f ? 1.0f : level * 0.995f;
        gain.setTarget(level, level);
        gain.process(buf.data(), kPeriod);
        benchmark::DoNotOptimize(buf.data());
    }
    state.SetItemsProcessed(state.iterations() * kPeriod);
}
BENCHMARK(BM_GainSmootherPeriod);

// A whole render period of a playing WAV title (pull output, so the decoding that keeps the ring
// filled is part of the figure as well), with the level changing every period.
void BM_RenderPeriodPlaying(benchmark::State& state) {
    if (!TestTitles::get().ok) {
        state.SkipWithError("test titles could not be made");
        return;
    }
    SteadyClock clock;
    AudioEngine engine(clock, AudioEngine::Output::Pull);
    AudioEngine::VoiceId id = -1;
    engine.open(state.range(0) == 0 ? TestTitles::get().wav48 : TestTitles::get().mp348, id);
    engine.playFrom(id, 0);
    std::vector<float> out(kPeriod * 2);
    float level = 1.0f;
    for (auto _ : state) {
        if (engine.state(id) != VoiceState::Playing) {
            state.PauseTiming();
            engine.playFrom(id, 0);
            state.ResumeTiming();
        }
        level = level < 0.01f ? 1.0f : level * 0.995f;
        engine.setGain(level, level);
        engine.render(out.data(), kPeriod);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetLabel(state.range(0) == 0 ? "wav" : "mp3");
}
BENCHMARK(BM_RenderPeriodPlaying)->Arg(0)->Arg(1);

// The mixer alone: a period with no title playing (what the device asks for while the desk is idle).
void BM_RenderPeriodIdle(benchmark::State& state) {
    SteadyClock clock;
    AudioEngine engine(clock, AudioEngine::Output::Pull);
    std::vector<float> out(kPeriod * 2);
    for (auto _ : state) {
        engine.render(out.data(), kPeriod);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_RenderPeriodIdle);

} // namespace

BENCHMARK_MAIN();
