#include "audio/OutputDevice.h"

#include "audio/Mixer.h"
#include "audio/OutputFormat.h"

#include "platform/Clock.h"
#include "platform/ThreadPriority.h"

#include <chrono>
#include <cstdio>

namespace {
// Watchdog thread (or the UI thread at start-up): one line per change, never from the render thread.
void say(const char* text, const char* driver = "") {
    std::fprintf(stderr, "klangwart: %s%s\n", text, driver);
}
} // namespace

OutputDevice::OutputDevice(Mixer& mixer, Clock& clock, std::unique_ptr<OutputBackend> backend)
    : mixer_(mixer), clock_(clock),
      silent_(mixer, clock, OutputFormat::SampleRate, OutputFormat::PeriodFrames),
      backend_(std::move(backend)) {
    activeUs_.store(clock_.nowUs());
    if (!openDevice()) {
        noDeviceNotice_.store(true);
        silent_.start();
        say("Keine Tonausgabe gefunden: Die Titel laufen stumm, bis ein Gerät da ist.");
    }
    watchdog_ = std::thread(&OutputDevice::watchdogLoop, this);
}

OutputDevice::~OutputDevice() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    cv_.notify_all();
    watchdog_.join();
    silent_.stop();
    backend_->close();
}

// Device thread.
void OutputDevice::render(void* self, float* interleaved, int frames) {
    static_cast<OutputDevice*>(self)->mixer_.renderPeriod(interleaved, frames);
}

// UI thread at start-up, watchdog thread later (under mutex_). The silent clock hands over only once the
// device is open, so a failed attempt costs the running title no time, and it is stopped before the device
// starts, so the two never render at once.
bool OutputDevice::openDevice() {
    if (!backend_->open(&OutputDevice::render, this)) {
        return false;
    }
    silent_.stop();
    tuned_ = false;
    backend_->start();
    hasDevice_.store(true);
    standingIn_.store(backend_->standingIn());
    return true;
}

// UI thread.
void OutputDevice::prefer(const std::string& name, bool fallBack) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        backend_->prefer(name, fallBack);
        reopen_ = true;
        wanted_.store(true);
    }
    cv_.notify_all();
}

// UI thread.
void OutputDevice::wake() {
    silent_.wake();
    if (resting_.load()) {
        operatorActive();
    }
}

// UI thread: a store and, only while resting, one notify.
void OutputDevice::operatorActive() {
    activeUs_.store(clock_.nowUs());
    if (resting_.load() && !wanted_.exchange(true)) {
        {
            std::lock_guard<std::mutex> lock(mutex_); // the watchdog sees wanted_ before it waits again
        }
        cv_.notify_all();
    }
}

// Watchdog thread. A resting device sleeps until it is wanted; no timer wakes the machine meanwhile.
void OutputDevice::watchdogLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        if (resting_.load()) {
            cv_.wait(lock, [this] { return quit_ || wanted_.load(); });
        } else {
            const bool watchClosely = hasDevice_.load() && mixer_.anyPlaying();
            cv_.wait_for(lock, std::chrono::milliseconds(watchClosely ? kWatchMs : kRetryMs),
                         [this] { return quit_ || wanted_.load(); });
        }
        if (!quit_) {
            watchOnce();
        }
    }
}

// Watchdog thread, under mutex_: the device has nothing to play, nothing waits, and the operator has been
// away long enough.
bool OutputDevice::mayRest() {
    const std::int64_t now = clock_.nowUs();
    if (mixer_.anyActive()) {
        activeUs_.store(now);
        return false;
    }
    return now - activeUs_.load() >= kRestAfterUs;
}

// Watchdog thread, under mutex_: a lost device is closed and opened again at once (a default device that
// changed); when that fails the silent clock carries the title until a later round finds a device.
void OutputDevice::watchOnce() {
    // Another device chosen, or the chosen one back while the default stood in (looked for every few rounds,
    // since listing the devices costs more than watching one): the title moves over as after a loss.
    constexpr int kPresentEvery = 4;
    bool back = false;
    if (hasDevice_.load() && standingIn_.load() && ++presentChecks_ >= kPresentEvery) {
        presentChecks_ = 0;
        back = backend_->preferredPresent();
    }
    if ((reopen_ || back) && !resting_.load()) {
        reopen_ = false;
        backend_->close();
        hasDevice_.store(false);
        realtime_.store(false);
        standingIn_.store(false);
        if (!openDevice()) {
            silent_.start();
            say("Das gewählte Tonausgabegerät fehlt: Die Titel laufen stumm weiter, bis es da ist.");
            return;
        }
        say("Tonausgabe über ", backend_->driverName());
        return;
    }
    reopen_ = false; // a resting device opens on the chosen one anyway
    if (resting_.load()) {
        wanted_.store(false);
        resting_.store(false);
        if (!openDevice()) { // gone while it rested
            hasDevice_.store(false);
            silent_.start();
            say("Die Tonausgabe ist weg: Die Titel laufen stumm weiter, bis das Gerät wieder da ist.");
        }
        return;
    }
    wanted_.store(false);
    if (hasDevice_.load()) {
        if (!backend_->lost()) {
            tuneRenderThread();
            if (mayRest()) {
                backend_->close();
                resting_.store(true);
                if (mixer_.anyActive()) { // a press came meanwhile and saw the device still open
                    wanted_.store(true);
                }
            }
            return;
        }
        backend_->close(); // no render of the old device is left running
        hasDevice_.store(false);
        realtime_.store(false);
        if (!openDevice()) {
            silent_.start();
            say("Die Tonausgabe ist weg: Die Titel laufen stumm weiter, bis das Gerät wieder da ist.");
            return;
        }
    } else if (!openDevice()) {
        return;
    }
    say("Tonausgabe über ", backend_->driverName());
}

// Watchdog thread, under mutex_, once the device's render thread has rendered. A real-time thread is late
// only when the machine itself is; one at normal priority waits behind every busy program. The device asked
// the desktop's RealtimeKit itself when its thread began; what the desk may do directly is done here.
void OutputDevice::tuneRenderThread() {
    const long thread = backend_->renderThread();
    if (tuned_ || thread == 0) {
        return;
    }
    tuned_ = true;
    if (ThreadPriority::isRealtime(thread) || ThreadPriority::makeRealtime(thread)) {
        realtime_.store(true);
        return;
    }
    say("Die Tonausgabe läuft ohne Echtzeit-Priorität (das System gewährt sie nicht); ein Tonserver hält "
        "darum mehr von ihr im Puffer.");
}
