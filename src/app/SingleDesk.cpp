#include "app/SingleDesk.h"

#include "library/ProgramPaths.h"

#include <QCryptographicHash>
#include <QLocalSocket>
#include <unistd.h>

namespace {
const QByteArray Request = "vorn\n";
const QByteArray Answer = "ok\n";
} // namespace

SingleDesk::SingleDesk(const QString& programDir)
    : m_dir(programDir), m_lock(ProgramPaths::join(programDir, QString::fromLatin1(LockName))) {
    m_lock.setStaleLockTime(0); // stale only when the desk that holds it is gone, however long it ran
}

SingleDesk::~SingleDesk() = default;

QString SingleDesk::serverName() const {
    // The folder's name can be long and hold anything: its hash names the socket, per user.
    const QByteArray hash = QCryptographicHash::hash(m_dir.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("klangwart-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash.left(20)));
}

bool SingleDesk::claim() {
    if (!m_lock.tryLock(0)) {
        if (m_lock.error() == QLockFile::LockFailedError)
            return false;
        return true; // no lock can be made here: nothing to guard against
    }
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(serverName()); // left by a desk that died; the lock says none runs now
    if (m_server->listen(serverName())) {
        connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* peer = m_server->nextPendingConnection()) {
                connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
                connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                    if (!peer->readAll().startsWith(Request.trimmed()))
                        return;
                    emit raiseRequested();
                    peer->write(Answer);
                    peer->flush();
                    peer->disconnectFromServer();
                });
            }
        });
    }
    return true;
}

bool SingleDesk::raiseFirst() const {
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(AnswerMs))
        return false;
    socket.write(Request);
    if (!socket.waitForBytesWritten(AnswerMs))
        return false;
    QByteArray answer;
    while (!answer.contains('\n') && socket.waitForReadyRead(AnswerMs))
        answer += socket.readAll();
    return answer == Answer;
}
