#include "volume/RampPacer.h"

#include "platform/Clock.h"
#include "platform/TickSource.h"

namespace {
// Passes come every 1.2 ms or more; a tick every millisecond keeps each within a millisecond of its moment,
// and the engine smooths every level change over a few milliseconds anyway.
constexpr int TickMs = 1;
} // namespace

RampPacer::RampPacer(Clock& clock, TickSourceFactory& ticks) : m_clock(clock), m_timer(ticks.create()) {
    m_timer->onTick = [this] { applyDuePasses(); };
}

RampPacer::~RampPacer() = default;

void RampPacer::start(std::vector<int> levels, std::int64_t durationUs, std::function<void(int)> onPass,
                      std::function<void()> onEnd) {
    stop();
    if (levels.empty()) { // nothing to pace: the ramp has ended before it began
        if (onEnd)
            onEnd();
        return;
    }
    m_levels = std::move(levels);
    m_next = 0;
    m_durationUs = durationUs;
    m_onPass = std::move(onPass);
    m_onEnd = std::move(onEnd);
    m_startUs = m_clock.nowUs();
    m_timer->setInterval(TickMs);
    applyDuePasses();
}

void RampPacer::stop() {
    m_timer->setInterval(0);
    m_levels.clear();
    m_onPass = nullptr;
    m_onEnd = nullptr;
}

void RampPacer::applyDuePasses() {
    const std::int64_t now = m_clock.nowUs();
    const auto passes = static_cast<std::int64_t>(m_levels.size());
    // Each moment from the whole duration, never from the previous pass, so no rounding adds up over the
    // ramp.
    while (running() && m_next < m_levels.size() &&
           m_startUs + static_cast<std::int64_t>(m_next) * m_durationUs / passes <= now)
        m_onPass(m_levels[m_next++]);
    if (!running() || m_next < m_levels.size() || now < m_startUs + m_durationUs)
        return;
    // Taken out first: the end may start another ramp or stop this one.
    const std::function<void()> onEnd = std::move(m_onEnd);
    stop();
    if (onEnd)
        onEnd();
}
