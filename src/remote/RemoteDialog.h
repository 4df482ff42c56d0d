#pragma once
#include <QDialog>

class QCheckBox;
class QLabel;
class QSpinBox;
class RemoteDesk;

// "Datei" > "Fernbedienung …": the remote on or off and its port, and while it runs the addresses of this
// machine, the PIN and a QR code of the first address for a tablet's camera. UI thread.
class RemoteDialog : public QDialog {
    Q_OBJECT
  public:
    RemoteDialog(RemoteDesk& remote, bool on, int port, QWidget* parent = nullptr);

    bool on() const;
    int port() const;
    // Shows what runs now (after the caller started or stopped the server).
    void showRunning();
    // A QR code of text, each module scale pixels, with a quiet zone; null when it cannot be made.
    static QImage qrCode(const QString& text, int scale);

  private:
    RemoteDesk& m_remote;
    QCheckBox* m_on = nullptr;
    QSpinBox* m_port = nullptr;
    QLabel* m_where = nullptr;
    QLabel* m_code = nullptr;
};
