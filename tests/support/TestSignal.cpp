#include "support/TestSignal.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kTwoPi = 6.283185307179586;

int frequency(std::int64_t second, int voice) {
    const std::int64_t step = (second * 7 + voice * 11) % 23;
    return static_cast<int>(voice == 0 ? 330 + 47 * step : 1250 + 61 * step);
}

double tone(double seconds, int hz) {
    // The product is reduced before sin() so long titles keep full precision.
    const double cycles = std::fmod(seconds * hz, 1.0);
    return std::sin(kTwoPi * cycles);
}
} // namespace

double TestSignal::at(double seconds, int channel) {
    const auto second = static_cast<std::int64_t>(std::floor(seconds));
    const int shift = channel == 0 ? 0 : 5;
    return 0.25 * tone(seconds, frequency(second + shift, 0)) +
           0.15 * tone(seconds, frequency(second + shift, 1));
}

std::vector<float> TestSignal::stereo(int rate, std::int64_t firstFrame, std::int64_t frames) {
    std::vector<float> out(static_cast<std::size_t>(frames) * 2);
    for (std::int64_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(firstFrame + i) / rate;
        out[static_cast<std::size_t>(2 * i)] = static_cast<float>(at(t, 0));
        out[static_cast<std::size_t>(2 * i + 1)] = static_cast<float>(at(t, 1));
    }
    return out;
}

std::vector<float> TestSignal::stereo16(int rate, std::int64_t firstFrame, std::int64_t frames) {
    std::vector<float> out = stereo(rate, firstFrame, frames);
    for (float& v : out) {
        v = static_cast<float>(std::lround(static_cast<double>(v) * 32767.0)) / 32768.0f;
    }
    return out;
}

int TestSignal::bestLag(const std::vector<float>& want, std::int64_t wantOffset,
                        const std::vector<float>& got, int frames, int maxLag) {
    int best = std::numeric_limits<int>::min();
    double bestError = std::numeric_limits<double>::max();
    for (int lag = -maxLag; lag <= maxLag; ++lag) {
        const std::int64_t start = wantOffset + lag;
        if (start < 0 || static_cast<std::size_t>((start + frames) * 2) > want.size()) {
            continue;
        }
        double error = 0.0;
        for (int i = 0; i < frames; ++i) {
            const double d =
                want[static_cast<std::size_t>((start + i) * 2)] - got[static_cast<std::size_t>(2 * i)];
            error += d * d;
        }
        if (error < bestError) {
            bestError = error;
            best = lag;
        }
    }
    return best;
}

double TestSignal::maxError(const std::vector<float>& want, std::int64_t wantOffset,
                            const std::vector<float>& got, int frames) {
    double worst = 0.0;
    for (std::int64_t i = 0; i < static_cast<std::int64_t>(frames) * 2; ++i) {
        const std::size_t w = static_cast<std::size_t>(wantOffset * 2 + i);
        if (w >= want.size() || static_cast<std::size_t>(i) >= got.size()) {
            return std::numeric_limits<double>::infinity();
        }
        worst = std::max(worst, std::abs(static_cast<double>(want[w]) - got[static_cast<std::size_t>(i)]));
    }
    return worst;
}
