#pragma once
#include <cstdint>
#include <functional>
#include <vector>

class Clock;

// Runs a level sequence pass by pass on the calling (UI) thread, each pass at its own moment on the
// injected clock, so a ramp lasts its duration whatever one pass costs. It does not return to the
// event loop in between: operator input waits until the ramp has ended.
class RampPacer {
  public:
    RampPacer(Clock& clock, std::function<void(int level)> applyPass, std::function<void()> repaint);

    // Spreads the passes evenly over durationUs and blocks until the last one has had its time; repaint runs
    // about every frame of the screen.
    void run(const std::vector<int>& levels, std::int64_t durationUs);

  private:
    Clock& m_clock;
    std::function<void(int)> m_apply;
    std::function<void()> m_repaint;
};
