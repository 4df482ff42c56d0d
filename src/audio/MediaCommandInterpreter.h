#pragma once
#include "platform/MediaCommands.h"
#include "platform/MediaStatus.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <optional>

class AudioEngine;
enum class AudioError;

// The media command string stand-in: open / play [from] / pause / stop / close on named aliases,
// answered with the classic media control error numbers, and carried out by the audio engine. It also
// tells, read only, where the title under an alias is.
class MediaCommandInterpreter : public MediaCommands, public MediaStatus {
  public:
    // The error numbers this stand-in answers with, as the Windows media control interface numbers them.
    enum Error : int {
        Ok = 0,
        UnrecognizedKeyword = 259,
        UnrecognizedCommand = 261,
        InvalidDeviceName = 263, // also: alias not open
        OutOfMemory = 264,
        MissingCommandString = 267,
        BadInteger = 270,
        MissingParameter = 273,
        FileNotFound = 275,
        OutOfRange = 282,
        DuplicateAlias = 289,
        MissingDeviceName = 292,
        InvalidFile = 296,
    };

    explicit MediaCommandInterpreter(AudioEngine& engine);
    ~MediaCommandInterpreter() override;

    // UI thread.
    int send(const QString& command) override;

    // UI thread.
    Status status(const QString& alias) const override;

    // UI thread, for tests and benchmarks: the engine voice behind an alias, -1 when it is not open.
    int voiceOf(const QString& alias) const;

    // The start in milliseconds that "play <alias> from " + text asks for (a negative one is the start);
    // nothing when the command would be refused for it. Any thread.
    static std::optional<std::int64_t> startOf(const QString& text);

  private:
    int open(const QString& rest);
    int play(const QStringList& words);
    int simple(const QString& verb, const QStringList& words);
    static int errorFor(AudioError error);

    struct Open {
        int voice;
        std::uint64_t serial;
    };

    AudioEngine& engine_;
    std::map<QString, Open> aliases_; // key: alias in lower case
    std::uint64_t opens_ = 0;
};
