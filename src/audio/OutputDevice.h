#pragma once
#include "audio/SilentClock.h"

#include <SDL.h>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

class Clock;
class Mixer;

// The one sound output: an SDL device, float32 stereo, opened once. Without any device the mixer runs
// on the silent clock and the operator is told once. A watchdog notices a device that went away while
// a title plays and opens the default device in its place; the title goes on.
class OutputDevice {
  public:
    // UI thread: opens the device (or starts the silent clock) and the watchdog.
    OutputDevice(Mixer& mixer, Clock& clock);
    ~OutputDevice();
    OutputDevice(const OutputDevice&) = delete;
    OutputDevice& operator=(const OutputDevice&) = delete;

    // Any thread.
    bool hasDevice() const { return hasDevice_.load(); }
    // UI thread: true exactly once after the engine fell back to the silent clock.
    bool takeNoDeviceNotice() { return noDeviceNotice_.exchange(false); }
    // UI thread: something started playing; the watchdog and the silent clock resume their rounds.
    void wake();
    // UI thread, for tests: closes the device under the running title as an unplugged card would.
    void simulateDeviceLoss();
    // Any thread: how often the device had to be opened again.
    int reopenCount() const { return reopens_.load(); }

  private:
    static void SDLCALL callback(void* self, Uint8* stream, int len);
    bool openDevice();
    void fallBackToSilence();
    void watchdogLoop();
    void checkDevice();

    Mixer& mixer_;
    SilentClock silent_;
    bool sdlReady_ = false;
    SDL_AudioDeviceID device_ = 0; // guarded by mutex_ once the watchdog runs
    std::mutex mutex_;
    std::condition_variable cv_;
    bool quit_ = false;
    std::uint64_t wakeups_ = 0;
    std::atomic<bool> hasDevice_{false};
    std::atomic<bool> noDeviceNotice_{false};
    std::atomic<int> reopens_{0};
    std::thread watchdog_;
};
