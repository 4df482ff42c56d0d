#include "audio/OutputDevice.h"

#include "audio/Mixer.h"
#include "audio/OutputFormat.h"

#include <chrono>

namespace {
constexpr auto kWatchdogInterval = std::chrono::milliseconds(200);
}

OutputDevice::OutputDevice(Mixer& mixer, Clock& clock)
    : mixer_(mixer), silent_(mixer, clock, OutputFormat::SampleRate, OutputFormat::PeriodFrames) {
    sdlReady_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!sdlReady_ || !openDevice()) {
        fallBackToSilence();
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
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_);
    }
    if (sdlReady_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

// SDL's audio thread: the whole real-time path. SDL converts if the hardware wants another format.
void SDLCALL OutputDevice::callback(void* self, Uint8* stream, int len) {
    auto* device = static_cast<OutputDevice*>(self);
    device->mixer_.renderPeriod(reinterpret_cast<float*>(stream), len / static_cast<int>(2 * sizeof(float)));
}

// UI thread at start, watchdog thread later (under mutex_).
bool OutputDevice::openDevice() {
    SDL_AudioSpec want{};
    want.freq = OutputFormat::SampleRate;
    want.format = AUDIO_F32SYS;
    want.channels = OutputFormat::Channels;
    want.samples = OutputFormat::PeriodFrames;
    want.callback = &OutputDevice::callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
        return false;
    }
    hasDevice_.store(true);
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

// UI thread at start, watchdog thread later (under mutex_).
void OutputDevice::fallBackToSilence() {
    hasDevice_.store(false);
    noDeviceNotice_.store(true);
    silent_.start();
}

void OutputDevice::wake() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++wakeups_;
    }
    cv_.notify_all();
    silent_.wake();
}

void OutputDevice::simulateDeviceLoss() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_); // the id stays behind and now reads as stopped
    }
}

// Watchdog thread: looks at the device five times a second while something plays, sleeps otherwise.
void OutputDevice::watchdogLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    std::uint64_t seen = 0;
    while (!quit_) {
        if (!mixer_.anyPlaying()) {
            cv_.wait(lock, [&] { return quit_ || wakeups_ != seen; });
            seen = wakeups_;
            continue;
        }
        cv_.wait_for(lock, kWatchdogInterval, [&] { return quit_; });
        if (!quit_) {
            checkDevice();
        }
    }
}

// Watchdog thread, under mutex_.
void OutputDevice::checkDevice() {
    if (!hasDevice_.load() || SDL_GetAudioDeviceStatus(device_) != SDL_AUDIO_STOPPED) {
        return;
    }
    SDL_CloseAudioDevice(device_); // joins SDL's thread: no render of the old device is left running
    device_ = 0;
    reopens_.fetch_add(1);
    if (!openDevice()) {
        fallBackToSilence();
    }
}
