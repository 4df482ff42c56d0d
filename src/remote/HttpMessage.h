#pragma once
#include <QByteArray>
#include <QMap>

// The little HTTP/1.1 the remote speaks: requests read from a connection's bytes, at most kMaxRequestBytes
// each (head and body), with a Content-Length body and no other transfer coding; answers with a length, a
// type and nothing the browser may cache. No path is ever turned into a file name.
struct HttpRequest {
    static constexpr qsizetype kMaxRequestBytes = 4096;

    enum class Parse { Incomplete, Complete, Bad, TooLarge };

    QByteArray method;
    QByteArray path;  // without the query
    QByteArray query; // after '?', undecoded
    QMap<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;

    QByteArray header(const char* name) const { return headers.value(QByteArray(name)); }
    // One parameter of the query, percent-decoded; empty when it is not there.
    QByteArray queryValue(const QByteArray& name) const;

    // Reads one request from the front of buffer. Complete: request is filled and consumed tells how many bytes
    // it took (a keep-alive connection may have more behind it).
    static Parse parse(const QByteArray& buffer, HttpRequest& request, qsizetype& consumed);
};

struct HttpResponse {
    int status = 200;
    QByteArray contentType = "application/json; charset=utf-8";
    QByteArray body;
    bool close = false; // the connection ends after this answer

    static HttpResponse json(int status, const QByteArray& body);
    // {"error": text}: a plain German error the operator of a button box can read.
    static HttpResponse error(int status, const QString& text);
    QByteArray serialize() const;
};
