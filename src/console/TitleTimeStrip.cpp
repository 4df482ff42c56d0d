#include "console/TitleTimeStrip.h"

#include "platform/MediaStatus.h"
#include "platform/TickSource.h"
#include "widgets/Twips.h"

#include <algorithm>

TitleTimeStrip::TitleTimeStrip(QWidget* window, MediaStatus* status, TickSourceFactory& ticks)
    : QLabel(window), m_status(status), m_tick(ticks.create()) {
    setObjectName(QStringLiteral("TitleTime"));
    setAlignment(Qt::AlignCenter);
    setFont(QFont(QStringLiteral("Arial"), 8));
    // Below the buttons (they end at 10575) and inside the frame's border (it ends at 10815).
    Twips::place(this, 8640, 10578, 10095, 177);
    hide();
    m_tick->onTick = [this] { refresh(); };
}

TitleTimeStrip::~TitleTimeStrip() = default;

QString TitleTimeStrip::clockText(std::int64_t ms) {
    const std::int64_t s = std::max<std::int64_t>(0, ms) / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

void TitleTimeStrip::follow(const QString& alias) {
    if (!m_status) {
        return;
    }
    const MediaStatus::Status s = m_status->status(alias);
    if (!s.open) {
        stop();
        return;
    }
    m_alias = alias;
    m_serial = s.serial;
    m_tick->setInterval(IntervalMs);
    refresh();
}

void TitleTimeStrip::stop() {
    m_tick->setInterval(0);
    m_alias.clear();
    hide();
}

void TitleTimeStrip::refresh() {
    const MediaStatus::Status s = m_status->status(m_alias);
    if (!s.open || s.serial != m_serial) {
        stop(); // stopped, or another title took the alias (the other window)
        return;
    }
    if (s.ended) {
        // Still looked at: the other window may take the alias for a title of its own.
        setText(QStringLiteral("Titel zu Ende"));
    } else if (s.durationMs < 0) {
        setText(clockText(s.positionMs) + QStringLiteral(" gespielt"));
    } else {
        // Remaining time rounded up, so that it reads 0:00 only when the title is through.
        const std::int64_t remaining = std::max<std::int64_t>(0, s.durationMs - s.positionMs);
        setText(clockText(s.positionMs) + QStringLiteral(" gespielt   \u00b7   noch ") +
                clockText((remaining + 999) / 1000 * 1000));
    }
    show();
}
