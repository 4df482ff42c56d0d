#pragma once
#include <cstdint>
#include <functional>
#include <vector>

class Clock;
class WaveOut;

// The master level of a console window: the hidden scroll bar HScroll1 (LargeChange, Min, Max and Value in
// volume units, 10000 full), applied to the wave output as the packed device level, and the ramps that move
// it. UI thread.
class LevelControl {
  public:
    LevelControl(WaveOut& waveOut, Clock& clock);

    int value() const { return m_value; }
    int largeChange() const { return m_largeChange; }
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }

    // LargeChange 1000, Min 0, Max 10000, Value 10000, then SetVolume: every title starts at full level.
    void toFull();
    // Value = volumeUnits, then SetVolume: the inline level call of every ramp pass.
    void setValue(int volumeUnits);
    // Applies Value to both channels of the wave output.
    void SetVolume();

    // Moves the level through levels, paced over durationUs on the clock; after each pass onPass gets the
    // level (the window moves its bar), and repaint runs about once a screen frame.
    void runRamp(const std::vector<int>& levels, std::int64_t durationUs,
                 const std::function<void(int)>& onPass, const std::function<void()>& repaint);

  private:
    WaveOut& m_waveOut;
    Clock& m_clock;
    int m_largeChange = 1;
    int m_min = 0;
    int m_max = 32767;
    int m_value = 0;
};
