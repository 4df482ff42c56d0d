#include "console/NoticeLine.h"

#include "platform/Clock.h"
#include "platform/MediaStatus.h"
#include "platform/WaveOut.h"

const QString NoticeLine::NoOutput =
    QStringLiteral("Keine Tonausgabe: Die Titel laufen stumm weiter, bis das Gerät wieder da ist.");
const QString NoticeLine::NoOutputPaused =
    QStringLiteral("Keine Tonausgabe: Der angehaltene Titel wartet, bis das Gerät wieder da ist.");
const QString NoticeLine::OutputBack = QStringLiteral("Die Tonausgabe ist wieder da.");

NoticeLine::NoticeLine(WaveOut& output, Clock& clock, MediaStatus* title, const QString& alias,
                       QWidget* parent)
    : QLabel(parent), m_output(output), m_clock(clock), m_title(title), m_alias(alias) {
    setObjectName(QStringLiteral("Hinweis"));
    // A long notice is cut at the window's edge instead of widening the window; the tool tip has it whole.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont f = font();
    f.setBold(true);
    setFont(f);
    connect(&m_poll, &QTimer::timeout, this, &NoticeLine::pollOutput);
    m_poll.start(kPollMs);
    m_turnSinceUs = m_clock.nowUs();
    pollOutput();
}

namespace {
constexpr const char* BadNews = "#C00000";
constexpr const char* GoodNews = "#006400";
constexpr const char* Informing = "#000080";
} // namespace

void NoticeLine::reportWrite(const WriteOutcome& outcome) {
    if (outcome.ok()) {
        // The file is written: whatever failed on it before is mended by now.
        if (m_failures.erase(outcome.file) != 0)
            show();
        return;
    }
    QString& told = m_failures[outcome.file][static_cast<int>(outcome.subject)];
    if (told == outcome.notice())
        return;
    told = outcome.notice();
    m_turn = static_cast<int>(notices().indexOf(told)); // the newest is told first
    m_turnSinceUs = m_clock.nowUs();
    show();
}

void NoticeLine::setHint(const QString& name, const QString& text) {
    const auto it = m_hints.find(name);
    if (text.isEmpty() ? it == m_hints.end() : it != m_hints.end() && it->second == text)
        return;
    if (text.isEmpty())
        m_hints.erase(it);
    else
        m_hints[name] = text;
    show();
}

void NoticeLine::tellNews(const QString& text) {
    m_news = text;
    m_newsUntilUs = m_clock.nowUs() + kNewsUs;
    show();
}

void NoticeLine::setEntry(const QString& text) {
    if (text == m_entry)
        return;
    m_entry = text;
    show();
}

std::vector<NoticeLine::Notice> NoticeLine::lasting() const {
    std::vector<Notice> all;
    if (!m_hadDevice)
        all.push_back({m_titleWaits ? NoOutputPaused : NoOutput, BadNews});
    else if (m_backSinceUs >= 0)
        all.push_back({OutputBack, GoodNews});
    for (const auto& file : m_failures)
        for (const auto& failure : file.second)
            all.push_back({failure.second, BadNews});
    for (const auto& hint : m_hints)
        all.push_back({hint.second, Informing});
    return all;
}

QStringList NoticeLine::notices() const {
    QStringList texts;
    for (const Notice& n : lasting())
        texts << n.text;
    return texts;
}

void NoticeLine::pollOutput() {
    const bool hasDevice = m_output.deviceCount() > 0;
    const std::int64_t now = m_clock.nowUs();
    const bool backTold = m_backSinceUs >= 0;
    if (hasDevice && !m_hadDevice)
        m_backSinceUs = now;
    else if (!hasDevice || (backTold && now - m_backSinceUs >= kBackShownUs))
        m_backSinceUs = -1;
    bool waits = false;
    if (m_title) {
        const MediaStatus::Status s = m_title->status(m_alias);
        waits = s.open && !s.playing && !s.ended;
    }
    const bool outputChanged = hasDevice != m_hadDevice || (!hasDevice && waits != m_titleWaits);
    m_hadDevice = hasDevice;
    m_titleWaits = waits;
    if (outputChanged) { // the output is told first
        m_turn = 0;
        m_turnSinceUs = now;
    } else if (now - m_turnSinceUs >= kTurnUs) {
        ++m_turn;
        m_turnSinceUs = now;
    }
    if (!m_news.isEmpty() && now >= m_newsUntilUs)
        m_news.clear();
    show();
}

void NoticeLine::show() {
    const std::vector<Notice> all = lasting();
    const int count = static_cast<int>(all.size());
    m_turn = count == 0 ? 0 : m_turn % count;
    QString shown;
    const char* color = Informing;
    QString size;
    if (!m_entry.isEmpty()) {
        shown = m_entry;
        size = QStringLiteral(" font-size: 15pt;");
    } else if (!m_news.isEmpty()) {
        shown = m_news;
    } else if (count > 0) {
        const Notice& n = all[static_cast<std::size_t>(m_turn)];
        shown = count == 1 ? n.text : QStringLiteral("%1/%2: ").arg(m_turn + 1).arg(count) + n.text;
        color = n.color;
    }
    const QString style = QStringLiteral("color: %1;").arg(QLatin1String(color)) + size;
    if (style != styleSheet())
        setStyleSheet(style);
    if (shown != text())
        setText(shown);
    const QString tip = notices().join(QLatin1Char('\n'));
    if (tip != toolTip())
        setToolTip(tip);
}
