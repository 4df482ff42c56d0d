#pragma once
#include <QDialog>

class Dialogs;
class Launcher;
class QLabel;
class QPushButton;

// The about box: product title, version, club, the warning about the music, and the system
// information launcher.
class frmAbout : public QDialog {
    Q_OBJECT
  public:
    frmAbout(Dialogs& dialogs, Launcher& launcher, QWidget* parent = nullptr);

    void cmdOK_Click();
    void cmdSysInfo_Click();
    // The club label lblVersion(5).
    void setClub(const QString& club);

    static QString versionText();

  private:
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion0 = nullptr;
    QLabel* lblVersion4 = nullptr;
    QLabel* lblVersion5 = nullptr; // the club
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

    QLabel* label(const QString& text, double left, double top, double width, double height);
    Dialogs& m_dialogs;
    Launcher& m_launcher;
};
