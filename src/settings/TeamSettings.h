#pragma once
#include "settings/WriteOutcome.h"

#include <QString>
#include <cstdint>
#include <functional>

// The settings a console window works with: the settings file, the current team and club, and the team's fade
// time and announcement rest level with the texts they were read from. The one owner of the fade-time table;
// the panel and the ramps ask it. UI thread.
class TeamSettings {
  public:
    static constexpr int FadeChoices = 3; // 1, 2 or 3 seconds

    // The fade step for a fade time: 1, 2, 3 seconds give 12, 8, 4; 0 for any other time.
    static std::int16_t fadeStepFor(double seconds);
    // The nominal seconds of a fade step: 12, 8, 4 give 1, 2, 3; 0 for a step no choice gives.
    static int fadeSecondsOf(std::int16_t step);

    // sIniFile: program directory + "Klangwart.ini".
    explicit TeamSettings(const QString& programDir);

    // sVerein and sMannschaft from the file; a team chosen but not stored stays the team all the same.
    void readTeam();
    // The current team's "ZEIT" and "Vol": the texts, iFadeStep (0 without a fade time) and iAnsageVol.
    void readFade();
    // A fade time text to iFadeStep; a time that is not 1, 2 or 3 leaves iFadeStep as it is.
    void applyFadeTime(const QString& text);
    // A rest volume text (per cent) to iAnsageVol, kept within 0 to 100 per cent.
    void applyRestVolume(const QString& text);

    // The panel's choices: stored for the current team at once, then in effect. Ini_Write's result.
    long chooseFadeTime(int seconds);
    long chooseRestVolume(const QString& percent);

    // A team menu's choice: stored as the current team. When that fails, this console goes on with the team
    // all the same until the desk ends, and the outcome says the team was not stored.
    WriteOutcome chooseTeam(const QString& team);
    // The team chosen but not stored ("" when the file holds the choice); the other console goes on with it.
    QString unstoredTeam() const { return m_unstoredTeam; }
    void keepUnstoredTeam(const QString& team) { m_unstoredTeam = team; }

    // A value of the current team's section team + suffix.
    QString teamValue(const char* suffix, const char* key) const;
    long writeTeamValue(const char* suffix, const char* key, const QString& value);
    // Any value of the settings file, told through onWrite as what failed when it fails; Ini_Write's result.
    long writeSetting(const QString& section, const QString& key, const QString& value,
                      const QString& what = QStringLiteral("Die Einstellung wurde nicht gespeichert"));

    // Told of every write of these settings and of the start offsets, failed or not; nothing when unset.
    std::function<void(const WriteOutcome&)> onWrite;
    void report(const WriteOutcome& outcome) const;

    QString sIniFile;
    QString sVerein;
    QString sMannschaft;
    QString fadeTimeText; // what the fade time label shows, "ZEIT" as stored
    QString restVolText;  // what the rest volume label shows, "Vol" as stored
    std::int16_t iFadeStep = 0;
    std::int16_t iAnsageVol = 0;

  private:
    QString m_unstoredTeam;
};
