#include "editor/TitleStopwatch.h"

#include "platform/TickSource.h"

TitleStopwatch::TitleStopwatch(TickSourceFactory& ticks, std::function<void()> onCount)
    : Timer4(ticks.create()), m_onCount(std::move(onCount)) {
    Timer4->setInterval(0);
    Timer4->onTick = [this] { Timer4_Timer(); };
}

// Out of line: the tick source is complete only here.
TitleStopwatch::~TitleStopwatch() = default;

void TitleStopwatch::cmd_Titelstart_Click() {
    // Setting the interval starts a fresh period: a part second before a pause is lost, as on the desk.
    Timer4->setInterval(IntervalMs);
}

void TitleStopwatch::cmd_Titelpause_Click() {
    Timer4->setInterval(0);
}

void TitleStopwatch::cmd_Titelstop_Click() {
    Timer4->setInterval(0);
    m_count = 0;
    m_titel = QStringLiteral("0");
}

void TitleStopwatch::Timer4_Timer() {
    if (m_count < MaxCount)
        ++m_count;
    m_titel = QString::number(m_count);
    if (m_onCount)
        m_onCount();
}

int TitleStopwatch::seconds() const {
    return m_titel.toInt();
}
