#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

class Clock;
class Mixer;

// Stands in for a sound card when there is none: pulls one period at a time from the mixer in real
// time and throws it away, so titles run, finish and count their positions as they would when heard.
// Sleeps while nothing plays.
class SilentClock {
  public:
    SilentClock(Mixer& mixer, Clock& clock, int sampleRate, int periodFrames);
    ~SilentClock();
    SilentClock(const SilentClock&) = delete;
    SilentClock& operator=(const SilentClock&) = delete;

    // UI or watchdog thread.
    void start();
    void stop();
    bool running() const { return thread_.joinable(); }
    // UI thread: something may have started playing.
    void wake();

  private:
    void loop();
    std::int64_t deadline(std::int64_t origin, std::int64_t periods) const;

    Mixer& mixer_;
    Clock& clock_;
    const int sampleRate_;
    const int periodFrames_;
    std::vector<float> buffer_;
    std::mutex mutex_;
    std::condition_variable cv_;
    bool quit_ = false;
    std::uint64_t wakeups_ = 0;
    std::thread thread_;
};
