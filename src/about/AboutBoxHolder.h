#pragma once
#include <QPointer>
#include <QString>

class frmAbout;
class Dialogs;
class Launcher;

// The one about box of the program: loaded on demand by either console window, unloaded by its OK button
// and at shutdown.
class AboutBoxHolder {
  public:
    AboutBoxHolder(Dialogs& dialogs, Launcher& launcher);
    ~AboutBoxHolder();

    // Loads the box when needed and shows it, not modal. club == nullptr keeps the club label as it is.
    frmAbout* show(const QString* club);
    // Unloads the box; nothing happens when it is not loaded.
    void unload();
    frmAbout* current() const;

  private:
    Dialogs& m_dialogs;
    Launcher& m_launcher;
    QPointer<frmAbout> m_box;
};
