#include "audio/SilentClock.h"

#include "audio/Mixer.h"
#include "platform/Clock.h"

SilentClock::SilentClock(Mixer& mixer, Clock& clock, int sampleRate, int periodFrames)
    : mixer_(mixer), clock_(clock), sampleRate_(sampleRate), periodFrames_(periodFrames),
      buffer_(static_cast<std::size_t>(periodFrames) * 2, 0.0f) {}

SilentClock::~SilentClock() {
    stop();
}

// UI thread at start-up, output watchdog later.
void SilentClock::start() {
    if (thread_.joinable()) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = false;
    }
    thread_ = std::thread(&SilentClock::loop, this);
}

void SilentClock::stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    cv_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

// Silent clock thread: counted in frames so that 5333.3 us periods do not drift.
std::int64_t SilentClock::deadline(std::int64_t origin, std::int64_t periods) const {
    return origin + periods * periodFrames_ * 1000000 / sampleRate_;
}

void SilentClock::wake() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++wakeups_;
    }
    cv_.notify_all();
}

// Silent clock thread. Periods are paced against absolute deadlines so that they do not drift; after
// a long stall (a suspended machine) the schedule starts afresh instead of racing to catch up.
void SilentClock::loop() {
    std::uint64_t seen = 0;
    std::int64_t origin = 0;
    std::int64_t periods = 0;
    bool ticking = false;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            if (quit_) {
                return;
            }
            if (!mixer_.anyPlaying()) {
                cv_.wait(lock, [&] { return quit_ || wakeups_ != seen; });
                seen = wakeups_;
                ticking = false;
                continue;
            }
        }
        const std::int64_t now = clock_.nowUs();
        if (!ticking || now - deadline(origin, periods) > 100000) {
            origin = now;
            periods = 0;
            ticking = true;
        }
        mixer_.renderPeriod(buffer_.data(), periodFrames_);
        clock_.sleepUntilUs(deadline(origin, ++periods));
    }
}
