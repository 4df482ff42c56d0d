#pragma once
#include "settings/WriteOutcome.h"

#include <QString>
#include <map>

// The desk's keys, stored in Tasten.ini in the program folder, never in Klangwart.ini: a section per team
// that gives each key the title it presses (its path within the program folder, so that a new file in a
// folder does not move a key), the keypad's transport keys, and the re-press guard. Windows-1252 with CRLF,
// written by the desk's atomic writer; a hand-edited file is read as the settings file is (names without
// regard to case, blanks around them dropped, what is no key ignored). UI thread.
class KeyFile {
  public:
    static constexpr char FileName[] = "Tasten.ini";
    static constexpr int DefaultGuardMs = 400;
    // What a key of the keypad does, as a click on the control that is shown.
    enum class Transport { PauseOrResume, AnnounceOrMusic, FadeOut, Stop };

    explicit KeyFile(const QString& programDir);

    QString path() const { return m_path; }
    // The team's button keys: key name (see KeyNames) to title path within the program folder.
    std::map<QString, QString> buttonKeys(const QString& team) const;
    // Gives the key to the title (an empty path takes it away), stored at once.
    WriteOutcome assign(const QString& team, const QString& key, const QString& title) const;
    // The keypad's keys: "/" pause and resume, "*" announcement and music, "-" fade out, "," "." and Del
    // stop, unless the file says otherwise (section [Ziffernblock], several keys separated by blanks).
    std::map<QString, Transport> transportKeys() const;
    // How long after its start a press of the running title does nothing ([Allgemein] Wiederholsperre, in
    // milliseconds; 0 switches it off).
    int repressGuardMs() const;

  private:
    QString m_path;
};
