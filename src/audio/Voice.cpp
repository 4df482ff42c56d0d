#include "audio/Voice.h"

#include <chrono>

Voice::Voice(int outputRate) : ring_(kRingFrames), decoder_(outputRate) {}

// UI thread.
Voice::~Voice() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

// UI thread.
AudioError Voice::open(const QString& path) {
    const AudioError result = decoder_.open(path);
    if (result != AudioError::None) {
        return result;
    }
    durationMs_ = decoder_.durationMs();
    thread_ = std::thread(&Voice::decoderLoop, this);
    return AudioError::None;
}

// Under mutex_: UI thread, pull thread or decoder thread.
void Voice::fillLocked(std::size_t minFrames) {
    const bool more = decoder_.pump(ring_, minFrames);
    decodeEnded_.store(!more, std::memory_order_release);
}

// UI thread, with the output side kept off this voice by the caller.
void Voice::restartAt(std::int64_t positionMs, std::int64_t positionFrames) {
    uiWaiting_.fetch_add(1);
    std::unique_lock<std::mutex> lock(mutex_);
    uiWaiting_.fetch_sub(1);
    ring_.reset();
    consumed_.store(0, std::memory_order_release);
    startFrame_.store(positionFrames, std::memory_order_release);
    firstSampleUs_.store(-1, std::memory_order_release);
    decoder_.startAt(positionMs);
    fillLocked(kStartFrames);
    filling_ = true;
    lock.unlock();
    wake_.notify_all();
}

// Pull thread (no device): the only consumer, so decoding here cannot race the output side.
void Voice::topUp(std::size_t frames) {
    if (decodeEnded_.load(std::memory_order_acquire) || ring_.readable() >= frames) {
        return;
    }
    uiWaiting_.fetch_add(1);
    std::unique_lock<std::mutex> lock(mutex_);
    uiWaiting_.fetch_sub(1);
    if (filling_ && !decodeEnded_.load(std::memory_order_relaxed)) {
        fillLocked(frames);
    }
    lock.unlock();
    wake_.notify_all();
}

// Decoder thread: keeps the ring topped up while the voice is started, sleeps otherwise. It polls
// every 40 ms instead of being woken by the output callback, which must not touch a mutex; a ring of
// 2.7 s leaves ample margin for that.
void Voice::decoderLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        if (uiWaiting_.load() > 0) {
            wake_.wait(lock, [this] { return quit_ || uiWaiting_.load() == 0; });
        } else if (!filling_ || decodeEnded_.load(std::memory_order_relaxed)) {
            wake_.wait(lock);
        } else if (ring_.writable() < kRefillFrames) {
            wake_.wait_for(lock, std::chrono::milliseconds(40));
        } else {
            fillLocked(kRefillFrames);
        }
    }
}

// Output thread.
std::size_t Voice::take(float* interleaved, std::size_t frames) {
    const std::size_t n = ring_.read(interleaved, frames);
    consumed_.store(consumed_.load(std::memory_order_relaxed) + static_cast<std::int64_t>(n),
                    std::memory_order_release);
    return n;
}

// Output thread.
bool Voice::drained() const {
    return decodeEnded_.load(std::memory_order_acquire) && ring_.readable() == 0;
}

// Any thread.
std::int64_t Voice::positionFrames() const {
    return startFrame_.load(std::memory_order_acquire) + consumed_.load(std::memory_order_acquire);
}
