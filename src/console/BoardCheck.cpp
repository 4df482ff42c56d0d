#include "console/BoardCheck.h"

#include "console/TitleTimeStrip.h"
#include "library/Categories.h"
#include "library/CategoryLists.h"
#include "platform/TickSource.h"
#include "playback/PressDispatch.h"
#include "settings/StartOffsetStore.h"
#include "widgets/VbButton.h"

namespace {
QString minutes(std::int64_t ms) {
    return TitleTimeStrip::clockText(ms);
}
} // namespace

BoardCheck::BoardCheck(BoardWidgets& board, TitleCheck* check, TickSourceFactory& ticks)
    : m_board(board), m_check(check), m_poll(ticks.create()) {
    m_poll->onTick = [this] { poll(); };
}

BoardCheck::~BoardCheck() {
    if (m_check)
        m_check->forget(this);
}

void BoardCheck::boardLoaded(const CategoryLists& lists, const QString& programDir, const QString& team,
                             bool mainConsole) {
    std::vector<TitleCheck::Title> titles;
    QStringList paths;
    std::vector<int> empty; // fixed buttons whose folder holds no title: nothing to check, shown as empty
    for (int i = 0; i < BoardWidgets::TitleButtons; ++i) {
        const std::optional<QString> path = PressDispatch::pathFor(i, programDir, team, lists);
        if (!path || m_board.button(i)->isHidden())
            continue;
        if (lists.of(*Categories::forButton(i)).isEmpty()) {
            empty.push_back(i);
            continue;
        }
        if (!m_check)
            continue;
        titles.push_back({i, *path, QString()});
        paths << *path;
    }
    // A mark stays while its button holds the same title, until the check has looked at it again.
    std::vector<bool> holds(BoardWidgets::ButtonCount, false);
    for (const TitleCheck::Title& t : titles)
        holds[static_cast<std::size_t>(t.button)] =
            m_markedPath[static_cast<std::size_t>(t.button)] == t.path;
    for (int i = 0; i < BoardWidgets::ButtonCount; ++i)
        if (!holds[static_cast<std::size_t>(i)])
            unmark(i);
    for (int i : empty) {
        const QString category = QString::fromUtf8(Categories::forButton(i)->folder);
        VbButton* b = m_board.button(i);
        b->setMark(VbButton::Mark::Empty);
        b->setToolTip(
            QStringLiteral("Der Ordner %1 ist leer: einen Titel auf den Knopf ziehen.").arg(category));
        m_markedPath[static_cast<std::size_t>(i)] = category;
    }
    if (!m_check)
        return;
    const QStringList stored = StartOffsetStore(programDir, team).readAll(paths);
    for (std::size_t k = 0; k < titles.size(); ++k)
        titles[k].offsetText =
            PressDispatch::playedOffsetText(mainConsole, titles[k].button, stored[static_cast<int>(k)]);
    m_check->checkBoard(this, titles);
    m_poll->setInterval(PollMs);
}

void BoardCheck::poll() {
    const bool more = m_check->busy(this);
    for (const TitleCheck::Finding& f : m_check->takeFindings(this)) {
        if (f.fault == TitleCheck::Fault::None)
            unmark(f.button);
        else
            mark(f.button, f);
    }
    if (!more)
        m_poll->setInterval(0);
}

void BoardCheck::mark(int button, const TitleCheck::Finding& finding) {
    VbButton* b = m_board.button(button);
    b->setMark(VbButton::Mark::Fault);
    b->setToolTip(faultText(finding));
    m_markedPath[static_cast<std::size_t>(button)] = finding.path;
}

void BoardCheck::unmark(int button) {
    QString& marked = m_markedPath[static_cast<std::size_t>(button)];
    if (marked.isEmpty())
        return;
    marked.clear();
    VbButton* b = m_board.button(button);
    b->setMark(VbButton::Mark::None);
    b->setToolTip(QString());
}

QString BoardCheck::faultText(const TitleCheck::Finding& f) {
    using Fault = TitleCheck::Fault;
    switch (f.fault) {
    case Fault::None:
        break;
    case Fault::Missing:
        return QStringLiteral("Fehler: Die Datei des Titels ist nicht mehr da.");
    case Fault::Unreadable:
        return QStringLiteral(
            "Fehler: Die Datei lässt sich nicht als Titel öffnen (kein bekanntes Tonformat).");
    case Fault::Undecodable:
        return QStringLiteral("Fehler: Die Datei enthält keine abspielbaren Töne (beschädigt oder leer).");
    case Fault::OffsetNotNumber:
        if (f.offsetText.isEmpty())
            return QStringLiteral("Fehler: Für diesen Titel ist keine Startzeit gespeichert.");
        return QStringLiteral("Fehler: Die gespeicherte Startzeit \"%1\" ist keine ganze Zahl.")
            .arg(f.offsetText);
    case Fault::OffsetBeyondEnd:
        if (f.durationMs < 0)
            return QStringLiteral("Fehler: Die Startzeit %1 liegt hinter dem Ende des Titels.")
                .arg(minutes(f.offsetMs));
        return QStringLiteral("Fehler: Die Startzeit %1 liegt hinter dem Ende des Titels (Länge %2).")
            .arg(minutes(f.offsetMs), minutes(f.durationMs));
    }
    return QString();
}
