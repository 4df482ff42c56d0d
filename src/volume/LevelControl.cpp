#include "volume/LevelControl.h"

#include "platform/WaveOut.h"
#include "volume/Level.h"

LevelControl::LevelControl(WaveOut& waveOut, Clock& clock, TickSourceFactory& ticks)
    : m_waveOut(waveOut), m_ramp(clock, ticks) {}

void LevelControl::toFull() {
    m_cutShort = false;
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
    stopRamp();
    m_ramp.start(
        std::move(levels), durationUs,
        [this, onPass = std::move(onPass)](int level) {
            setValue(level);
            onPass(level);
        },
        [this, onEnd = std::move(onEnd)] {
            m_cutShort = false; // ran its whole course: the level is where the ramp meant it to be
            if (onEnd)
                onEnd();
        });
}

void LevelControl::stopRamp() {
    if (m_ramp.running())
        m_cutShort = true;
    m_ramp.stop();
}
