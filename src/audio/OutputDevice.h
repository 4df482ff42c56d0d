#pragma once
#include "audio/OutputBackend.h"
#include "audio/SilentClock.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

class Clock;
class Mixer;

// The one sound output. While a device plays, a watchdog looks at it; when it goes away (a card unplugged,
// the sound server restarted) or was never found, the mixer runs on the silent clock and the watchdog tries
// to open the device again about twice a second for as long as the desk runs. The title goes on from where
// the silent clock has carried it. Only one of device and silent clock renders at any time. The watchdog also
// makes the device's render thread real-time and says each change of state in one line on standard error.
// While nothing plays or waits and the operator has not been at the desk for a while, the device rests
// (closed, so that neither it nor a sound server wakes the machine hundreds of times a second); the operator
// coming back opens it in the background before the press, and a press without warning opens it at once.
class OutputDevice {
  public:
    static constexpr int kWatchMs = 200; // a playing device is looked at this often
    static constexpr int kRetryMs = 500; // a missing device is tried this often (and an idle one looked at)
    static constexpr std::int64_t kRestAfterUs = 30000000; // idle this long, the device rests

    // UI thread: opens the device (or starts the silent clock) and the watchdog.
    OutputDevice(Mixer& mixer, Clock& clock, std::unique_ptr<OutputBackend> backend);
    ~OutputDevice();
    OutputDevice(const OutputDevice&) = delete;
    OutputDevice& operator=(const OutputDevice&) = delete;

    // Any thread: whether the sound reaches a device right now.
    bool hasDevice() const { return hasDevice_.load(); }
    // UI thread: true exactly once when no device could be opened at start-up.
    bool takeNoDeviceNotice() { return noDeviceNotice_.exchange(false); }
    // UI thread: something started playing; the silent clock resumes its rounds, a resting device opens.
    // Never waits for the watchdog.
    void wake();
    // UI thread: the operator is at the desk (a mouse move, a key): a resting device opens now, in the
    // background, so that the press that follows finds it running.
    void operatorActive();
    // Any thread: whether the device rests now.
    bool resting() const { return resting_.load(); }
    // Any thread: whether the render thread runs real-time (false until the watchdog has seen it).
    bool realtime() const { return realtime_.load(); }
    // UI thread: from now on the device of this name (empty: the default); the watchdog opens it at once. With
    // fallBack the default plays while it is missing, and the chosen one takes over when it comes back.
    void prefer(const std::string& name, bool fallBack);
    // Any thread: the default plays because the chosen device is missing.
    bool standingIn() const { return standingIn_.load(); }

  private:
    static void render(void* self, float* interleaved, int frames);
    bool openDevice();
    void watchdogLoop();
    void watchOnce();
    void tuneRenderThread();

    bool mayRest();

    Mixer& mixer_;
    Clock& clock_;
    SilentClock silent_;
    std::unique_ptr<OutputBackend> backend_; // used under mutex_ once the watchdog runs
    std::mutex mutex_;
    std::condition_variable cv_;
    bool quit_ = false;
    std::atomic<bool> hasDevice_{false};
    std::atomic<bool> noDeviceNotice_{false};
    std::atomic<bool> realtime_{false};
    std::atomic<bool> resting_{false};
    std::atomic<bool> wanted_{false};       // a resting device is to open
    std::atomic<bool> standingIn_{false};
    bool reopen_ = false;          // guarded by mutex_: another device was chosen
    int presentChecks_ = 0;        // watchdog only: rounds since the chosen device was last looked for
    std::atomic<std::int64_t> activeUs_{0}; // when something last played or the operator was last seen
    bool tuned_ = false; // the render thread of the device open now has been seen to; watchdog only
    std::thread watchdog_;
};
