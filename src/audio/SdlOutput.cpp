#include "audio/SdlOutput.h"

#include "audio/OutputFormat.h"
#include "platform/ThreadPriority.h"

#include <QByteArray>

#include <cstdlib>
#include <mutex>
#include <dlfcn.h>
#include <sched.h>
#include <thread>

namespace {

// ALSA's own complaints (a missing card, a configuration it cannot parse) go to standard error, several for
// each attempt to open a device; with the device looked for twice a second that is thousands an hour in the
// user's journal. The desk says what matters itself, once per change. ALSA is loaded by SDL at run time, so
// its handler is set through the loaded library, with no link to it.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

// Whether a thread of this process may run real-time: tried once on a thread made for the purpose, directly
// and through the desktop's RealtimeKit, as SDL will do for its output thread.
bool realtimeGranted() {
    static const bool granted = [] {
        bool ok = false;
        std::thread probe([&ok] {
            const long self = ThreadPriority::currentThread();
            ok =
                ThreadPriority::makeRealtime(self) ||
                SDL_LinuxSetThreadPriorityAndPolicy(self, SDL_THREAD_PRIORITY_TIME_CRITICAL, SCHED_FIFO) == 0;
        });
        probe.join();
        return ok;
    }();
    return granted;
}

// A sound server's client library keeps as much of the stream as the variable asks for, read when the stream
// connects; a value the user set is left alone.
void askServerBuffer() {
    const char* driver = SDL_GetCurrentAudioDriver();
    if (!driver || SDL_strcmp(driver, "pulseaudio") != 0 || std::getenv("PULSE_LATENCY_MSEC")) {
        return;
    }
    const int ms = realtimeGranted() ? SdlOutput::ServerBufferMs : SdlOutput::ServerBufferWithoutRealtimeMs;
    setenv("PULSE_LATENCY_MSEC", QByteArray::number(ms).constData(), 0);
}

void silenceAlsaOnce() {
    static const bool done = [] {
        using SetHandler = int (*)(void (*)(const char*, int, const char*, int, const char*, ...));
        if (void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL)) {
            if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
                set(&quietAlsa);
        }
        // SDL asks for real-time scheduling of its output thread through the desktop's RealtimeKit.
        SDL_SetHint(SDL_HINT_THREAD_FORCE_REALTIME_TIME_CRITICAL, "1");
        SDL_SetHint(SDL_HINT_THREAD_PRIORITY_POLICY, "fifo");
        return true;
    }();
    static_cast<void>(done);
}

// SDL's audio subsystem is counted, but its start and end are not safe from two threads at once: the hall's
// and the pre-listen's watchdogs open, close and list through here one at a time.
std::mutex& sdlAudio() {
    static std::mutex m;
    return m;
}

bool present(const std::string& name) {
    const int count = SDL_GetNumAudioDevices(0);
    for (int i = 0; i < count; ++i) {
        const char* n = SDL_GetAudioDeviceName(i, 0);
        if (n && name == n)
            return true;
    }
    return false;
}

} // namespace

SdlOutput::~SdlOutput() {
    close();
}

// SDL's audio thread: the whole real-time path. SDL converts if the hardware wants another format.
void SDLCALL SdlOutput::callback(void* self, Uint8* stream, int len) {
    auto* output = static_cast<SdlOutput*>(self);
    if (output->renderThread_.load(std::memory_order_relaxed) == 0) { // once per device, for the watchdog
        output->renderThread_.store(ThreadPriority::currentThread(), std::memory_order_release);
    }
    output->render_(output->context_, reinterpret_cast<float*>(stream),
                    len / static_cast<int>(OutputFormat::Channels * sizeof(float)));
}

// UI thread at start-up, output watchdog later.
bool SdlOutput::open(Render render, void* context) {
    close();
    std::lock_guard<std::mutex> lock(sdlAudio());
    render_ = render;
    context_ = context;
    silenceAlsaOnce();
    sdlReady_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!sdlReady_) {
        return false;
    }
    askServerBuffer();
    SDL_AudioSpec want{};
    want.freq = OutputFormat::SampleRate;
    want.format = AUDIO_F32SYS;
    want.channels = OutputFormat::Channels;
    want.samples = OutputFormat::PeriodFrames;
    want.callback = &SdlOutput::callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    standingIn_ = !preferred_.empty() && !present(preferred_);
    if (standingIn_ && !fallBack_) {
        quitAudio();
        return false;
    }
    device_ = SDL_OpenAudioDevice(standingIn_ || preferred_.empty() ? nullptr : preferred_.c_str(), 0, &want,
                                  &have, 0);
    if (device_ == 0) {
        quitAudio();
        return false;
    }
    return true;
}

void SdlOutput::start() {
    if (device_ != 0) {
        SDL_PauseAudioDevice(device_, 0);
    }
}

// Output watchdog. A device SDL saw disappear reads as stopped, since it is never paused once started.
bool SdlOutput::lost() {
    return device_ != 0 && SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED;
}

// UI thread at the end, output watchdog otherwise.
void SdlOutput::close() {
    std::lock_guard<std::mutex> lock(sdlAudio());
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_); // joins SDL's audio thread: no callback is left running
        device_ = 0;
    }
    renderThread_.store(0, std::memory_order_release);
    quitAudio();
}

const char* SdlOutput::driverName() const {
    const char* driver = sdlReady_ ? SDL_GetCurrentAudioDriver() : nullptr;
    return driver ? driver : "SDL";
}

void SdlOutput::quitAudio() {
    if (sdlReady_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sdlReady_ = false;
    }
}

void SdlOutput::prefer(const std::string& name, bool fallBack) {
    preferred_ = name;
    fallBack_ = fallBack;
}

bool SdlOutput::preferredPresent() {
    if (preferred_.empty())
        return true;
    std::lock_guard<std::mutex> lock(sdlAudio());
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    const bool there = present(preferred_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return there;
}

std::vector<std::string> SdlOutput::deviceNames() {
    std::lock_guard<std::mutex> lock(sdlAudio());
    std::vector<std::string> names;
    silenceAlsaOnce();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return names;
    const int count = SDL_GetNumAudioDevices(0);
    for (int i = 0; i < count; ++i)
        if (const char* n = SDL_GetAudioDeviceName(i, 0))
            names.emplace_back(n);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return names;
}
