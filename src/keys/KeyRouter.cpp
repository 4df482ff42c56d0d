#include "keys/KeyRouter.h"

#include "console/BoardWidgets.h"
#include "console/ConsoleWindow.h"
#include "console/NoticeLine.h"
#include "console/TransportArea.h"
#include "keys/KeyNames.h"
#include "library/Categories.h"
#include "library/ProgramPaths.h"
#include "library/CategoryLists.h"
#include "platform/TickSource.h"
#include "widgets/VbButton.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {
constexpr int TormusikFirst = 61;

// Where typing means text, digits and letters are the field's.
bool typingInto(const QWidget* focus) {
    return qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QAbstractSpinBox*>(focus) ||
           qobject_cast<const QTextEdit*>(focus) || qobject_cast<const QPlainTextEdit*>(focus) ||
           (qobject_cast<const QComboBox*>(focus) && static_cast<const QComboBox*>(focus)->isEditable());
}

// A title in the key file as the settings file names its paths: a hand-written one may come from Windows,
// with backslashes and in any case.
bool sameTitle(QString a, QString b) {
    a.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return a.compare(b.replace(QLatin1Char('\\'), QLatin1Char('/')), Qt::CaseInsensitive) == 0;
}

QString quoted(const QString& caption) {
    QString text = caption;
    return QStringLiteral("„") + text.remove(QLatin1Char('&')) + QStringLiteral("“");
}
} // namespace

KeyRouter::KeyRouter(ConsoleWindow& desk, TickSourceFactory& ticks)
    : QObject(&desk), m_desk(desk), m_file(desk.programDir()), m_entryTimeout(ticks.create()) {
    m_entryTimeout->onTick = [this] {
        m_entryTimeout->setInterval(0);
        m_entry.clear();
        showEntry();
    };
    QCoreApplication::instance()->installEventFilter(this);
}

KeyRouter::~KeyRouter() = default;

QString KeyRouter::titleOf(int button) const {
    const Category* c = Categories::forButton(button);
    if (!c)
        return QString();
    const QString name = m_desk.categoryLists().fileNameFor(*c, button);
    return name.isEmpty() ? QString() : ProgramPaths::titleWithin(m_desk.settings().sMannschaft, *c, name);
}

void KeyRouter::boardLoaded() {
    m_keys = m_file.buttonKeys(m_desk.settings().sMannschaft);
    m_transport = m_file.transportKeys();
    m_guardMs = m_file.repressGuardMs();
    m_desk.setRepressGuard(m_guardMs);
    for (int i = 0; i < BoardWidgets::TitleButtons; ++i)
        m_desk.boardWidgets().button(i)->setCornerText(KeyNames::shown(keyOf(i)));
}

QString KeyRouter::keyOf(int button) const {
    const QString title = titleOf(button);
    for (const auto& [key, path] : m_keys)
        if (!title.isEmpty() && sameTitle(path, title))
            return key;
    return QString();
}

std::vector<KeyRouter::ButtonKey> KeyRouter::buttonKeys() const {
    std::vector<ButtonKey> out;
    for (const auto& [key, path] : m_keys) {
        ButtonKey k{key, path, -1};
        for (int i = 0; i < BoardWidgets::TitleButtons && k.button < 0; ++i)
            if (sameTitle(titleOf(i), path))
                k.button = i;
        out.push_back(k);
    }
    return out;
}

QString KeyRouter::assign(int button, const QString& key) {
    const QString team = m_desk.settings().sMannschaft;
    const QString title = titleOf(button);
    const QString before = m_keys.count(key) && m_keys[key] != title ? m_keys[key] : QString();
    if (const QString own = keyOf(button); !own.isEmpty() && own != key)
        m_desk.settings().report(m_file.assign(team, own, QString()));
    m_desk.settings().report(m_file.assign(team, key, title));
    boardLoaded();
    return before;
}

void KeyRouter::removeKey(int button) {
    if (const QString own = keyOf(button); !own.isEmpty())
        m_desk.settings().report(m_file.assign(m_desk.settings().sMannschaft, own, QString()));
    boardLoaded();
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || QApplication::activeWindow() != &m_desk ||
        QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
        typingInto(QApplication::focusWidget()))
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!ours(key->key(), key->modifiers()))
        return QObject::eventFilter(watched, event);
    if (!key->isAutoRepeat()) // held down, it pressed once already: the repeats go nowhere
        act(key->key(), key->modifiers());
    return true;
}

