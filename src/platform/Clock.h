#pragma once
#include <cstdint>

// Monotonic time for pacing the level ramps; injected so tests run a three-second fade in no time.
class Clock {
  public:
    virtual ~Clock() = default;
    // Microseconds since an arbitrary, fixed origin.
    virtual std::int64_t nowUs() = 0;
    // Blocks the calling thread until nowUs() >= deadlineUs (returns at once when it already is).
    virtual void sleepUntilUs(std::int64_t deadlineUs) = 0;
};
