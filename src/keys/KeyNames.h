#pragma once
#include <QKeySequence>
#include <QString>

class QKeyEvent;

// Keys as the key file stores them and as the operator reads them. A key pressed is turned into one name
// ("F5", "Q", "Shift+Q", "Num+/") that the file, the lookups and the overview share. Which keys a button may
// take: F2 to F12 and letters, with or without Shift; every key the desk already uses is refused with a
// reason.
namespace KeyNames {

// The stored name of a pressed key: its key and Shift or the keypad, no other modifiers; "" for a key alone
// that names nothing (Shift itself).
QString of(const QKeyEvent& event);
QString of(int key, Qt::KeyboardModifiers modifiers);
// How the operator reads it: "Umschalt+Q", "Ziffernblock /".
QString shown(const QString& name);
// "" when a board button may take the key; else the German reason it may not.
QString refusal(int key, Qt::KeyboardModifiers modifiers);

} // namespace KeyNames
