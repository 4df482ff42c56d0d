#include "console/KeyRepeatGuard.h"

#include <QCoreApplication>
#include <QKeyEvent>

void KeyRepeatGuard::install() {
    QCoreApplication* app = QCoreApplication::instance();
    if (app && !app->findChild<KeyRepeatGuard*>(QString(), Qt::FindDirectChildrenOnly))
        app->installEventFilter(new KeyRepeatGuard(app));
}

bool KeyRepeatGuard::eventFilter(QObject* watched, QEvent* event) {
    // An accepted shortcut override tells Qt that the key is not a shortcut: the repeat goes to the focus
    // widget as a plain key, which a button ignores.
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
