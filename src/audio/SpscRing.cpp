#include "audio/SpscRing.h"

#include <algorithm>
#include <cstring>

namespace {
std::size_t roundUpToPowerOfTwo(std::size_t n) {
    std::size_t p = 1;
    while (p < n) {
        p <<= 1;
    }
    return p;
}
} // namespace

SpscRing::SpscRing(std::size_t capacityFrames)
    : mask_(roundUpToPowerOfTwo(std::max<std::size_t>(capacityFrames, 2)) - 1) {
    // No zeroing: a megabyte of memset at every open would sit right in the press-to-sound path, and
    // the reader only ever sees frames the writer put there.
    data_.reset(new float[(mask_ + 1) * 2]);
}

std::size_t SpscRing::write(const float* interleaved, std::size_t frames) {
    const std::uint64_t w = writePos_.load(std::memory_order_relaxed);
    const std::uint64_t r = readPos_.load(std::memory_order_acquire);
    const std::size_t n = std::min<std::size_t>(frames, capacityFrames() - static_cast<std::size_t>(w - r));
    const std::size_t start = static_cast<std::size_t>(w) & mask_;
    const std::size_t first = std::min(n, capacityFrames() - start);
    std::memcpy(&data_[start * 2], interleaved, first * 2 * sizeof(float));
    std::memcpy(&data_[0], interleaved + first * 2, (n - first) * 2 * sizeof(float));
    writePos_.store(w + n, std::memory_order_release);
    return n;
}

std::size_t SpscRing::read(float* interleaved, std::size_t frames) {
    const std::uint64_t r = readPos_.load(std::memory_order_relaxed);
    const std::uint64_t w = writePos_.load(std::memory_order_acquire);
    const std::size_t n = std::min<std::size_t>(frames, static_cast<std::size_t>(w - r));
    const std::size_t start = static_cast<std::size_t>(r) & mask_;
    const std::size_t first = std::min(n, capacityFrames() - start);
    std::memcpy(interleaved, &data_[start * 2], first * 2 * sizeof(float));
    std::memcpy(interleaved + first * 2, &data_[0], (n - first) * 2 * sizeof(float));
    readPos_.store(r + n, std::memory_order_release);
    return n;
}

std::size_t SpscRing::readable() const {
    return static_cast<std::size_t>(writePos_.load(std::memory_order_acquire) -
                                    readPos_.load(std::memory_order_acquire));
}

std::size_t SpscRing::writable() const {
    return capacityFrames() - readable();
}

void SpscRing::reset() {
    readPos_.store(0, std::memory_order_release);
    writePos_.store(0, std::memory_order_release);
}
