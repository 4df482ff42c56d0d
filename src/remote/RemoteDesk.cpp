#include "remote/RemoteDesk.h"

#include "console/BoardWidgets.h"
#include "console/ConsoleWindow.h"
#include "console/TransportArea.h"
#include "keys/KeyNames.h"
#include "keys/KeyRouter.h"
#include "library/Categories.h"
#include "platform/MediaStatus.h"
#include "remote/RemoteServer.h"
#include "widgets/ClickLabel.h"
#include "widgets/VbButton.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QThread>

namespace {
constexpr std::int32_t PlayedMark = 0x0000FF00;

bool shown(const QWidget* w) {
    return !w->isHidden() && w->isEnabled();
}

void clickShown(QAbstractButton* b) {
    if (shown(b))
        b->click();
}
} // namespace

RemoteDesk::RemoteDesk(ConsoleWindow& desk, KeyRouter& keys, MediaStatus* status, std::function<bool()> failed)
    : QObject(&desk), m_desk(desk), m_keys(keys), m_status(status), m_failed(std::move(failed)) {
    m_watch.setInterval(kWatchMs);
    connect(&m_watch, &QTimer::timeout, this, &RemoteDesk::watch);
}

RemoteDesk::~RemoteDesk() {
    stop();
}

QString RemoteDesk::newPin() {
    return QStringLiteral("%1").arg(QRandomGenerator::system()->bounded(10000), 4, 10, QLatin1Char('0'));
}

bool RemoteDesk::start(quint16 port, const QString& pin) {
    stop();
    m_pin = pin;
    m_thread = new QThread(this);
    m_thread->setObjectName(QStringLiteral("Fernbedienung"));
    m_server = new RemoteServer(pin, this, [this](RemoteApi::Command c, int a) { return run(c, a); });
    m_server->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_server, &QObject::deleteLater);
    m_thread->start();
    bool listening = false;
    QMetaObject::invokeMethod(m_server, [&] { listening = m_server->listen(port); }, Qt::BlockingQueuedConnection);
    if (!listening) {
        stop();
        return false;
    }
    m_port = m_server->port(); // port 0 asks the system for a free one
    publish();
    m_watch.start();
    return true;
}

void RemoteDesk::stop() {
    m_watch.stop();
    if (!m_thread)
        return;
    m_thread->quit();
    m_thread->wait(); // the server goes with its thread's end
    delete m_thread;
    m_thread = nullptr;
    m_server = nullptr;
    m_port = 0;
}

int RemoteDesk::connections() const {
    return m_server ? m_server->connections() : 0;
}

QStringList RemoteDesk::urls() const {
    QStringList urls;
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback())
            urls << QStringLiteral("http://%1:%2/").arg(a.toString()).arg(m_port);
    if (urls.isEmpty())
        urls << QStringLiteral("http://127.0.0.1:%1/").arg(m_port);
    return urls;
}

// The buttons a page shows and a press may reach: holding a title, and shown on the board.
std::vector<int> RemoteDesk::titled() const {
    std::vector<int> buttons;
    for (int i = 0; i < BoardWidgets::TitleButtons; ++i)
        if (!m_keys.titleOf(i).isEmpty() && !m_desk.boardWidgets().button(i)->isHidden())
            buttons.push_back(i);
    return buttons;
}

QByteArray RemoteDesk::state() const {
    return stateOf(titled());
}

