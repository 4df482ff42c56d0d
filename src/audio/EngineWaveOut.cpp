#include "audio/EngineWaveOut.h"

#include "audio/AudioEngine.h"

int EngineWaveOut::setVolume(std::uint32_t packedLevel) {
    const float left = static_cast<float>(packedLevel & 0xFFFFu) / 65535.0f;
    const float right = static_cast<float>(packedLevel >> 16) / 65535.0f;
    engine_.setGain(left, right);
    return 0;
}

int EngineWaveOut::deviceCount() const {
    return engine_.hasDevice() ? 1 : 0;
}

void EngineWaveOut::operatorActive() {
    engine_.operatorActive();
}
