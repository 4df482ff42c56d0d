#pragma once
#include "audio/AudioError.h"
#include "audio/SpscRing.h"
#include "audio/TitleDecoder.h"
#include "audio/TitleHead.h"

#include <QString>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

// One open title: its decoder, its ring and the decoder thread that keeps the ring filled, and the head it
// may start with. The output side only reads the head, the ring and the counters; it never takes the mutex.
class Voice {
  public:
    static constexpr std::size_t kRingFrames = 1 << 17; // 2.7 s at 48000 Hz
    static constexpr std::size_t kStartFrames = 2048;   // in the ring before a start returns
    static constexpr std::size_t kRefillFrames = 4096;  // the decoder thread waits for this much room
    static constexpr int kContinueWaits = 10;           // at most 20 ms for the first period to go out

    explicit Voice(int outputRate);
    ~Voice();
    Voice(const Voice&) = delete;
    Voice& operator=(const Voice&) = delete;

    // UI thread: opens the file; the decoder thread follows with the first start.
    AudioError open(const QString& path);
    // UI thread: a file a head was made from, unchanged since: its decoder opens on the decoder thread at
    // the first start, while the head plays.
    void openLater(const QString& path, const FileStamp& stamp, std::int64_t durationMs);
    const QString& path() const { return path_; }
    // The file as it was when it was opened.
    const FileStamp& stamp() const { return stamp_; }
    std::int64_t durationMs() const { return durationMs_; }

    // UI thread, only while the output side is not draining this voice: empties the ring, seeks,
    // puts the first samples in the ring and lets the decoder thread go on filling. Fails only when a
    // decoder left for later cannot be opened now.
    AudioError restartAt(std::int64_t positionMs, std::int64_t positionFrames);
    // UI thread, on the same terms: starts with the head's samples at once; the decoder thread seeks to the
    // head's start and continues exactly behind its last sample.
    void restartWithHead(std::shared_ptr<const TitleHead> head, std::int64_t positionFrames);
    // Pull thread (no device): decodes right here until frames frames are ready or the title ends,
    // so a render never hears a gap just because the decoder thread was not scheduled yet.
    void topUp(std::size_t frames);

    // Output thread: takes up to frames frames (the head first, then the ring); counts them as played.
    std::size_t take(float* interleaved, std::size_t frames);
    // Output thread: true once the title is exhausted and nothing is left to take.
    bool drained() const;

    // Any thread.
    std::int64_t positionFrames() const;
    std::int64_t firstSampleUs() const { return firstSampleUs_.load(std::memory_order_acquire); }
    // Output thread: the moment the first frame of the current start went out.
    void markFirstSample(std::int64_t us) { firstSampleUs_.store(us, std::memory_order_release); }
    std::size_t buffered() const { return ring_.readable(); }
    // UI thread: frames of the current start that come from a head (0 when it was decoded at the start).
    std::size_t headFrames() const { return headFrames_; }

    // UI thread: the title's own linear gain (loudness matching; 1 is the title as it is). now: from the next
    // sample on (before a start); otherwise the output side glides there.
    void setGain(float gain, bool now);
    // Output thread: scales frames just taken by the title's gain, gliding over kGainGlideFrames when it
    // changed. At gain 1 the samples are left exactly as they are.
    void applyGain(float* interleaved, std::size_t frames);
    static constexpr float kGainGlideFrames = 2400.0f; // 50 ms

  private:
    void startThread();
    void decoderLoop();
    void fillLocked(std::size_t minFrames);
    bool openLocked();
    void beginContinuationLocked();
    void resetOutputLocked(std::int64_t positionFrames);
    void lockFromOutsideDecoder(std::unique_lock<std::mutex>& lock);

    SpscRing ring_;
    TitleDecoder decoder_;
    QString path_;
    FileStamp stamp_;
    std::int64_t durationMs_ = -1;

    std::mutex mutex_;
    std::condition_variable wake_;
    bool decoderOpen_ = false;                // guarded by mutex_
    AudioError openError_ = AudioError::None; // guarded by mutex_
    bool continuation_ = false;               // guarded by mutex_: seek behind the head still to do
    std::int64_t continueMs_ = 0;             // guarded by mutex_
    std::int64_t continueSkip_ = 0;           // guarded by mutex_
    int continueWaits_ = 0;                   // guarded by mutex_: 2 ms waits for the first period so far
    bool filling_ = false;                    // guarded by mutex_
    bool quit_ = false;                       // guarded by mutex_
    std::atomic<bool> closing_{false};        // a seek still running when the voice goes gives up at once
    std::atomic<int> uiWaiting_{0};           // the decoder thread steps aside while the UI waits
    std::atomic<bool> decodeEnded_{true};     // set after the last frame went into the ring
    std::atomic<std::int64_t> startFrame_{0};
    std::atomic<std::int64_t> consumed_{0};
    std::atomic<std::int64_t> firstSampleUs_{-1};

    // The head of the current start. Set by the UI thread while the output side is kept off this voice,
    // read by the output thread, which never owns it.
    std::shared_ptr<const TitleHead> head_;
    const float* headData_ = nullptr;
    std::size_t headFrames_ = 0;
    std::size_t headRead_ = 0; // output thread

    std::atomic<float> gainTarget_{1.0f};
    std::atomic<bool> gainJump_{false};
    float gainNow_ = 1.0f; // output thread

    std::thread thread_;
};
