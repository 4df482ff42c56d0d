#include "audio/Voice.h"

#include <algorithm>
#include <chrono>
#include <cstring>

Voice::Voice(int outputRate) : ring_(kRingFrames), decoder_(outputRate) {
    decoder_.setAbortFlag(&closing_);
}

// UI thread or the reaper's thread.
Voice::~Voice() {
    closing_.store(true);
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
    path_ = path;
    stamp_ = FileStamp::of(path);
    const AudioError result = decoder_.open(path);
    if (result != AudioError::None) {
        return result;
    }
    decoderOpen_ = true;
    durationMs_ = decoder_.durationMs();
    return AudioError::None;
}

// UI thread.
void Voice::openLater(const QString& path, const FileStamp& stamp, std::int64_t durationMs) {
    path_ = path;
    stamp_ = stamp;
    durationMs_ = durationMs;
}

// UI thread, after a start was set up: the decoder thread is made once there is something to decode, so a
// press never waits for a thread that was just made and holds the mutex.
void Voice::startThread() {
    if (!thread_.joinable()) {
        thread_ = std::thread(&Voice::decoderLoop, this);
    }
}

// Under mutex_: UI thread, pull thread or decoder thread.
bool Voice::openLocked() {
    if (!decoderOpen_ && openError_ == AudioError::None) {
        openError_ = decoder_.open(path_);
        decoderOpen_ = openError_ == AudioError::None;
    }
    return decoderOpen_;
}

// Under mutex_: UI thread, pull thread or decoder thread.
void Voice::fillLocked(std::size_t minFrames) {
    const bool more = decoder_.pump(ring_, minFrames);
    decodeEnded_.store(!more, std::memory_order_release);
}

// Under mutex_, pull or decoder thread: the seek behind the head, which the head's samples hide.
void Voice::beginContinuationLocked() {
    continuation_ = false;
    if (!openLocked()) {
        filling_ = false; // the file went away since its head was made: the title ends with the head
        decodeEnded_.store(true, std::memory_order_release);
        return;
    }
    decoder_.startAt(continueMs_, continueSkip_);
}

void Voice::lockFromOutsideDecoder(std::unique_lock<std::mutex>& lock) {
    uiWaiting_.fetch_add(1);
    lock.lock();
    uiWaiting_.fetch_sub(1);
}

// Under mutex_, UI thread, with the output side kept off this voice.
void Voice::resetOutputLocked(std::int64_t positionFrames) {
    ring_.reset();
    consumed_.store(0, std::memory_order_release);
    startFrame_.store(positionFrames, std::memory_order_release);
    firstSampleUs_.store(-1, std::memory_order_release);
    continuation_ = false;
    head_.reset(); // a head no longer played is freed here, on the UI thread
    headData_ = nullptr;
    headFrames_ = 0;
    headRead_ = 0;
}

// UI thread, with the output side kept off this voice by the caller.
AudioError Voice::restartAt(std::int64_t positionMs, std::int64_t positionFrames) {
    std::unique_lock<std::mutex> lock(mutex_, std::defer_lock);
    lockFromOutsideDecoder(lock);
    if (!openLocked()) {
        return openError_;
    }
    resetOutputLocked(positionFrames);
    decoder_.startAt(positionMs);
    fillLocked(kStartFrames);
    if (positionMs > 0 && ring_.readable() == 0 && decodeEnded_.load(std::memory_order_relaxed)) {
        return AudioError::OutOfRange; // a length the headers did not tell: the start itself found the end
    }
    filling_ = true;
    lock.unlock();
    wake_.notify_all();
    startThread();
    return AudioError::None;
}

// UI thread, with the output side kept off this voice by the caller. Nothing is decoded here.
void Voice::restartWithHead(std::shared_ptr<const TitleHead> head, std::int64_t positionFrames) {
    std::unique_lock<std::mutex> lock(mutex_, std::defer_lock);
    lockFromOutsideDecoder(lock);
    resetOutputLocked(positionFrames);
    if (head->durationMs >= 0) {
        durationMs_ = head->durationMs; // measured in the background where the headers only guessed it
    }
    head_ = std::move(head);
    headData_ = head_->samples.data();
    headFrames_ = head_->frames();
    continuation_ = !head_->complete;
    continueMs_ = head_->offsetMs;
    continueSkip_ = static_cast<std::int64_t>(headFrames_);
    continueWaits_ = 0;
    filling_ = continuation_;
    decodeEnded_.store(head_->complete, std::memory_order_release);
    lock.unlock();
    wake_.notify_all();
    startThread();
}

