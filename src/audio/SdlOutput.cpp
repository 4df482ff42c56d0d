#include "audio/SdlOutput.h"

#include "audio/OutputFormat.h"

SdlOutput::~SdlOutput() {
    close();
}

// SDL's audio thread: the whole real-time path. SDL converts if the hardware wants another format.
void SDLCALL SdlOutput::callback(void* self, Uint8* stream, int len) {
    auto* output = static_cast<SdlOutput*>(self);
    output->render_(output->context_, reinterpret_cast<float*>(stream),
                    len / static_cast<int>(OutputFormat::Channels * sizeof(float)));
}

// UI thread at start-up, output watchdog later.
bool SdlOutput::open(Render render, void* context) {
    close();
    render_ = render;
    context_ = context;
    sdlReady_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!sdlReady_) {
        return false;
    }
    SDL_AudioSpec want{};
    want.freq = OutputFormat::SampleRate;
    want.format = AUDIO_F32SYS;
    want.channels = OutputFormat::Channels;
    want.samples = OutputFormat::PeriodFrames;
    want.callback = &SdlOutput::callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
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
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_); // joins SDL's audio thread: no callback is left running
        device_ = 0;
    }
    quitAudio();
}

void SdlOutput::quitAudio() {
    if (sdlReady_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sdlReady_ = false;
    }
}
