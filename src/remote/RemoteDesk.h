#pragma once
#include "remote/RemoteApi.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <vector>

class ConsoleWindow;
class KeyRouter;
class MediaStatus;
class QThread;
class RemoteServer;

// The remote on the desk's side (UI thread): starts and ends the server on its own thread, carries out its
// commands exactly as the click, key or number on the main console would (nothing when the control is not
// shown), and tells it the desk's state whenever that changes.
class RemoteDesk : public QObject {
    Q_OBJECT
  public:
    static constexpr int kWatchMs = 50; // a change reaches the pages within this and the network's time

    // failed: whether the last press could not start its title (the status line says FEHLER).
    RemoteDesk(ConsoleWindow& desk, KeyRouter& keys, MediaStatus* status, std::function<bool()> failed);
    ~RemoteDesk() override;

    // Starts listening on port with this PIN; false (and nothing runs) when the port cannot be had.
    bool start(quint16 port, const QString& pin);
    void stop();
    bool running() const { return m_server != nullptr; }
    quint16 port() const { return m_port; }
    const QString& pin() const { return m_pin; }
    // "http://ADDRESS:PORT/" for every address of this machine a tablet may reach (loopback when none).
    QStringList urls() const;
    // For tests and benchmarks: the server's open connections.
    int connections() const;

    // The desk's state as the interface gives it.
    QByteArray state() const;
    // A command of the interface, carried out now; the state after it.
    QByteArray run(RemoteApi::Command command, int argument);
    // A four-digit PIN, new each time.
    static QString newPin();

  private:
    void watch();
    quint64 fingerprint() const;
    std::vector<int> titled() const;
    QByteArray stateOf(const std::vector<int>& titled) const;
    void publish();

    ConsoleWindow& m_desk;
    KeyRouter& m_keys;
    MediaStatus* m_status;
    std::function<bool()> m_failed;
    QThread* m_thread = nullptr;
    RemoteServer* m_server = nullptr; // lives on m_thread
    quint16 m_port = 0;
    QString m_pin;
    QTimer m_watch;
    quint64 m_lastFingerprint = 0;
    qint64 m_lastPublishMs = 0;
};
