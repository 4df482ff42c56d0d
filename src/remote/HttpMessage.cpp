#include "remote/HttpMessage.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace {
const char* reason(int status) {
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 413: return "Payload Too Large";
    case 429: return "Too Many Requests";
    case 503: return "Service Unavailable";
    default: return "Error";
    }
}

bool token(const QByteArray& text) {
    if (text.isEmpty())
        return false;
    for (char c : text)
        if (c <= 32 || c >= 127 || c == ':' || c == '(' || c == ')' || c == '<' || c == '>' || c == '@' ||
            c == ',' || c == ';' || c == '\\' || c == '"' || c == '/' || c == '[' || c == ']' || c == '?' ||
            c == '=' || c == '{' || c == '}')
            return false;
    return true;
}
} // namespace

QByteArray HttpRequest::queryValue(const QByteArray& name) const {
    for (const QByteArray& pair : query.split('&')) {
        const qsizetype eq = pair.indexOf('=');
        if (eq > 0 && pair.left(eq) == name)
            return QByteArray::fromPercentEncoding(pair.mid(eq + 1));
    }
    return {};
}

HttpRequest::Parse HttpRequest::parse(const QByteArray& buffer, HttpRequest& request, qsizetype& consumed) {
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return buffer.size() > kMaxRequestBytes ? Parse::TooLarge : Parse::Incomplete;
    if (headEnd + 4 > kMaxRequestBytes)
        return Parse::TooLarge;
    const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
    const QList<QByteArray> start = lines.first().trimmed().split(' ');
    if (start.size() != 3 || !token(start[0]) || !start[1].startsWith('/') || !start[2].startsWith("HTTP/1."))
        return Parse::Bad;
    HttpRequest r;
    r.method = start[0];
    const qsizetype q = start[1].indexOf('?');
    r.path = q < 0 ? start[1] : start[1].left(q);
    r.query = q < 0 ? QByteArray() : start[1].mid(q + 1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].endsWith('\r') ? lines[i].chopped(1) : lines[i];
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0 || !token(line.left(colon)))
            return Parse::Bad;
        r.headers.insert(line.left(colon).toLower(), line.mid(colon + 1).trimmed());
    }
    if (r.headers.contains("transfer-encoding"))
        return Parse::Bad; // chunked bodies are not spoken here; a length is
    qsizetype length = 0;
    if (r.headers.contains("content-length")) {
        bool ok = false;
        length = r.headers.value("content-length").toLongLong(&ok);
        if (!ok || length < 0)
            return Parse::Bad;
    }
    if (headEnd + 4 + length > kMaxRequestBytes)
        return Parse::TooLarge;
    if (buffer.size() < headEnd + 4 + length)
        return Parse::Incomplete;
    r.body = buffer.mid(headEnd + 4, length);
    consumed = headEnd + 4 + length;
    request = std::move(r);
    return Parse::Complete;
}

HttpResponse HttpResponse::json(int status, const QByteArray& body) {
    HttpResponse r;
    r.status = status;
    r.body = body;
    return r;
}

HttpResponse HttpResponse::error(int status, const QString& text) {
    return json(status, QJsonDocument(QJsonObject{{QStringLiteral("error"), text}}).toJson(QJsonDocument::Compact));
}

QByteArray HttpResponse::serialize() const {
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    out += "Content-Type: " + contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    out += "Cache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\n";
    if (status == 401)
        out += "WWW-Authenticate: Bearer\r\n";
    if (close)
        out += "Connection: close\r\n";
    return out + "\r\n" + body;
}