// Pull thread (no device): the only consumer, so decoding here cannot race the output side.
void Voice::topUp(std::size_t frames) {
    const std::size_t fromHead = headFrames_ - headRead_;
    if (frames <= fromHead) {
        return;
    }
    const std::size_t needed = frames - fromHead;
    if (decodeEnded_.load(std::memory_order_acquire) || ring_.readable() >= needed) {
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_, std::defer_lock);
    lockFromOutsideDecoder(lock);
    if (continuation_) {
        beginContinuationLocked();
    }
    if (filling_ && !decodeEnded_.load(std::memory_order_relaxed)) {
        fillLocked(needed);
    }
    lock.unlock();
    wake_.notify_all();
}

// Decoder thread: seeks behind a head when one started, then keeps the ring topped up while the voice is
// started, and sleeps otherwise. It polls every 40 ms instead of being woken by the output callback, which
// must not touch a mutex; a ring of 2.7 s leaves ample margin for that.
void Voice::decoderLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        if (uiWaiting_.load() > 0) {
            wake_.wait(lock, [this] { return quit_ || uiWaiting_.load() == 0; });
        } else if (continuation_ && firstSampleUs_.load() < 0 && continueWaits_ < kContinueWaits) {
            // The seek is hidden behind the head anyway: let the output take its first period before it,
            // so that this thread does not compete with the very first render for the processor.
            ++continueWaits_;
            wake_.wait_for(lock, std::chrono::milliseconds(2));
        } else if (continuation_) {
            beginContinuationLocked();
        } else if (!filling_ || decodeEnded_.load(std::memory_order_relaxed)) {
            wake_.wait(lock);
        } else if (ring_.writable() < kRefillFrames) {
            wake_.wait_for(lock, std::chrono::milliseconds(40));
        } else {
            fillLocked(kRefillFrames);
        }
    }
}

// Output thread. The ring is read only once the head is used up, so its frames follow the head's.
std::size_t Voice::take(float* interleaved, std::size_t frames) {
    std::size_t n = 0;
    if (headRead_ < headFrames_) {
        n = std::min(frames, headFrames_ - headRead_);
        std::memcpy(interleaved, headData_ + headRead_ * 2, n * 2 * sizeof(float));
        headRead_ += n;
    }
    if (n < frames) {
        n += ring_.read(interleaved + n * 2, frames - n);
    }
    consumed_.store(consumed_.load(std::memory_order_relaxed) + static_cast<std::int64_t>(n),
                    std::memory_order_release);
    return n;
}

// Output thread.
bool Voice::drained() const {
    return headRead_ >= headFrames_ && decodeEnded_.load(std::memory_order_acquire) && ring_.readable() == 0;
}

// Any thread.
std::int64_t Voice::positionFrames() const {
    return startFrame_.load(std::memory_order_acquire) + consumed_.load(std::memory_order_acquire);
}

void Voice::setGain(float gain, bool now) {
    gainTarget_.store(gain, std::memory_order_relaxed);
    if (now) {
        gainJump_.store(true, std::memory_order_release);
    }
}

void Voice::applyGain(float* interleaved, std::size_t frames) {
    const float target = gainTarget_.load(std::memory_order_relaxed);
    if (gainJump_.exchange(false, std::memory_order_acquire)) {
        gainNow_ = target;
    }
    if (gainNow_ == target) {
        if (target != 1.0f) {
            for (std::size_t i = 0; i < frames * 2; ++i) {
                interleaved[i] *= target;
            }
        }
        return;
    }
    // A new gain while the title sounds: a straight glide, never a step (which would click).
    const float step = (target - gainNow_) / kGainGlideFrames;
    for (std::size_t f = 0; f < frames; ++f) {
        if ((step > 0 && gainNow_ + step >= target) || (step < 0 && gainNow_ + step <= target)) {
            gainNow_ = target;
        } else {
            gainNow_ += step;
        }
        interleaved[2 * f] *= gainNow_;
        interleaved[2 * f + 1] *= gainNow_;
    }
}
