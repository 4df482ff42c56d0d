#include "keys/KeyNames.h"

#include <QKeyEvent>

namespace KeyNames {

namespace {
bool isLetter(int key) {
    return (key >= Qt::Key_A && key <= Qt::Key_Z) || key == Qt::Key_Adiaeresis || key == Qt::Key_Odiaeresis ||
           key == Qt::Key_Udiaeresis;
}
} // namespace

QString of(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
        key == Qt::Key_unknown || key == 0)
        return QString();
    // Shift and the keypad only: the desk's own shortcuts are the ones with Ctrl or Alt.
    const Qt::KeyboardModifiers kept = modifiers & (Qt::ShiftModifier | Qt::KeypadModifier);
    return QKeySequence(QKeyCombination(kept, static_cast<Qt::Key>(key)))
        .toString(QKeySequence::PortableText);
}

QString of(const QKeyEvent& event) {
    return of(event.key(), event.modifiers());
}

QString shown(const QString& name) {
    QString text = name;
    text.replace(QLatin1String("Shift+"), QLatin1String("Umschalt+"));
    if (text.startsWith(QLatin1String("Num+")))
        text = QStringLiteral("Ziffernblock ") + text.mid(4);
    text.replace(QLatin1String("Del"), QLatin1String("Entf"));
    return text;
}

QString refusal(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return QStringLiteral("Tasten mit Strg oder Alt sind die Kurzbefehle und Menütasten des Pults.");
    if (modifiers & Qt::KeypadModifier)
        return QStringLiteral(
            "Der Ziffernblock ist die Fernbedienung des Pults (Rückennummern und Transport).");
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return QStringLiteral("Die Ziffern sind die Rückennummern der Tormusik.");
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Backspace)
        return QStringLiteral("Eingabe, Rücktaste und Esc gehören zur Eingabe der Rückennummer.");
    if (key == Qt::Key_F1)
        return QStringLiteral("F1 zeigt die Bedienungsanleitung, Umschalt+F1 die Tastenübersicht.");
    if (key == Qt::Key_Space || key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return QStringLiteral("Leertaste und Tabulator bedienen die Knöpfe des Fensters.");
    if ((key >= Qt::Key_F2 && key <= Qt::Key_F12) || isLetter(key))
        return QString();
    return QStringLiteral(
        "Nur F2 bis F12 und Buchstaben, mit oder ohne Umschalt, können einen Knopf drücken.");
}

} // namespace KeyNames
