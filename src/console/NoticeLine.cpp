#include "console/NoticeLine.h"

#include "platform/Clock.h"
#include "platform/WaveOut.h"

#include <QStringList>

const QString NoticeLine::NoOutput =
    QStringLiteral("Keine Tonausgabe: Die Titel laufen stumm weiter, bis das Gerät wieder da ist.");
const QString NoticeLine::OutputBack = QStringLiteral("Die Tonausgabe ist wieder da.");

NoticeLine::NoticeLine(WaveOut& output, Clock& clock, QWidget* parent)
    : QLabel(parent), m_output(output), m_clock(clock) {
    setObjectName(QStringLiteral("Hinweis"));
    // A long notice is cut at the window's edge instead of widening the window.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont f = font();
    f.setBold(true);
    setFont(f);
    connect(&m_poll, &QTimer::timeout, this, &NoticeLine::pollOutput);
    m_poll.start(kPollMs);
    pollOutput();
}

void NoticeLine::reportWrite(const WriteOutcome& outcome) {
    const auto key = std::make_pair(static_cast<int>(outcome.subject), outcome.file);
    if (outcome.ok()) {
        if (m_failures.erase(key) == 0)
            return;
    } else {
        QString& told = m_failures[key];
        if (told == outcome.notice())
            return;
        told = outcome.notice();
    }
    refresh();
}

void NoticeLine::pollOutput() {
    const bool hasDevice = m_output.deviceCount() > 0;
    const std::int64_t now = m_clock.nowUs();
    const bool backTold = m_backSinceUs >= 0;
    if (hasDevice && !m_hadDevice)
        m_backSinceUs = now;
    else if (!hasDevice || (backTold && now - m_backSinceUs >= kBackShownUs))
        m_backSinceUs = -1;
    const bool changed = hasDevice != m_hadDevice || backTold != (m_backSinceUs >= 0);
    m_hadDevice = hasDevice;
    if (changed)
        refresh();
}

void NoticeLine::refresh() {
    QStringList parts;
    if (!m_hadDevice)
        parts << NoOutput;
    else if (m_backSinceUs >= 0)
        parts << OutputBack;
    for (const auto& failure : m_failures)
        parts << failure.second;
    const bool onlyGoodNews = m_hadDevice && m_failures.empty();
    setStyleSheet(onlyGoodNews ? QStringLiteral("color: #006400;") : QStringLiteral("color: #C00000;"));
    setText(parts.join(QStringLiteral("   ")));
    setToolTip(text());
}
