#pragma once
#include "platform/Clock.h"

// The monotonic clock of the machine.
class SteadyClock : public Clock {
  public:
    std::int64_t nowUs() override;
    void sleepUntilUs(std::int64_t deadlineUs) override;
};
