#pragma once
#include <cstdint>

// The wave output level seam: a packed level (left channel in the low word, right in the high word,
// each 0..65535) that applies at once to all sound the desk plays.
class WaveOut {
  public:
    virtual ~WaveOut() = default;
    // UI thread. Returns 0 on success; callers ignore the result.
    virtual int setVolume(std::uint32_t packedLevel) = 0;
};
