#include "platform/SteadyClock.h"

#include <chrono>
#include <thread>

std::int64_t SteadyClock::nowUs() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void SteadyClock::sleepUntilUs(std::int64_t deadlineUs) {
    using namespace std::chrono;
    std::this_thread::sleep_until(steady_clock::time_point(microseconds(deadlineUs)));
}
