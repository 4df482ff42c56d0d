#pragma once
#include <QString>

struct Category;

// Where things lie in the program directory: the settings file, a team's start-offset file, the team and
// category folders, and the title paths, which are both the file that is played and the section of its start
// offset. The program directory may be the root ("/"), so joining never doubles a separator.
namespace ProgramPaths {

inline constexpr char SettingsFileName[] = "Klangwart.ini";

// dir + "/" + name, without a second "/" when dir already ends with one.
QString join(const QString& dir, const QString& name);
// program directory + "Klangwart.ini".
QString settingsFile(const QString& programDir);
// program directory + team + ".ini".
QString startOffsetFile(const QString& programDir, const QString& team);
// program directory + team.
QString teamFolder(const QString& programDir, const QString& team);
// program directory + team + category folder.
QString categoryFolder(const QString& programDir, const QString& team, const Category& c);
// A title's path within the program directory: team + "/" + category folder + "/" + file name, as the key file
// and the play log name it (the same on any machine the folder is copied to).
QString titleWithin(const QString& team, const Category& c, const QString& fileName);

} // namespace ProgramPaths
