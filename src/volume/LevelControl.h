#pragma once
#include "volume/RampPacer.h"

#include <cstdint>
#include <functional>
#include <vector>

class Clock;
class TickSourceFactory;
class WaveOut;

// The master level of a console window: the value of the hidden scroll bar HScroll1 in volume units (10000
// full), applied to the wave output as the packed device level, and the ramps that move
// it. UI thread.
class LevelControl {
  public:
    LevelControl(WaveOut& waveOut, Clock& clock, TickSourceFactory& ticks);

    int value() const { return m_value; }

    // Value 10000 (the bar's range is 0 to 10000), then SetVolume: every title starts at full level.
    void toFull();
    // Value = volumeUnits, then SetVolume: the inline level call of every ramp pass.
    void setValue(int volumeUnits);
    // Applies Value to both channels of the wave output.
    void SetVolume();

    // Moves the level through levels, paced over durationUs on the clock while the event loop runs; after
    // each pass onPass gets the level (the window moves its bar), and onEnd runs when the ramp has had its
    // time. A ramp still running is cut short where it stands.
    void startRamp(std::vector<int> levels, std::int64_t durationUs, std::function<void(int)> onPass,
                   std::function<void()> onEnd);
    // Ends a running ramp at once, where it stands: it never touches the level again.
    void stopRamp();
    // Where a new fade or duck starts: at `usual` (full level), unless a ramp runs now or was cut short since
    // the last title start; then at the level it reached, so that no click ever makes the music jump up.
    int rampStart(int usual) const { return m_cutShort || m_ramp.running() ? m_value : usual; }

  private:
    WaveOut& m_waveOut;
    RampPacer m_ramp;
    int m_value = 0;
    bool m_cutShort = false;
};
