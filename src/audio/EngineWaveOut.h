#pragma once
#include "platform/WaveOut.h"

class AudioEngine;

// The wave output level stand-in: the packed device level becomes the engine's master gain, so it
// changes the desk's own sound and nothing else on the machine.
class EngineWaveOut : public WaveOut {
  public:
    explicit EngineWaveOut(AudioEngine& engine) : engine_(engine) {}

    // UI thread. Low word = left, high word = right, each 0..65535 mapped linearly onto 0..1.
    int setVolume(std::uint32_t packedLevel) override;
    // UI thread: 1 while the engine's sound reaches a device, 0 while its silent clock stands in.
    int deviceCount() const override;
    void operatorActive() override;

  private:
    AudioEngine& engine_;
};
