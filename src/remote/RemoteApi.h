#pragma once
#include "remote/HttpMessage.h"

#include <QSet>
#include <QString>

#include <cstdint>
#include <deque>
#include <map>

// What the remote's requests mean, without sockets or threads (the server thread asks; the fuzzer too): the
// login with the PIN and the tokens it hands out, the lock-out after wrong PINs, and each path and method to an
// answer or to a command for the desk. Nothing here can reach a file, a setting or a start offset.
class RemoteApi {
  public:
    static constexpr int kMaxWrongPins = 5;
    static constexpr std::int64_t kLockoutUs = 60 * 1000000LL;
    static constexpr int kMaxTokens = 256; // the oldest goes when more are asked for

    enum class Command { None, Page, Events, State, Press, Stop, Pause, Resume, Fade, Announce, Music, Number };
    struct Outcome {
        Command command = Command::None; // None: response is the whole answer
        int argument = 0;                // the button index, or the shirt number
        HttpResponse response;
    };

    // pin: four digits. random: 16 bytes for each new token.
    RemoteApi(const QString& pin, std::function<QByteArray()> random);

    // titled: the board buttons that hold a title now. nowUs: a steady clock.
    Outcome handle(const HttpRequest& request, const QString& peer, std::int64_t nowUs, const QSet<int>& titled);
    const QString& pin() const { return m_pin; }

  private:
    bool authorised(const HttpRequest& request) const;
    Outcome login(const HttpRequest& request, const QString& peer, std::int64_t nowUs);

    struct Strikes {
        int wrong = 0;
        std::int64_t lockedUntilUs = 0;
    };
    QString m_pin;
    std::function<QByteArray()> m_random;
    QSet<QByteArray> m_tokens;
    std::deque<QByteArray> m_tokenOrder;
    std::map<QString, Strikes> m_strikes; // by address
};
