#pragma once
#include <QString>

class MediaCommands;

// The media command strings that play a title under an alias: open with type and alias, play from, pause,
// play (resume), stop and close. A path with blanks travels in double quotes. UI thread.
class TitlePlayer {
  public:
    explicit TitlePlayer(MediaCommands& media);

    // Opens the file and plays it from fromText (sent as it is); false when the file is missing or either
    // command was refused.
    bool play(const QString& file, const QString& alias, const QString& fromText);
    // Stops and closes whatever is open under the alias.
    void stop(const QString& alias);
    void pause(const QString& alias);
    // Goes on where the title was paused.
    void resume(const QString& alias);

  private:
    MediaCommands& m_media;
};
