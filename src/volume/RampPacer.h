#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class Clock;
class TickSource;
class TickSourceFactory;

// Runs a level sequence pass by pass from a timer on the UI thread, each pass at its own moment on the
// injected clock and the event loop running in between: a ramp lasts its duration whatever one pass costs,
// the window repaints and takes input meanwhile, and a press can end the ramp at once. UI thread.
class RampPacer {
  public:
    RampPacer(Clock& clock, TickSourceFactory& ticks);
    ~RampPacer();
    RampPacer(const RampPacer&) = delete;
    RampPacer& operator=(const RampPacer&) = delete;

    // Starts a ramp, ending one that runs without its end. The first pass is applied at once, the others when
    // they are due (late ones catch up in order instead of stretching the ramp); onEnd runs once the last
    // pass has had its time (at once for an empty sequence).
    void start(std::vector<int> levels, std::int64_t durationUs, std::function<void(int level)> onPass,
               std::function<void()> onEnd);
    // Ends the ramp at once: no further pass, no end.
    void stop();
    bool running() const { return !m_levels.empty(); }

  private:
    void applyDuePasses();

    Clock& m_clock;
    std::unique_ptr<TickSource> m_timer;
    std::vector<int> m_levels;
    std::size_t m_next = 0;
    std::int64_t m_startUs = 0;
    std::int64_t m_durationUs = 0;
    std::function<void(int)> m_onPass;
    std::function<void()> m_onEnd;
};
