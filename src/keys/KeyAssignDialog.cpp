#include "keys/KeyAssignDialog.h"

#include "keys/KeyNames.h"
#include "platform/TickSource.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

KeyAssignDialog::KeyAssignDialog(const QString& caption, std::function<QString(const QString&)> assign,
                                 TickSourceFactory& ticks, QWidget* parent)
    : QDialog(parent), m_assign(std::move(assign)), m_close(ticks.create()) {
    setObjectName(QStringLiteral("TasteZuweisen"));
    setWindowTitle(QStringLiteral("Taste zuweisen"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* ask =
        new QLabel(QStringLiteral("Drücken Sie die Taste für „%1“:\nF2 bis F12 oder einen Buchstaben, mit "
                                  "oder ohne Umschalt. Esc bricht ab.")
                       .arg(QString(caption).remove(QLatin1Char('&'))),
                   this);
    layout->addWidget(ask);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("Meldung"));
    m_message->setWordWrap(true);
    layout->addWidget(m_message);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setFocusPolicy(Qt::NoFocus); // every key is the dialog's, Space and Enter too
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(cancel);
    m_close->onTick = [this] {
        m_close->setInterval(0);
        accept();
    };
}

KeyAssignDialog::~KeyAssignDialog() = default;

QString KeyAssignDialog::message() const {
    return m_message->text();
}

bool KeyAssignDialog::event(QEvent* event) {
    // Claimed before any shortcut: Ctrl+A here is a key to be refused, not the desk's panel.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QDialog::event(event);
}

void KeyAssignDialog::keyPressEvent(QKeyEvent* event) {
    if (m_done || event->isAutoRepeat())
        return;
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        reject();
        return;
    }
    const QString name = KeyNames::of(*event);
    if (name.isEmpty())
        return; // Shift alone: the letter follows
    if (const QString why = KeyNames::refusal(event->key(), event->modifiers()); !why.isEmpty()) {
        m_message->setStyleSheet(QStringLiteral("color: #B00000;"));
        m_message->setText(QStringLiteral("%1 geht nicht: %2").arg(KeyNames::shown(name), why));
        return;
    }
    m_done = true;
    const QString before = m_assign(name);
    m_message->setStyleSheet(QString());
    m_message->setText(before.isEmpty()
                           ? QStringLiteral("%1 drückt jetzt diesen Knopf.").arg(KeyNames::shown(name))
                           : QStringLiteral("%1 drückt jetzt diesen Knopf und nicht mehr %2.")
                                 .arg(KeyNames::shown(name), before));
    m_close->setInterval(ShownAfterMs);
}
