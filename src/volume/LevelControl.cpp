#include "volume/LevelControl.h"

#include "platform/WaveOut.h"
#include "volume/Level.h"
#include "volume/RampPacer.h"

LevelControl::LevelControl(WaveOut& waveOut, Clock& clock) : m_waveOut(waveOut), m_clock(clock) {}

void LevelControl::toFull() {
    m_largeChange = 1000;
    m_min = 0;
    m_max = Level::Full;
    setValue(Level::Full);
}

void LevelControl::setValue(int volumeUnits) {
    m_value = volumeUnits;
    SetVolume();
}

void LevelControl::SetVolume() {
    m_waveOut.setVolume(Level::packed(m_value));
}

void LevelControl::runRamp(const std::vector<int>& levels, std::int64_t durationUs,
                           const std::function<void(int)>& onPass, const std::function<void()>& repaint) {
    RampPacer pacer(
        m_clock,
        [this, &onPass](int level) {
            setValue(level);
            onPass(level);
        },
        repaint);
    pacer.run(levels, durationUs);
}
