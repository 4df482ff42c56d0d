#include "volume/LevelControl.h"

#include "platform/WaveOut.h"
#include "volume/Level.h"

LevelControl::LevelControl(WaveOut& waveOut, Clock& clock, TickSourceFactory& ticks)
    : m_waveOut(waveOut), m_ramp(clock, ticks) {}

void LevelControl::toFull() {
    setValue(Level::Full);
}

void LevelControl::setValue(int volumeUnits) {
    m_value = volumeUnits;
    SetVolume();
}

void LevelControl::SetVolume() {
    m_waveOut.setVolume(Level::packed(m_value));
}

void LevelControl::startRamp(std::vector<int> levels, std::int64_t durationUs,
                             std::function<void(int)> onPass, std::function<void()> onEnd) {
    m_ramp.start(
        std::move(levels), durationUs,
        [this, onPass = std::move(onPass)](int level) {
            setValue(level);
            onPass(level);
        },
        std::move(onEnd));
}