QByteArray RemoteDesk::stateOf(const std::vector<int>& titled) const {
    TransportArea& t = m_desk.transportArea();
    const bool ducked = t.cmdAnsage->caption() == QLatin1String("Musik");
    QString status = QStringLiteral("stop");
    MediaStatus::Status s;
    if (m_status)
        s = m_status->status(ConsoleWindow::MyAlias);
    if (m_failed && m_failed())
        status = QStringLiteral("error");
    else if (s.open && !s.ended)
        status = s.playing ? QStringLiteral("play") : QStringLiteral("wait");
    QJsonObject o{{"team", m_desk.settings().sMannschaft},
                  {"title", QString(m_desk.statusTitle()).remove(QLatin1Char('&'))},
                  {"status", status},
                  {"announcement", ducked}};
    const bool sounding = status == QLatin1String("play") || status == QLatin1String("wait");
    o["playedMs"] = sounding ? double(s.positionMs) : 0.0;
    o["remainingMs"] =
        sounding && s.durationMs >= 0 ? double(std::max<std::int64_t>(0, s.durationMs - s.positionMs)) : -1.0;
    o["controls"] = QJsonObject{{"stop", shown(t.cmd2)},
                                {"pause", shown(t.cmd5)},
                                {"resume", shown(t.cmd6)},
                                {"fade", shown(t.Command2)},
                                {"announce", shown(t.cmdAnsage) && !ducked},
                                {"music", shown(t.cmdAnsage) && ducked}};
    QJsonArray buttons;
    for (int i : titled) {
        const VbButton* b = m_desk.boardWidgets().button(i);
        const Category& c = *Categories::forButton(i);
        const QString folder = QString::fromUtf8(c.folder);
        buttons.append(QJsonObject{{"index", i},
                                   {"category", folder},
                                   // the frame's heading as the board shows it for this team
                                   {"heading", c.heading >= 0 ? m_desk.boardWidgets().Label1[static_cast<std::size_t>(c.heading)]->text() : folder},
                                   {"caption", b->caption()},
                                   {"played", b->backColor() == PlayedMark},
                                   {"broken", b->mark() == VbButton::Mark::Fault},
                                   {"key", KeyNames::shown(m_keys.keyOf(i))}});
    }
    o["buttons"] = buttons;
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QByteArray RemoteDesk::run(RemoteApi::Command command, int argument) {
    using C = RemoteApi::Command;
    TransportArea& t = m_desk.transportArea();
    const bool ducked = t.cmdAnsage->caption() == QLatin1String("Musik");
    switch (command) {
    case C::Press:
        if (argument >= 0 && argument < BoardWidgets::TitleButtons)
            clickShown(m_desk.boardWidgets().button(argument));
        break;
    case C::Stop: clickShown(t.cmd2); break;
    case C::Pause: clickShown(t.cmd5); break;
    case C::Resume: clickShown(t.cmd6); break;
    case C::Fade: clickShown(t.Command2); break;
    case C::Announce:
        if (!ducked)
            clickShown(t.cmdAnsage);
        break;
    case C::Music:
        if (ducked)
            clickShown(t.cmdAnsage);
        break;
    case C::Number: m_keys.playNumber(argument); break;
    default: break;
    }
    publish(); // every page hears of it at once, not at the next look
    return state();
}

void RemoteDesk::publish() {
    if (!m_server)
        return;
    m_lastFingerprint = fingerprint();
    m_lastPublishMs = QDateTime::currentMSecsSinceEpoch();
    const std::vector<int> buttons = titled();
    const QByteArray full = stateOf(buttons);
    const QSet<int> set(buttons.begin(), buttons.end());
    RemoteServer* server = m_server;
    QMetaObject::invokeMethod(server, [server, full, set] { server->publish(full, set); });
}

quint64 RemoteDesk::fingerprint() const {
    // What the pages show, but the times: a hash of it costs the UI thread a fraction of the message itself.
    quint64 h = 1469598103934665603ULL;
    const auto mix = [&h](quint64 v) { h = (h ^ v) * 1099511628211ULL; };
    TransportArea& t = m_desk.transportArea();
    for (const QAbstractButton* b : {static_cast<QAbstractButton*>(t.cmd2), static_cast<QAbstractButton*>(t.cmd5),
                                     static_cast<QAbstractButton*>(t.cmd6), static_cast<QAbstractButton*>(t.Command2),
                                     static_cast<QAbstractButton*>(t.cmdAnsage)})
        mix(shown(b));
    mix(qHash(t.cmdAnsage->caption()));
    mix(qHash(m_desk.statusTitle()));
    mix(qHash(m_desk.settings().sMannschaft));
    mix(m_failed && m_failed());
    if (m_status) {
        const MediaStatus::Status s = m_status->status(ConsoleWindow::MyAlias);
        mix(s.serial);
        mix(s.open * 4 + s.playing * 2 + s.ended);
    }
    for (int i = 0; i < BoardWidgets::TitleButtons; ++i) {
        const VbButton* b = m_desk.boardWidgets().button(i);
        mix(b->isHidden());
        mix(static_cast<quint64>(static_cast<quint32>(b->backColor())));
        mix(static_cast<quint64>(b->mark()));
        mix(qHash(b->caption()));
        mix(qHash(b->cornerText()));
    }
    return h;
}

void RemoteDesk::watch() {
    // The times run on in the pages by themselves; a message goes when anything else changed, and once a
    // second while a title sounds, to keep them right.
    const quint64 now = fingerprint();
    const bool sounding = m_status && m_status->status(ConsoleWindow::MyAlias).playing;
    if (now != m_lastFingerprint || (sounding && QDateTime::currentMSecsSinceEpoch() - m_lastPublishMs >= 1000))
        publish();
}
