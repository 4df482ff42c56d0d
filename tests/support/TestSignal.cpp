#include "support/TestSignal.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Left or right (channel 0/1) at t seconds.
double at(double t, int channel) {
    const std::int64_t second = static_cast<std::int64_t>(std::floor(t)) + (channel == 0 ? 0 : 5);
    double v = 0.0;
    for (int voice = 0; voice < 2; ++voice) {
        const std::int64_t step = (second * 7 + voice * 11) % 23;
        const std::int64_t hz = voice == 0 ? 330 + 47 * step : 1250 + 61 * step;
        // The cycles are reduced before sin() so long titles keep full precision.
        v += (voice == 0 ? 0.25 : 0.15) * std::sin(6.283185307179586 * std::fmod(t * hz, 1.0));
    }
    return v;
}
} // namespace

std::vector<float> TestSignal::stereo(int rate, std::int64_t firstFrame, std::int64_t frames) {
    std::vector<float> out(static_cast<std::size_t>(frames) * 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto frame = firstFrame + static_cast<std::int64_t>(i / 2);
        out[i] = static_cast<float>(at(static_cast<double>(frame) / rate, static_cast<int>(i % 2)));
    }
    return out;
}

std::vector<float> TestSignal::stereo16(int rate, std::int64_t firstFrame, std::int64_t frames) {
    std::vector<float> out = stereo(rate, firstFrame, frames);
    for (float& v : out)
        v = static_cast<float>(std::lround(static_cast<double>(v) * 32767.0)) / 32768.0f;
    return out;
}

int TestSignal::bestLag(const std::vector<float>& want, std::int64_t wantOffset,
                        const std::vector<float>& got, int frames, int maxLag) {
    int best = std::numeric_limits<int>::min();
    double bestError = std::numeric_limits<double>::max();
    for (int lag = -maxLag; lag <= maxLag; ++lag) {
        const auto start = static_cast<std::size_t>(wantOffset + lag) * 2;
        if (wantOffset + lag < 0 || start + static_cast<std::size_t>(frames) * 2 > want.size())
            continue;
        double error = 0.0;
        for (std::size_t i = 0; i < static_cast<std::size_t>(frames) * 2; i += 2)
            error += std::pow(static_cast<double>(want[start + i]) - got[i], 2);
        if (error < bestError) {
            bestError = error;
            best = lag;
        }
    }
    return best;
}

double TestSignal::maxError(const std::vector<float>& want, std::int64_t wantOffset,
                            const std::vector<float>& got, int frames) {
    const auto n = static_cast<std::size_t>(frames) * 2;
    const auto first = static_cast<std::size_t>(wantOffset) * 2;
    if (first + n > want.size() || n > got.size())
        return std::numeric_limits<double>::infinity();
    double worst = 0.0;
    for (std::size_t i = 0; i < n; ++i)
        worst = std::max(worst, std::abs(static_cast<double>(want[first + i]) - got[i]));
    return worst;
}
