#include "audio/MediaCommandInterpreter.h"

#include "audio/AudioEngine.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {
QString aliasKey(const QString& alias) {
    return alias.toLower();
}

QStringList words(const QString& text) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.split(blanks, Qt::SkipEmptyParts);
}

// A path with blanks travels in double quotes; the quotes are not part of the name.
QString unquoted(QString path) {
    path = path.trimmed();
    if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"'))) {
        path = path.mid(1, path.size() - 2);
    }
    return path;
}
} // namespace

MediaCommandInterpreter::MediaCommandInterpreter(AudioEngine& engine) : engine_(engine) {}

MediaCommandInterpreter::~MediaCommandInterpreter() {
    for (const auto& entry : aliases_) {
        engine_.close(entry.second.voice);
    }
}

int MediaCommandInterpreter::voiceOf(const QString& alias) const {
    const auto it = aliases_.find(aliasKey(alias));
    return it == aliases_.end() ? -1 : it->second.voice;
}

MediaStatus::Status MediaCommandInterpreter::status(const QString& alias) const {
    Status s;
    const auto it = aliases_.find(aliasKey(alias));
    if (it == aliases_.end()) {
        return s;
    }
    const int voice = it->second.voice;
    const VoiceState state = engine_.state(voice);
    s.open = true;
    s.serial = it->second.serial;
    s.ended = state == VoiceState::Finished;
    s.playing = state == VoiceState::Playing;
    s.positionMs = std::max<std::int64_t>(0, engine_.positionFrames(voice)) * 1000 / AudioEngine::kSampleRate;
    s.durationMs = engine_.durationMs(voice);
    return s;
}

std::optional<std::int64_t> MediaCommandInterpreter::startOf(const QString& text) {
    const QStringList parts = words(text);
    bool ok = false;
    const qlonglong positionMs = parts.size() == 1 ? parts[0].toLongLong(&ok) : 0;
    if (!ok) {
        return std::nullopt;
    }
    return positionMs < 0 ? 0 : positionMs;
}

int MediaCommandInterpreter::send(const QString& command) {
    const QString text = command.trimmed();
    if (text.isEmpty()) {
        return MissingCommandString;
    }
    const QStringList parts = words(text);
    const QString verb = parts.first().toLower();
    if (verb == QLatin1String("open")) {
        return open(text.mid(parts.first().size()));
    }
    if (verb == QLatin1String("play")) {
        return play(parts);
    }
    if (verb == QLatin1String("pause") || verb == QLatin1String("stop") || verb == QLatin1String("close")) {
        return simple(verb, parts);
    }
    return UnrecognizedCommand;
}

// "open <path> type MPEGVideo alias <alias>". The path ends at the last " type ", so that blanks,
// quotes, ampersands and even the word "type" inside a file name stay part of the name.
int MediaCommandInterpreter::open(const QString& rest) {
    const int typeAt = rest.lastIndexOf(QLatin1String(" type "), -1, Qt::CaseInsensitive);
    if (typeAt < 0) {
        return MissingParameter;
    }
    const QString path = unquoted(rest.left(typeAt));
    const QStringList tail = words(rest.mid(typeAt + 6));
    if (path.isEmpty() || tail.size() < 3) {
        return MissingParameter;
    }
    if (tail[0].compare(QLatin1String("mpegvideo"), Qt::CaseInsensitive) != 0) {
        return InvalidDeviceName;
    }
    if (tail[1].compare(QLatin1String("alias"), Qt::CaseInsensitive) != 0 || tail.size() > 3) {
        return UnrecognizedKeyword;
    }
    if (aliases_.count(aliasKey(tail[2])) != 0) {
        return DuplicateAlias;
    }
    int voice = -1;
    const int result = errorFor(engine_.open(path, voice));
    if (result == Ok) {
        aliases_[aliasKey(tail[2])] = Open{voice, ++opens_};
    }
    return result;
}

// "play <alias>" resumes; "play <alias> from <ms>" starts there (a negative position is the start).
int MediaCommandInterpreter::play(const QStringList& words) {
    if (words.size() < 2) {
        return MissingDeviceName;
    }
    const int voice = voiceOf(words[1]);
    if (voice < 0) {
        return InvalidDeviceName;
    }
    if (words.size() == 2) {
        return errorFor(engine_.resume(voice));
    }
    if (words[2].compare(QLatin1String("from"), Qt::CaseInsensitive) != 0 || words.size() > 4) {
        return UnrecognizedKeyword;
    }
    if (words.size() == 3) {
        return MissingParameter;
    }
    const std::optional<std::int64_t> positionMs = startOf(words[3]);
    if (!positionMs) {
        return BadInteger;
    }
    return errorFor(engine_.playFrom(voice, *positionMs));
}

// "pause <alias>", "stop <alias>", "close <alias>".
int MediaCommandInterpreter::simple(const QString& verb, const QStringList& words) {
    if (words.size() < 2) {
        return MissingDeviceName;
    }
    if (words.size() > 2) {
        return UnrecognizedKeyword;
    }
    const int voice = voiceOf(words[1]);
    if (voice < 0) {
        return InvalidDeviceName;
    }
    if (verb == QLatin1String("pause")) {
        return errorFor(engine_.pause(voice));
    }
    if (verb == QLatin1String("stop")) {
        return errorFor(engine_.stop(voice));
    }
    aliases_.erase(aliasKey(words[1]));
    return errorFor(engine_.close(voice));
}

int MediaCommandInterpreter::errorFor(AudioError error) {
    switch (error) {
    case AudioError::None:
        return Ok;
    case AudioError::FileNotFound:
        return FileNotFound;
    case AudioError::InvalidFile:
        return InvalidFile;
    case AudioError::OutOfRange:
        return OutOfRange;
    case AudioError::NoSuchVoice:
        return InvalidDeviceName;
    case AudioError::NoFreeVoice:
        return OutOfMemory;
    }
    return InvalidFile;
}
