#include "remote/RemoteServer.h"

#include "remote/RemotePage.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebSocket>
#include <QWebSocketServer>

namespace {
QByteArray randomBytes() {
    QByteArray bytes(16, Qt::Uninitialized);
    QRandomGenerator::system()->generate(reinterpret_cast<quint32*>(bytes.data()),
                                         reinterpret_cast<quint32*>(bytes.data() + bytes.size()));
    return bytes;
}

std::int64_t steadyUs() {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.nsecsElapsed() / 1000;
}

// Whether a browser's page may open the WebSocket: it must come from the desk's own page. Clients that are no
// browser send no origin and are held by the token alone.
bool sameOrigin(const HttpRequest& request) {
    const QByteArray origin = request.header("origin");
    return origin.isEmpty() || origin == "http://" + request.header("host");
}
} // namespace

RemoteServer::RemoteServer(const QString& pin, QObject* deskContext, Desk desk)
    : m_api(pin, &randomBytes), m_deskContext(deskContext), m_desk(std::move(desk)) {}

RemoteServer::~RemoteServer() = default;

bool RemoteServer::listen(quint16 port) {
    if (!m_server) {
        m_server = new QTcpServer(this);
        m_server->setMaxPendingConnections(kMaxConnections);
        connect(m_server, &QTcpServer::newConnection, this, &RemoteServer::accept);
        m_sockets = new QWebSocketServer(QStringLiteral("Klangwart"), QWebSocketServer::NonSecureMode, this);
        connect(m_sockets, &QWebSocketServer::newConnection, this, [this] {
            while (QWebSocket* ws = m_sockets->nextPendingConnection()) {
                m_listeners << ws;
                connect(ws, &QWebSocket::disconnected, this, [this, ws] {
                    m_listeners.removeAll(ws);
                    ws->deleteLater(); // its TCP socket goes with it, and is counted off then
                });
                ws->sendTextMessage(QString::fromUtf8(m_state));
            }
        });
    }
    return m_server->listen(QHostAddress::Any, port);
}

quint16 RemoteServer::port() const {
    return m_server ? m_server->serverPort() : 0;
}

void RemoteServer::publish(const QByteArray& state, const QSet<int>& titled) {
    m_titled = titled;
    if (state == m_state)
        return;
    m_state = state;
    for (QWebSocket* ws : std::as_const(m_listeners))
        ws->sendTextMessage(QString::fromUtf8(state));
}

void RemoteServer::accept() {
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        if (m_count.load() >= kMaxConnections) {
            socket->abort(); // no answer at all costs the desk the least
            socket->deleteLater();
            continue;
        }
        // Counted for as long as the socket lives, also once a WebSocket has taken it over.
        ++m_count;
        connect(socket, &QObject::destroyed, this, [this] { --m_count; });
        socket->setReadBufferSize(2 * HttpRequest::kMaxRequestBytes);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void RemoteServer::readFrom(QTcpSocket* socket) {
    // Looked at without taking it: a WebSocket request is handed on with its bytes still unread.
    for (;;) {
        const QByteArray pending = socket->peek(socket->bytesAvailable());
        HttpRequest request;
        qsizetype consumed = 0;
        switch (HttpRequest::parse(pending, request, consumed)) {
        case HttpRequest::Parse::Incomplete:
            return;
        case HttpRequest::Parse::TooLarge: {
            HttpResponse r = HttpResponse::error(413, QStringLiteral("Anfrage zu groß (höchstens 4 KiB)."));
            r.close = true;
            return respond(socket, r);
        }
        case HttpRequest::Parse::Bad: {
            HttpResponse r = HttpResponse::error(400, QStringLiteral("Ungültige Anfrage."));
            r.close = true;
            return respond(socket, r);
        }
        case HttpRequest::Parse::Complete:
            break;
        }
        const RemoteApi::Outcome outcome =
            m_api.handle(request, socket->peerAddress().toString(), steadyUs(), m_titled);
        using C = RemoteApi::Command;
        if (outcome.command == C::Events) {
            if (!sameOrigin(request)) {
                socket->read(consumed);
                HttpResponse r = HttpResponse::error(403, QStringLiteral("Fremde Herkunft."));
                r.close = true;
                return respond(socket, r);
            }
            return upgrade(socket);
        }
        socket->read(consumed);
        if (outcome.command == C::None) {
            respond(socket, outcome.response);
        } else if (outcome.command == C::Page) {
            HttpResponse r;
            r.contentType = "text/html; charset=utf-8";
            r.body = RemotePage::html();
            respond(socket, r);
        } else if (outcome.command == C::State) {
            respond(socket, HttpResponse::json(200, m_state));
        } else {
            // The click itself happens on the UI thread; the answer waits for it without holding the server.
            // The server may be ended while the click waits on the UI thread: then nobody is answered.
            QPointer<QTcpSocket> guarded(socket);
            QPointer<RemoteServer> server(this);
            Desk desk = m_desk;
            QMetaObject::invokeMethod(m_deskContext, [server, desk, guarded, outcome] {
                if (!server)
                    return;
                const QByteArray state = desk(outcome.command, outcome.argument);
                QMetaObject::invokeMethod(server, [server, guarded, state] {
                    if (guarded)
                        server->respond(guarded, HttpResponse::json(200, state));
                });
            });
        }
        if (socket->bytesAvailable() == 0)
            return;
    }
}

void RemoteServer::respond(QTcpSocket* socket, const HttpResponse& response) {
    socket->write(response.serialize());
    if (response.close)
        socket->disconnectFromHost();
}

void RemoteServer::upgrade(QTcpSocket* socket) {
    // From now on the WebSocket server reads it; only the count stays connected.
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    disconnect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    m_sockets->handleConnection(socket);
}
