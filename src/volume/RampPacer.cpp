#include "volume/RampPacer.h"

#include "platform/Clock.h"

namespace {
constexpr std::int64_t RepaintEveryUs = 16000;
}

RampPacer::RampPacer(Clock& clock, std::function<void(int)> applyPass, std::function<void()> repaint)
    : m_clock(clock), m_apply(std::move(applyPass)), m_repaint(std::move(repaint)) {}

void RampPacer::run(const std::vector<int>& levels, std::int64_t durationUs) {
    if (levels.empty())
        return;
    const auto passes = static_cast<std::int64_t>(levels.size());
    // Deadlines are taken from one start time, never from the previous pass, so late passes catch up
    // instead of stretching the ramp.
    const std::int64_t start = m_clock.nowUs();
    std::int64_t nextRepaint = start;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        // Each deadline from the whole duration, so no rounding of a pass time adds up over the ramp.
        m_clock.sleepUntilUs(start + static_cast<std::int64_t>(i) * durationUs / passes);
        m_apply(levels[i]);
        if (m_clock.nowUs() >= nextRepaint) {
            m_repaint();
            nextRepaint += RepaintEveryUs;
        }
    }
    m_repaint();
    m_clock.sleepUntilUs(start + durationUs);
}
