#pragma once
#include "audio/AudioError.h"
#include "audio/SpscRing.h"
#include "audio/TitleDecoder.h"

#include <QString>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

// One open title: its decoder, its ring and the decoder thread that keeps the ring filled.
// The output side only reads the ring and the counters; it never takes the mutex.
class Voice {
  public:
    static constexpr std::size_t kRingFrames = 1 << 17; // 2.7 s at 48000 Hz
    static constexpr std::size_t kStartFrames = 2048;   // in the ring before a start returns
    static constexpr std::size_t kRefillFrames = 4096;  // the decoder thread waits for this much room

    explicit Voice(int outputRate);
    ~Voice();
    Voice(const Voice&) = delete;
    Voice& operator=(const Voice&) = delete;

    // UI thread: opens the file and starts the (idle) decoder thread.
    AudioError open(const QString& path);
    std::int64_t durationMs() const { return durationMs_; }

    // UI thread, only while the output side is not draining this voice: empties the ring, seeks,
    // puts the first samples in the ring and lets the decoder thread go on filling.
    void restartAt(std::int64_t positionMs, std::int64_t positionFrames);
    // Pull thread (no device): decodes right here until frames frames are ready or the title ends,
    // so a render never hears a gap just because the decoder thread was not scheduled yet.
    void topUp(std::size_t frames);

    // Output thread: takes up to frames frames; counts them as played.
    std::size_t take(float* interleaved, std::size_t frames);
    // Output thread: true once the title is exhausted and the ring is empty.
    bool drained() const;

    // Any thread.
    std::int64_t positionFrames() const;
    std::int64_t firstSampleUs() const { return firstSampleUs_.load(std::memory_order_acquire); }
    // Output thread: the moment the first frame of the current start went out.
    void markFirstSample(std::int64_t us) { firstSampleUs_.store(us, std::memory_order_release); }
    std::size_t buffered() const { return ring_.readable(); }

  private:
    void decoderLoop();
    void fillLocked(std::size_t minFrames);

    SpscRing ring_;
    TitleDecoder decoder_;
    std::int64_t durationMs_ = -1;

    std::mutex mutex_;
    std::condition_variable wake_;
    bool filling_ = false;                // guarded by mutex_
    bool quit_ = false;                   // guarded by mutex_
    std::atomic<int> uiWaiting_{0};       // the decoder thread steps aside while the UI waits
    std::atomic<bool> decodeEnded_{true}; // set after the last frame went into the ring
    std::atomic<std::int64_t> startFrame_{0};
    std::atomic<std::int64_t> consumed_{0};
    std::atomic<std::int64_t> firstSampleUs_{-1};
    std::thread thread_;
};
