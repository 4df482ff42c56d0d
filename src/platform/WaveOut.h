#pragma once
#include <cstdint>

// The wave output seam: a packed level (left channel in the low word, right in the high word, each
// 0..65535) that applies at once to all sound the desk plays, and whether there is a device to hear it.
class WaveOut {
  public:
    virtual ~WaveOut() = default;
    // UI thread. Returns 0 on success; callers ignore the result.
    virtual int setVolume(std::uint32_t packedLevel) = 0;
    // UI thread: how many output devices the sound reaches right now (as the wave API counts its devices);
    // 0 while the desk plays on without one.
    virtual int deviceCount() const { return 1; }
    // UI thread: the operator is at the desk, a press may come: an output that rests gets ready now.
    virtual void operatorActive() {}
};
