#pragma once
#include <QObject>

// A key held down presses once: the repeats the keyboard sends while it is held never reach an access key or
// a shortcut, so a held Alt+W does not restart the title twenty times. Installed once on the application by
// the first console window. UI thread.
class KeyRepeatGuard : public QObject {
    Q_OBJECT
  public:
    static void install();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using QObject::QObject;
};
