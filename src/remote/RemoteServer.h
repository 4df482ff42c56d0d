#pragma once
#include "remote/RemoteApi.h"

#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>
#include <memory>

class QTcpServer;
class QTcpSocket;
class QWebSocket;
class QWebSocketServer;

// The remote's HTTP and WebSocket server. It lives on a thread of its own: requests are read, limited and
// answered there; what needs the desk goes to the UI thread as a queued call (exactly as a click), and the
// answer comes back the same way. At most kMaxConnections at once; a request over 4 KiB, a bad one, an unknown
// path or method gets a plain error and changes nothing.
class RemoteServer : public QObject {
    Q_OBJECT
  public:
    static constexpr int kMaxConnections = 32;

    // The desk's side, called on the UI thread: carries out a command and gives the state after it.
    using Desk = std::function<QByteArray(RemoteApi::Command command, int argument)>;

    // deskContext: an object on the UI thread the desk's calls are queued to.
    RemoteServer(const QString& pin, QObject* deskContext, Desk desk);
    ~RemoteServer() override;

    // Server thread (queued from the UI): starts listening on every address; false when the port is taken.
    bool listen(quint16 port);
    quint16 port() const;
    // Server thread (queued from the UI): the desk's state now, and which buttons hold a title; sent to every
    // open WebSocket when it changed.
    void publish(const QByteArray& state, const QSet<int>& titled);
    // Any thread, for tests and benchmarks: open connections now.
    int connections() const { return m_count.load(); }

  private:
    void accept();
    void readFrom(QTcpSocket* socket);
    void respond(QTcpSocket* socket, const HttpResponse& response);
    void upgrade(QTcpSocket* socket);

    RemoteApi m_api;
    QObject* m_deskContext;
    Desk m_desk;
    QTcpServer* m_server = nullptr;
    QWebSocketServer* m_sockets = nullptr;
    QList<QWebSocket*> m_listeners;
    QByteArray m_state;
    QSet<int> m_titled;
    std::atomic<int> m_count{0};
};
