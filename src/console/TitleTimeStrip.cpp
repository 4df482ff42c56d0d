#include "console/TitleTimeStrip.h"

#include "platform/MediaStatus.h"
#include "platform/TickSource.h"
#include "widgets/Twips.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

TitleTimeStrip::TitleTimeStrip(QWidget* window, MediaStatus* status, TickSourceFactory& ticks)
    : QFrame(window), m_status(status), m_tick(ticks.create()) {
    setObjectName(QStringLiteral("TitleTime"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    m_played = new QLabel(this);
    m_played->setObjectName(QStringLiteral("TitleTime_Gespielt"));
    m_played->setFont(QFont(QStringLiteral("Arial"), 9));
    m_remaining = new QLabel(this);
    m_remaining->setObjectName(QStringLiteral("TitleTime_Rest"));
    // Larger than the 18 points of the transport captions; the screen fit scales both alike.
    m_remaining->setFont(QFont(QStringLiteral("Arial"), 24, QFont::Bold));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(0);
    for (QLabel* l : {m_played, m_remaining}) {
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }
    // Right of the status line (which ends at 15900) and above the buttons (they begin at 9720), inside the
    // frame's border.
    Twips::place(this, 15960, 8700, 2760, 990);
    setLook(Look::Running);
    hide();
    m_tick->onTick = [this] { refresh(); };
}

TitleTimeStrip::~TitleTimeStrip() = default;

QString TitleTimeStrip::clockText(std::int64_t ms) {
    const std::int64_t s = std::max<std::int64_t>(0, ms) / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString TitleTimeStrip::playedText() const {
    return m_played->text();
}

QString TitleTimeStrip::remainingText() const {
    return m_remaining->text();
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

void TitleTimeStrip::setLook(Look look) {
    m_look = look;
    QPalette pal = palette();
    const QColor back = look == Look::Ended     ? QColor(Qt::black)
                        : look == Look::Warning ? QColor(0xC0, 0x00, 0x00)
                                                : QColor(0xF0, 0xF0, 0xF0);
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::WindowText, look == Look::Running ? QColor(Qt::black) : QColor(Qt::white));
    setPalette(pal);
}

void TitleTimeStrip::refresh() {
    const MediaStatus::Status s = m_status->status(m_alias);
    if (!s.open || s.serial != m_serial) {
        stop(); // stopped, or another title took the alias (the other window)
        return;
    }
    Look look = Look::Running;
    if (s.ended) {
        // Still looked at: the other window may take the alias for a title of its own.
        m_played->setText(QStringLiteral("Titel zu Ende"));
        m_remaining->setText(QStringLiteral("ENDE"));
        look = Look::Ended;
    } else if (s.durationMs < 0) {
        m_played->setText(QStringLiteral("gespielt"));
        m_remaining->setText(clockText(s.positionMs));
    } else {
        // Remaining time rounded up, so that it reads 0:00 only when the title is through.
        const std::int64_t remaining = std::max<std::int64_t>(0, s.durationMs - s.positionMs);
        m_played->setText(clockText(s.positionMs) + QStringLiteral(" gespielt, noch"));
        m_remaining->setText(clockText((remaining + 999) / 1000 * 1000));
        if (remaining <= WarnMs)
            look = Look::Warning;
    }
    if (look != m_look)
        setLook(look);
    show();
}
