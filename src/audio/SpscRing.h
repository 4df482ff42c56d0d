#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

// Lock-free single-producer single-consumer ring of interleaved stereo float frames, allocated once.
// The decoder side writes, the output side reads; neither ever waits for the other.
class SpscRing {
  public:
    // Any thread, before use. capacityFrames is rounded up to a power of two.
    explicit SpscRing(std::size_t capacityFrames);

    std::size_t capacityFrames() const { return mask_ + 1; }

    // Producer thread. Copies up to frames frames, returns how many fitted.
    std::size_t write(const float* interleaved, std::size_t frames);
    // Consumer thread (the output callback). Copies up to frames frames out, returns how many there were.
    std::size_t read(float* interleaved, std::size_t frames);

    // Either side; exact for the calling side, a lower bound for the other one.
    std::size_t readable() const;
    std::size_t writable() const;

    // Only while neither side touches the ring (the owner parks both first): empties it.
    void reset();

  private:
    std::unique_ptr<float[]> data_; // left uninitialised: the pages are first touched by the decoder
    std::size_t mask_;
    // Free-running frame counters; their difference is the fill. On separate cache lines so the
    // two threads do not keep stealing one line from each other.
    alignas(64) std::atomic<std::uint64_t> writePos_{0};
    alignas(64) std::atomic<std::uint64_t> readPos_{0};
};
