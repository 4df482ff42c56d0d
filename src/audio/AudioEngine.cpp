#include "audio/AudioEngine.h"

#include "audio/OutputDevice.h"
#include "audio/SdlOutput.h"
#include "audio/TitleLength.h"
#include "audio/Voice.h"

#include <algorithm>
#include <cstring>

extern "C" {
#include <libavutil/log.h>
}

AudioEngine::AudioEngine(Clock& clock, Output output)
    : AudioEngine(clock, output, output == Output::Device ? std::make_unique<SdlOutput>() : nullptr) {}

AudioEngine::AudioEngine(Clock& clock, std::unique_ptr<OutputBackend> device)
    : AudioEngine(clock, Output::Device, std::move(device)) {}

AudioEngine::AudioEngine(Clock& clock, Output output, std::unique_ptr<OutputBackend> device)
    : output_(output), mixer_(clock, output == Output::Pull) {
    // A damaged title is refused or ends early; FFmpeg's complaints about it have no reader here.
    av_log_set_level(AV_LOG_QUIET);
    if (output_ == Output::Device) {
        device_ = std::make_unique<OutputDevice>(mixer_, clock, std::move(device));
    }
}

AudioEngine::~AudioEngine() {
    for (int id = 0; id < Mixer::kMaxVoices; ++id) {
        close(id);
    }
    device_.reset();
}

Voice* AudioEngine::find(VoiceId id) const {
    return id >= 0 && id < Mixer::kMaxVoices ? voices_[static_cast<std::size_t>(id)].get() : nullptr;
}

void AudioEngine::wakeOutput() {
    if (device_) {
        device_->wake();
    }
}

AudioError AudioEngine::open(const QString& path, VoiceId& id) {
    auto voice = std::make_unique<Voice>(kSampleRate);
    const FileStamp stamp = FileStamp::of(path);
    if (const HeadCache::Head known = stamp.exists ? heads_.knownFile(path, stamp) : nullptr) {
        voice->openLater(path, stamp, known->durationMs);
    } else if (const AudioError result = voice->open(path); result != AudioError::None) {
        return result;
    }
    voice->setGain(titleGain(path), true);
    const int slot = mixer_.attach(voice.get());
    if (slot < 0) {
        return AudioError::NoFreeVoice;
    }
    voices_[static_cast<std::size_t>(slot)] = std::move(voice);
    id = slot;
    return AudioError::None;
}

AudioError AudioEngine::playFrom(VoiceId id, std::int64_t positionMs) {
    Voice* voice = find(id);
    if (!voice) {
        return AudioError::NoSuchVoice;
    }
    positionMs = std::max<std::int64_t>(0, positionMs);
    if (positionMs > kMaxPositionMs || TitleLength::startsPastEnd(positionMs, voice->durationMs())) {
        return AudioError::OutOfRange;
    }
    // Off the output side first: the ring is rewound under its feet otherwise. A voice that never played
    // was never seen by a render, so a press on a freshly opened title does not wait for one.
    const bool seen = mixer_.state(id) != VoiceState::Opened;
    mixer_.setState(id, VoiceState::Stopped);
    if (seen) {
        mixer_.waitUntilQuiet();
    }
    const std::int64_t positionFrames = positionMs * kSampleRate / 1000;
    const HeadCache::Head head = heads_.find(voice->path(), positionMs);
    if (head && head->stamp == voice->stamp()) {
        voice->restartWithHead(head, positionFrames);
    } else if (const AudioError result = voice->restartAt(positionMs, positionFrames);
               result != AudioError::None) {
        return result;
    }
    mixer_.setState(id, VoiceState::Playing);
    wakeOutput();
    return AudioError::None;
}

AudioError AudioEngine::resume(VoiceId id) {
    if (!find(id)) {
        return AudioError::NoSuchVoice;
    }
    switch (mixer_.state(id)) {
    case VoiceState::Opened:
        return playFrom(id, 0);
    case VoiceState::Paused:
    case VoiceState::Stopped:
        mixer_.setState(id, VoiceState::Playing);
        wakeOutput();
        return AudioError::None;
    default:
        return AudioError::None; // playing goes on; a finished title stays at its end
    }
}

AudioError AudioEngine::pause(VoiceId id) {
    if (!find(id)) {
        return AudioError::NoSuchVoice;
    }
    mixer_.changeState(id, VoiceState::Playing, VoiceState::Paused);
    return AudioError::None;
}

AudioError AudioEngine::stop(VoiceId id) {
    if (!find(id)) {
        return AudioError::NoSuchVoice;
    }
    if (!mixer_.changeState(id, VoiceState::Playing, VoiceState::Stopped)) {
        mixer_.changeState(id, VoiceState::Paused, VoiceState::Stopped);
    }
    return AudioError::None;
}

AudioError AudioEngine::close(VoiceId id) {
    if (!find(id)) {
        return AudioError::NoSuchVoice;
    }
    mixer_.detach(id);
    reaper_.retire(std::move(voices_[static_cast<std::size_t>(id)]));
    return AudioError::None;
}

void AudioEngine::setGain(float left, float right) {
    mixer_.gain().setTarget(left, right);
}

VoiceState AudioEngine::state(VoiceId id) const {
    return find(id) ? mixer_.state(id) : VoiceState::Closed;
}

std::int64_t AudioEngine::durationMs(VoiceId id) const {
    const Voice* voice = find(id);
    return voice ? voice->durationMs() : -1;
}

std::int64_t AudioEngine::positionFrames(VoiceId id) const {
    const Voice* voice = find(id);
    return voice ? voice->positionFrames() : -1;
}

std::int64_t AudioEngine::firstSampleUs(VoiceId id) const {
    const Voice* voice = find(id);
    return voice ? voice->firstSampleUs() : -1;
}

std::int64_t AudioEngine::headFrames(VoiceId id) const {
    const Voice* voice = find(id);
    return voice ? static_cast<std::int64_t>(voice->headFrames()) : 0;
}

void AudioEngine::render(float* interleavedStereo, int frames) {
    if (output_ != Output::Pull) {
        std::memset(interleavedStereo, 0, static_cast<std::size_t>(frames) * 2 * sizeof(float));
        return;
    }
    mixer_.renderPeriod(interleavedStereo, frames);
}

bool AudioEngine::hasDevice() const {
    return device_ && device_->hasDevice();
}

bool AudioEngine::takeNoDeviceNotice() {
    return device_ && device_->takeNoDeviceNotice();
}

void AudioEngine::operatorActive() {
    if (device_) {
        device_->operatorActive();
    }
}

bool AudioEngine::outputResting() const {
    return device_ && device_->resting();
}

bool AudioEngine::realtimeOutput() const {
    return device_ && device_->realtime();
}

void AudioEngine::preferOutput(const std::string& name, bool fallBack) {
    if (device_) {
        device_->prefer(name, fallBack);
    }
}

bool AudioEngine::outputStandingIn() const {
    return device_ && device_->standingIn();
}

float AudioEngine::titleGain(const QString& path) const {
    const auto it = titleGains_.find(path);
    return it == titleGains_.end() ? 1.0f : it->second;
}

void AudioEngine::setTitleGains(std::map<QString, float> gains) {
    titleGains_ = std::move(gains);
    for (const auto& voice : voices_) {
        if (voice) {
            voice->setGain(titleGain(voice->path()), false);
        }
    }
}
