#include "audio/LoudnessMeter.h"

#include "audio/AudioError.h"
#include "audio/OutputFormat.h"
#include "audio/SpscRing.h"
#include "audio/TitleDecoder.h"

#include <ebur128.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <vector>

namespace LoudnessMeter {

std::optional<Reading> measure(const QString& path, std::int64_t startMs, const std::atomic<bool>* abort) {
    TitleDecoder decoder(OutputFormat::SampleRate);
    decoder.setAbortFlag(abort);
    if (decoder.open(path) != AudioError::None)
        return std::nullopt;
    decoder.startAt(std::max<std::int64_t>(0, startMs));
    std::unique_ptr<ebur128_state, void (*)(ebur128_state*)> state(
        ebur128_init(OutputFormat::Channels, OutputFormat::SampleRate, EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK),
        [](ebur128_state* s) { ebur128_destroy(&s); });
    if (!state)
        return std::nullopt;
    constexpr std::size_t kChunk = 8192;
    SpscRing ring(kChunk * 2);
    std::vector<float> buffer(kChunk * OutputFormat::Channels);
    const std::int64_t limit = static_cast<std::int64_t>(kMaxSeconds) * OutputFormat::SampleRate;
    std::int64_t done = 0;
    bool more = true;
    while (done < limit && (more || ring.readable() > 0)) {
        if (abort && abort->load())
            return std::nullopt;
        if (more)
            more = decoder.pump(ring, kChunk);
        const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(kChunk, limit - done));
        const std::size_t got = ring.read(buffer.data(), want);
        if (got == 0 && !more)
            break;
        ebur128_add_frames_float(state.get(), buffer.data(), got);
        done += static_cast<std::int64_t>(got);
    }
    if (done == 0)
        return std::nullopt;
    Reading r;
    double lufs = -HUGE_VAL;
    ebur128_loudness_global(state.get(), &lufs);
    r.lufs = std::isfinite(lufs) ? std::max(lufs, -70.0) : -70.0;
    double peak = 0;
    for (unsigned ch = 0; ch < OutputFormat::Channels; ++ch) {
        double p = 0;
        ebur128_true_peak(state.get(), ch, &p);
        peak = std::max(peak, p);
    }
    r.truePeakDb = peak > 0 ? 20.0 * std::log10(peak) : -HUGE_VAL;
    return r;
}

double gainDb(const Reading& reading, double targetLufs) {
    if (reading.lufs <= -70.0)
        return 0.0;
    const double headroom = std::isfinite(reading.truePeakDb) ? kPeakCeilingDb - reading.truePeakDb : kMaxBoostDb;
    // A boost stops where the true peak would pass the ceiling; a cut is never made deeper for a peak the title
    // already has.
    return std::min({targetLufs - reading.lufs, kMaxBoostDb, std::max(0.0, headroom)});
}

} // namespace LoudnessMeter
