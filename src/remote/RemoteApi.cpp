#include "remote/RemoteApi.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

RemoteApi::Outcome answer(HttpResponse response) {
    RemoteApi::Outcome o;
    o.response = std::move(response);
    return o;
}

RemoteApi::Outcome command(RemoteApi::Command c, int argument = 0) {
    RemoteApi::Outcome o;
    o.command = c;
    o.argument = argument;
    return o;
}

// A whole number 0..limit written in plain digits; -1 otherwise.
int number(const QByteArray& text, int limit) {
    if (text.isEmpty() || text.size() > 3)
        return -1;
    for (char c : text)
        if (c < '0' || c > '9')
            return -1;
    const int n = text.toInt();
    return n <= limit ? n : -1;
}

bool sameText(const QByteArray& a, const QByteArray& b) {
    // Compared whole, so the time taken tells nothing of how much of a token was right.
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

} // namespace

RemoteApi::RemoteApi(const QString& pin, std::function<QByteArray()> random)
    : m_pin(pin), m_random(std::move(random)) {}

bool RemoteApi::authorised(const HttpRequest& request) const {
    QByteArray token = request.header("authorization");
    if (token.startsWith("Bearer "))
        token = token.mid(7).trimmed();
    else
        token = request.queryValue("token"); // the WebSocket of a browser cannot send the header
    if (token.isEmpty())
        return false;
    for (const QByteArray& t : m_tokens)
        if (sameText(t, token))
            return true;
    return false;
}

RemoteApi::Outcome RemoteApi::login(const HttpRequest& request, const QString& peer, std::int64_t nowUs) {
    Strikes& s = m_strikes[peer];
    if (s.lockedUntilUs > nowUs)
        return answer(HttpResponse::error(
            429, QStringLiteral("Zu viele falsche PINs: Diese Adresse ist für %1 s gesperrt.")
                     .arg((s.lockedUntilUs - nowUs + 999999) / 1000000)));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(request.body, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject() || !doc.object().value("pin").isString())
        return answer(HttpResponse::error(400, QStringLiteral("Erwartet: {\"pin\":\"NNNN\"}.")));
    if (!sameText(doc.object().value("pin").toString().toUtf8(), m_pin.toUtf8())) {
        if (++s.wrong >= kMaxWrongPins) {
            s.wrong = 0;
            s.lockedUntilUs = nowUs + kLockoutUs;
        }
        return answer(HttpResponse::error(401, QStringLiteral("Falsche PIN.")));
    }
    s = Strikes{};
    const QByteArray token = m_random().toHex();
    m_tokens.insert(token);
    m_tokenOrder.push_back(token);
    if (m_tokenOrder.size() > kMaxTokens) {
        m_tokens.remove(m_tokenOrder.front());
        m_tokenOrder.pop_front();
    }
    // Old strikes of addresses that went quiet are forgotten, so the table stays small.
    if (m_strikes.size() > 1024)
        for (auto it = m_strikes.begin(); it != m_strikes.end();)
            it = it->second.lockedUntilUs <= nowUs ? m_strikes.erase(it) : std::next(it);
    return answer(HttpResponse::json(
        200, QJsonDocument(QJsonObject{{"token", QString::fromLatin1(token)}}).toJson(QJsonDocument::Compact)));
}

RemoteApi::Outcome RemoteApi::handle(const HttpRequest& request, const QString& peer, std::int64_t nowUs,
                                     const QSet<int>& titled) {
    const QByteArray& p = request.path;
    const bool get = request.method == "GET";
    const bool post = request.method == "POST";
    const auto notAllowed = [] { return answer(HttpResponse::error(405, QStringLiteral("Methode nicht erlaubt."))); };
    if (p == "/")
        return get ? command(Command::Page) : notAllowed();
    if (p == "/api/login")
        return post ? login(request, peer, nowUs) : notAllowed();
    if (!p.startsWith("/api/"))
        return answer(HttpResponse::error(404, QStringLiteral("Unbekannte Adresse.")));

    // Every other call: known path first (an unknown one is 404 for anyone), then the token.
    const QList<QByteArray> parts = p.mid(5).split('/');
    static const std::map<QByteArray, Command> simple{
        {"stop", Command::Stop},   {"pause", Command::Pause},       {"resume", Command::Resume},
        {"fade", Command::Fade},   {"announce", Command::Announce}, {"music", Command::Music}};
    Outcome wanted;
    bool isGet = false;
    if (parts.size() == 1 && parts[0] == "state") {
        wanted = command(Command::State);
        isGet = true;
    } else if (parts.size() == 1 && parts[0] == "events") {
        wanted = command(Command::Events);
        isGet = true;
    } else if (parts.size() == 1 && simple.count(parts[0])) {
        wanted = command(simple.at(parts[0]));
    } else if (parts.size() == 3 && parts[0] == "buttons" && parts[2] == "press" && number(parts[1], 999) >= 0) {
        wanted = command(Command::Press, number(parts[1], 999));
    } else if (parts.size() == 2 && parts[0] == "number" && number(parts[1], 99) >= 0) {
        wanted = command(Command::Number, number(parts[1], 99));
    } else {
        return answer(HttpResponse::error(404, QStringLiteral("Unbekannte Adresse.")));
    }
    if (isGet ? !get : !post)
        return notAllowed();
    if (!authorised(request))
        return answer(HttpResponse::error(401, QStringLiteral("Erst anmelden: POST /api/login mit der PIN.")));
    if (!request.body.isEmpty()) {
        QJsonParseError error{};
        QJsonDocument::fromJson(request.body, &error);
        if (error.error != QJsonParseError::NoError)
            return answer(HttpResponse::error(400, QStringLiteral("Ungültiges JSON.")));
    }
    if (wanted.command == Command::Press && !titled.contains(wanted.argument))
        return answer(HttpResponse::error(404, QStringLiteral("Knopf %1 hat keinen Titel.").arg(wanted.argument)));
    return wanted;
}
