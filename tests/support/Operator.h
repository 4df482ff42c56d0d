#pragma once
// What an operator does at a console window and what he sees of it: widgets found by their object names,
// clicks that reach only what is shown, access keys, menu entries. Header only.
#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace Operator {

// The child of the window with that object name (nullptr when there is none).
template <class T = QWidget> T* find(const QObject* window, const QString& name) {
    return window->findChild<T*>(name);
}

inline QPushButton* button(const QObject* window, int index) {
    return find<QPushButton>(window, QStringLiteral("Command1_%1").arg(index));
}

// True when the widget is there and not hidden (the window itself need not be on screen).
inline bool shown(const QObject* window, const QString& name) {
    const QWidget* w = find(window, name);
    return w && !w->isHidden();
}

// A left click on a widget that the operator can see.
inline void click(QWidget* w) {
    ASSERT_NE(w, nullptr);
    ASSERT_FALSE(w->isHidden()) << w->objectName().toStdString();
    QTest::mouseClick(w, Qt::LeftButton);
}
inline void click(const QObject* window, const QString& name) {
    click(find(window, name));
}
// A press on sound button Command1(index).
inline void press(const QObject* window, int index) {
    click(button(window, index));
}
// A menu entry, chosen as from the menu bar or by its shortcut.
inline void menu(const QObject* window, const QString& actionName) {
    QAction* a = find<QAction>(window, actionName);
    ASSERT_NE(a, nullptr) << actionName.toStdString();
    a->trigger();
}
// A key pressed and released at the window, such as an access key Alt+W.
inline void key(QWidget* window, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window, k, modifiers);
}

} // namespace Operator
