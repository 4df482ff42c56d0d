#include "platform/QtTickSource.h"

QtTickSource::QtTickSource() {
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (onTick)
            onTick();
    });
}

void QtTickSource::setInterval(int ms) {
    m_interval = ms;
    if (ms <= 0) {
        m_timer.stop();
        return;
    }
    m_timer.start(ms); // a fresh period, as setting the interval of a window timer does
}
