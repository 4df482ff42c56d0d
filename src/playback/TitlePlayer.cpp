#include "playback/TitlePlayer.h"

#include "platform/MediaCommands.h"
#include "platform/ShortPath.h"

TitlePlayer::TitlePlayer(MediaCommands& media) : m_media(media) {}

bool TitlePlayer::play(const QString& file, const QString& alias, const QString& fromText) {
    const QString shortPath = shortPathName(file);
    if (shortPath.isEmpty())
        return false;
    // There is no blank-free short form here, so a path with blanks travels in double quotes.
    const QString path =
        shortPath.contains(QLatin1Char(' ')) ? QLatin1Char('"') + shortPath + QLatin1Char('"') : shortPath;
    if (m_media.send(QStringLiteral("open ") + path + QStringLiteral(" type MPEGVideo alias ") + alias) != 0)
        return false;
    return m_media.send(QStringLiteral("play ") + alias + QStringLiteral(" from ") + fromText) == 0;
}

void TitlePlayer::stop(const QString& alias) {
    m_media.send(QStringLiteral("stop ") + alias);
    m_media.send(QStringLiteral("close ") + alias);
}

void TitlePlayer::pause(const QString& alias) {
    m_media.send(QStringLiteral("pause ") + alias);
}

void TitlePlayer::resume(const QString& alias) {
    m_media.send(QStringLiteral("play ") + alias);
}
