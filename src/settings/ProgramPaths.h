#pragma once
#include <QString>

// Paths inside the program directory. The program directory may be the root ("/"), so joining never doubles
// a separator that is already there.
class ProgramPaths {
  public:
    // dir + "/" + name, without a second "/" when dir already ends with one.
    static QString join(const QString& dir, const QString& name);
    // The settings file: program directory + "Klangwart.ini".
    static QString settingsFile(const QString& programDir);
    // A team's start-offset file: program directory + team + ".ini".
    static QString startOffsetFile(const QString& programDir, const QString& team);
};
