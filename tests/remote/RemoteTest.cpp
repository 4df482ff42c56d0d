// The remote's interface at the HTTP level, against the real desk on a free port: the login and the token,
// every call doing what its click does (and nothing where the control is not shown), and every refusal: no
// token, a wrong PIN five times, a request over 4 KiB, bad JSON, unknown paths and methods, a WebSocket from
// another origin, more than 32 connections.
#include "console/BoardWidgets.h"
#include "keys/KeyRouter.h"
#include "remote/RemoteDesk.h"
#include "remote/RemoteServer.h"
#include "support/Desk.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QWebSocket>

namespace {

class Remote : public Desk {
  protected:
    void SetUp() override {
        start({{"7 Meter", {"01Siebenmeter.mp3"}}, {"Tormusik", {"07Sieben.mp3", "13Müller.mp3"}}});
        ASSERT_TRUE(main->remote().start(0, QStringLiteral("4711")));
        port = main->remote().port();
    }
    void TearDown() override {
        main->remote().stop();
        Desk::TearDown();
    }
    // One request on a connection of its own; the answer's status and body.
    std::pair<int, QByteArray> raw(const QByteArray& request) {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, port);
        if (!s.waitForConnected(3000))
            return {-1, {}};
        s.write(request);
        QByteArray answer;
        static_cast<void>(QTest::qWaitFor([&] { // a short answer is told by the status below
            answer += s.readAll();
            const qsizetype head = answer.indexOf("\r\n\r\n");
            const qsizetype length = answer.mid(answer.indexOf("Content-Length: ") + 16).split('\r').first().toLongLong();
            return head > 0 && answer.size() >= head + 4 + length;
        }, 3000));
        return {answer.mid(9, 3).toInt(), answer.mid(answer.indexOf("\r\n\r\n") + 4)};
    }
    std::pair<int, QByteArray> call(const char* method, const QByteArray& path, const QByteArray& body = {},
                                    const QByteArray& bearer = QByteArray("T")) {
        QByteArray r = QByteArray(method) + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n";
        if (!bearer.isEmpty())
            r += "Authorization: Bearer " + (bearer == "T" ? token : bearer) + "\r\n";
        return raw(r + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    }
    QByteArray login(const QByteArray& pin = "4711") {
        const auto [status, body] = call("POST", "/api/login", "{\"pin\":\"" + pin + "\"}", {});
        return status == 200 ? QJsonDocument::fromJson(body)["token"].toString().toLatin1() : QByteArray();
    }
    static QJsonObject json(const QByteArray& body) { return QJsonDocument::fromJson(body).object(); }

    quint16 port = 0;
    QByteArray token;
};

TEST_F(Remote, EveryCallIsTheClickItNamesAndAnsweredWithTheState) {
    token = login();
    ASSERT_EQ(token.size(), 32) << "128 random bits";
    const QJsonObject state = json(call("GET", "/api/state").second);
    EXPECT_EQ(state["team"].toString(), QStringLiteral("Damen"));
    EXPECT_EQ(state["status"].toString(), QStringLiteral("stop"));
    EXPECT_EQ(state["buttons"].toArray().size(), 3);
    EXPECT_EQ(state["buttons"][1].toObject()["category"].toString(), QStringLiteral("Tormusik"));
    // path, what the desk was sent, status and announcement after it
    for (auto [path, commands, shownStatus, ducked] :
         {std::tuple{"/api/buttons/0/press", "stop MyAlias|close MyAlias|open", "Siebenmeter   ** PLAY **", false},
          {"/api/resume", "", "Siebenmeter   ** PLAY **", false}, // Weiter is not shown: nothing
          {"/api/pause", "pause MyAlias", "Siebenmeter   ** WAIT **", false},
          {"/api/resume", "play MyAlias", "Siebenmeter   ** PLAY **", false},
          {"/api/music", "", "Siebenmeter   ** PLAY **", false},
          {"/api/announce", "", "Siebenmeter   ** PLAY **", true},
          {"/api/fade", "", "Siebenmeter   ** PLAY **", true}, // no fade while ducked
          {"/api/music", "", "Siebenmeter   ** PLAY **", false},
          {"/api/number/7", "stop MyAlias|close MyAlias|open", "Sieben   ** PLAY **", false},
          {"/api/stop", "stop MyAlias|close MyAlias", "Sieben   ** PLAY **", false}}) {
        const auto [code, body] = call("POST", path);
        EXPECT_EQ(code, 200) << path;
        const QString was = sent().join(QLatin1Char('|'));
        EXPECT_TRUE(*commands ? was.startsWith(QString::fromLatin1(commands)) : was.isEmpty()) << path << was.toStdString();
        EXPECT_EQ(json(body)["announcement"].toBool(), ducked) << path;
        if (std::string(path) != "/api/stop") {
            EXPECT_EQ(status(), QString::fromUtf8(shownStatus)) << path;
        }
    }
    EXPECT_FALSE(Operator::shown(main.get(), "cmd2_0"));
    EXPECT_EQ(Operator::find<VbButton>(main.get(), "Command1_61")->backColor(), 0x0000FF00);
    EXPECT_EQ(call("POST", "/api/buttons/5/press").first, 404) << "no title there";
    EXPECT_TRUE(sent().isEmpty());
}

TEST_F(Remote, NothingGetsInWithoutTheTokenAndEveryBadRequestIsRefusedPlainly) {
    EXPECT_EQ(call("POST", "/api/stop", {}, {}).first, 401);
    EXPECT_EQ(call("GET", "/api/state", {}, "0123456789abcdef0123456789abcdef").first, 401);
    EXPECT_EQ(call("POST", "/api/login", "{pin:4711", {}).first, 400);
    for (int i = 0; i < RemoteApi::kMaxWrongPins; ++i)
        EXPECT_EQ(call("POST", "/api/login", "{\"pin\":\"1234\"}", {}).first, 401);
    const auto [locked, why] = call("POST", "/api/login", "{\"pin\":\"4711\"}", {});
    EXPECT_EQ(locked, 429);
    EXPECT_EQ(json(why)["error"].toString(), QStringLiteral("Zu viele falsche PINs: Diese Adresse ist für 60 s gesperrt."));

    main->remote().stop(); // a new start forgets the lock-out
    ASSERT_TRUE(main->remote().start(0, QStringLiteral("4711")));
    port = main->remote().port();
    token = login();
    EXPECT_EQ(call("DELETE", "/api/stop").first, 405);
    EXPECT_EQ(call("GET", "/api/pause").first, 405);
    EXPECT_EQ(call("GET", "/etc/passwd").first, 404);
    EXPECT_EQ(call("GET", "/api/../Klangwart.ini").first, 404);
    EXPECT_EQ(call("POST", "/api/number/100").first, 404);
    EXPECT_EQ(call("POST", "/api/stop", "{\"x\":").first, 400);
    EXPECT_EQ(call("POST", "/api/stop", QByteArray(5000, ' ')).first, 413);
    EXPECT_EQ(raw("GARBAGE\r\n\r\n").first, 400);
    EXPECT_TRUE(sent().isEmpty()) << "no refused request reached the desk";

    // The page's own origin may open the events; another may not.
    const QUrl events(QStringLiteral("ws://127.0.0.1:%1/api/events?token=%2").arg(port).arg(QString::fromLatin1(token)));
    QWebSocket own(QStringLiteral("http://127.0.0.1:%1").arg(port));
    QWebSocket foreign(QStringLiteral("http://evil.example"));
    QString first;
    QObject::connect(&own, &QWebSocket::textMessageReceived, [&](const QString& m) { first = m; });
    own.open(events);
    foreign.open(events);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !first.isEmpty(); }, 3000));
    EXPECT_TRUE(first.contains(QStringLiteral("\"team\":\"Damen\"")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return foreign.state() == QAbstractSocket::UnconnectedState; }, 3000));
    // A press is heard on the events at once.
    first.clear();
    main->boardWidgets().button(0)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.contains(QStringLiteral("\"title\":\"Siebenmeter\"")); }, 1000));

    // At most 32 connections: the 33rd is closed unanswered.
    std::vector<std::unique_ptr<QTcpSocket>> many;
    for (int i = 0; i < RemoteServer::kMaxConnections + 2; ++i) {
        many.push_back(std::make_unique<QTcpSocket>());
        many.back()->connectToHost(QHostAddress::LocalHost, port);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return main->remote().connections() == RemoteServer::kMaxConnections; }, 3000));
}

} // namespace
