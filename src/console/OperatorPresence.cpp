#include "console/OperatorPresence.h"

#include "platform/Clock.h"
#include "platform/WaveOut.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QTimer>

OperatorPresence::OperatorPresence(WaveOut& output, Clock& clock, QObject* parent)
    : QObject(parent), m_output(output), m_clock(clock) {
    QCoreApplication::instance()->installEventFilter(this);
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &OperatorPresence::look);
    timer->start(LookMs);
}

void OperatorPresence::tell() {
    const std::int64_t now = m_clock.nowUs();
    if (now - m_toldUs >= EveryUs) {
        m_toldUs = now;
        m_output.operatorActive();
    }
}

void OperatorPresence::look() {
    if (QApplication::activeWindow() || QApplication::widgetAt(QCursor::pos()))
        tell();
}

bool OperatorPresence::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::HoverMove:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::WindowActivate:
        tell();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
