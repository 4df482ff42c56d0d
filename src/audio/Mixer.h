#pragma once
#include "audio/GainSmoother.h"
#include "audio/VoiceState.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

class Clock;
class Voice;

// Sums the playing voices into the output, applies the master gain and keeps every sample within full scale.
// renderPeriod() is what the device callback, the silent clock and the pull function all run; it never locks,
// allocates, logs or touches a file. Voices are handed over through atomic slots; the UI thread waits for the
// output side to leave a render before it rewinds or frees a voice.
class Mixer {
  public:
    static constexpr int kMaxVoices = 16;
    static constexpr int kChunkFrames = 1024;

    // pullMode: the renders come from the thread that also sends the commands, and a voice is decoded
    // right there when its ring runs short.
    Mixer(Clock& clock, bool pullMode);

    // UI thread.
    int attach(Voice* voice);     // the slot, or -1 when all are taken
    Voice* voice(int slot) const; // nullptr when the slot is empty or out of range
    void detach(int slot);        // returns once the output side cannot see the voice any more
    void setState(int slot, VoiceState state);
    bool changeState(int slot, VoiceState from, VoiceState to);
    void waitUntilQuiet(); // returns once no render that started earlier is still running

    // Any thread.
    VoiceState state(int slot) const;
    bool anyPlaying() const;
    // Playing or paused: a title that sounds or waits to go on.
    bool anyActive() const;
    GainSmoother& gain() { return gain_; }

    // Output thread: fills frames of interleaved stereo.
    void renderPeriod(float* interleaved, int frames);

  private:
    void renderChunk(float* out, int frames, std::int64_t& nowUs);
    void mixVoice(int slot, Voice& voice, float* out, int frames, std::int64_t& nowUs);

    Clock& clock_;
    const bool pullMode_;
    std::array<std::atomic<Voice*>, kMaxVoices> voices_{};
    std::array<std::atomic<int>, kMaxVoices> states_{};
    std::atomic<std::uint64_t> renderSeq_{0}; // odd while a render runs
    GainSmoother gain_;
    std::vector<float> scratch_;
};
