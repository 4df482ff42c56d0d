// libFuzzer target: any bytes as what a connection of the remote sends, read request by request as the server
// reads them and answered by the interface, which holds a PIN and a token of its own and a board of a few
// titles. Besides crashes and undefined behaviour it checks the limits the server relies on: no request over
// 4 KiB is ever taken, and a command for the desk only ever comes with the token, for a button with a title.
#include "remote/HttpMessage.h"
#include "remote/RemoteApi.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QByteArray token = QByteArray(16, 'k').toHex();
    RemoteApi api(QStringLiteral("4711"), [] { return QByteArray(16, 'k'); });
    const QSet<int> titled{0, 61, 126};
    QByteArray buffer(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::int64_t now = 0;
    for (int round = 0; round < 64 && !buffer.isEmpty(); ++round) {
        HttpRequest request;
        qsizetype consumed = 0;
        if (HttpRequest::parse(buffer, request, consumed) != HttpRequest::Parse::Complete)
            break;
        if (consumed <= 0 || consumed > HttpRequest::kMaxRequestBytes || consumed > buffer.size())
            std::abort();
        buffer.remove(0, consumed);
        const RemoteApi::Outcome o = api.handle(request, QStringLiteral("192.0.2.7"), now += 1000000, titled);
        const bool needsToken = o.command != RemoteApi::Command::None && o.command != RemoteApi::Command::Page;
        const QByteArray bearer = request.header("authorization");
        if (needsToken && !bearer.contains(token) && !request.query.contains(token))
            std::abort();
        if (o.command == RemoteApi::Command::Press && !titled.contains(o.argument))
            std::abort();
        static_cast<void>(o.response.serialize());
    }
    return 0;
}
