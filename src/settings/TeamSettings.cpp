#include "settings/TeamSettings.h"

#include "library/ProgramPaths.h"
#include "settings/IniAccess.h"
#include "settings/NumberText.h"
#include "settings/SettingsKeys.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
// Index: fade time in seconds minus one.
constexpr std::array<std::int16_t, TeamSettings::FadeChoices> FadeSteps = {12, 8, 4};
} // namespace

std::int16_t TeamSettings::fadeStepFor(double seconds) {
    for (int i = 0; i < FadeChoices; ++i)
        if (seconds == i + 1)
            return FadeSteps[static_cast<std::size_t>(i)];
    return 0;
}

int TeamSettings::fadeSecondsOf(std::int16_t step) {
    for (int i = 0; i < FadeChoices; ++i)
        if (step == FadeSteps[static_cast<std::size_t>(i)])
            return i + 1;
    return 0;
}

TeamSettings::TeamSettings(const QString& programDir) : sIniFile(ProgramPaths::settingsFile(programDir)) {}

void TeamSettings::readTeam() {
    sVerein = Ini_Read(sIniFile, SettingsKeys::SectionMannschaft, SettingsKeys::KeyVerein);
    sMannschaft = Ini_Read(sIniFile, SettingsKeys::SectionMannschaft, SettingsKeys::KeyMannschaft);
    if (!m_unstoredTeam.isEmpty())
        sMannschaft = m_unstoredTeam;
}

WriteOutcome TeamSettings::chooseTeam(const QString& team) {
    sMannschaft = team;
    const WriteOutcome outcome{
        WriteOutcome::Subject::Team, QStringLiteral("Die Mannschaft %1 wurde nicht gespeichert").arg(team),
        sIniFile,
        Ini_WriteChecked(sIniFile, SettingsKeys::SectionMannschaft, SettingsKeys::KeyMannschaft, team)};
    m_unstoredTeam = outcome.ok() ? QString() : team;
    report(outcome);
    return outcome;
}

void TeamSettings::report(const WriteOutcome& outcome) const {
    if (onWrite)
        onWrite(outcome);
}

void TeamSettings::readFade() {
    // Read as a fresh start on this team would: a team without a fade time has none, whatever the team
    // before it had.
    iFadeStep = 0;
    applyFadeTime(teamValue(SettingsKeys::SuffixAusblend, SettingsKeys::KeyZeit));
    applyRestVolume(teamValue(SettingsKeys::SuffixAusblend, SettingsKeys::KeyVol));
}

void TeamSettings::applyFadeTime(const QString& text) {
    fadeTimeText = text;
    if (const std::int16_t step = fadeStepFor(NumberText::leadingValue(text)))
        iFadeStep = step;
}

void TeamSettings::applyRestVolume(const QString& text) {
    restVolText = text;
    // A hand-edited value outside 0..100 per cent would overflow the 16-bit level: keep it in range.
    const double v = std::nearbyint(NumberText::leadingValue(text) * 100.0);
    iAnsageVol = static_cast<std::int16_t>(std::clamp(v, 0.0, 10000.0));
}

long TeamSettings::chooseFadeTime(int seconds) {
    applyFadeTime(QString::number(seconds));
    return writeTeamValue(SettingsKeys::SuffixAusblend, SettingsKeys::KeyZeit, fadeTimeText);
}

long TeamSettings::chooseRestVolume(const QString& percent) {
    applyRestVolume(percent);
    return writeTeamValue(SettingsKeys::SuffixAusblend, SettingsKeys::KeyVol, restVolText);
}

QString TeamSettings::teamValue(const char* suffix, const char* key) const {
    return Ini_Read(sIniFile, SettingsKeys::teamSection(sMannschaft, suffix), QString::fromLatin1(key));
}

long TeamSettings::writeTeamValue(const char* suffix, const char* key, const QString& value) {
    // The section of whichever team is current now, not the one the values were loaded for.
    return writeSetting(SettingsKeys::teamSection(sMannschaft, suffix), QString::fromLatin1(key), value);
}

long TeamSettings::writeSetting(const QString& section, const QString& key, const QString& value,
                                const QString& what) {
    const WriteOutcome outcome{WriteOutcome::Subject::Setting, what, sIniFile,
                               Ini_WriteChecked(sIniFile, section, key, value)};
    report(outcome);
    // The file takes writes again: the team chosen while it did not is stored now, so that the notice, which
    // goes with this success, does not leave a team unstored behind it.
    if (outcome.ok() && !m_unstoredTeam.isEmpty())
        chooseTeam(m_unstoredTeam);
    return outcome.ok() ? 1 : 0;
}