bool KeyRouter::ours(int key, Qt::KeyboardModifiers modifiers) const {
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false; // the described shortcuts and access keys
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) ||
        (m_entry.pending() && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Backspace ||
                               key == Qt::Key_Escape)))
        return true;
    const QString name = KeyNames::of(key, modifiers);
    return m_transport.count(name) || m_keys.count(name);
}

void KeyRouter::act(int key, Qt::KeyboardModifiers modifiers) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        m_entry.digit(key - Qt::Key_0);
        showEntry();
        return;
    }
    if (m_entry.pending()) {
        switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            playEntry();
            return;
        case Qt::Key_Backspace:
            m_entry.backspace();
            showEntry();
            return;
        case Qt::Key_Escape:
            m_entry.clear();
            showEntry();
            return;
        default:
            break;
        }
    }
    const QString name = KeyNames::of(key, modifiers);
    if (const auto t = m_transport.find(name); t != m_transport.end())
        transport(t->second);
    else if (m_keys.count(name))
        pressKey(name);
}

void KeyRouter::showEntry() {
    m_desk.notice().setEntry(m_entry.pending() ? QStringLiteral("Tormusik Nr. ") + m_entry.digits()
                                               : QString());
    m_entryTimeout->setInterval(m_entry.pending() ? EntryTimeoutMs : 0);
}

void KeyRouter::playEntry() {
    const int number = m_entry.number();
    m_entry.clear();
    showEntry();
    playNumber(number);
}

void KeyRouter::playNumber(int number) {
    const Category& tormusik = *Categories::forButton(TormusikFirst);
    const QStringList& names = m_desk.categoryLists().of(tormusik);
    std::vector<int> found;
    for (int pos : NumberEntry::titlesNumbered(names, number))
        if (pos < tormusik.runSize && !m_desk.boardWidgets().button(TormusikFirst + pos)->isHidden())
            found.push_back(pos);
    if (found.empty()) {
        m_desk.notice().tellNews(QStringLiteral("Keine Tormusik mit der Nummer %1.").arg(number));
        return;
    }
    BoardWidgets& board = m_desk.boardWidgets();
    if (found.size() > 1) {
        QStringList others;
        for (std::size_t i = 1; i < found.size(); ++i)
            others << quoted(board.button(TormusikFirst + found[i])->caption());
        m_desk.notice().tellNews(QStringLiteral("Tormusik Nr. %1: %2 spielt; die Nummer hat auch %3.")
                                     .arg(number)
                                     .arg(quoted(board.button(TormusikFirst + found[0])->caption()))
                                     .arg(others.join(QStringLiteral(", "))));
    }
    board.button(TormusikFirst + found[0])->click();
}

void KeyRouter::transport(KeyFile::Transport action) {
    TransportArea& t = m_desk.transportArea();
    const auto clickShown = [](QAbstractButton* b) {
        if (!b->isHidden() && b->isEnabled())
            b->click();
    };
    switch (action) {
    case KeyFile::Transport::PauseOrResume:
        clickShown(!t.cmd5->isHidden() ? t.cmd5 : t.cmd6);
        break;
    case KeyFile::Transport::AnnounceOrMusic:
        clickShown(t.cmdAnsage);
        break;
    case KeyFile::Transport::FadeOut:
        clickShown(t.Command2);
        break;
    case KeyFile::Transport::Stop:
        clickShown(t.cmd2);
        break;
    }
}

void KeyRouter::pressKey(const QString& name) {
    for (int i = 0; i < BoardWidgets::TitleButtons; ++i) {
        if (sameTitle(titleOf(i), m_keys[name])) {
            if (!m_desk.boardWidgets().button(i)->isHidden())
                m_desk.boardWidgets().button(i)->click();
            return;
        }
    }
    m_desk.notice().tellNews(
        QStringLiteral("Taste %1: Der Titel %2 ist nicht mehr da.").arg(KeyNames::shown(name), m_keys[name]));
}
