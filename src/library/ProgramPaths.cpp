#include "library/ProgramPaths.h"

#include "library/Categories.h"

namespace ProgramPaths {

QString join(const QString& dir, const QString& name) {
    bool endsWithSeparator = dir.endsWith(QLatin1Char('/'));
#ifdef Q_OS_WIN
    endsWithSeparator = endsWithSeparator || dir.endsWith(QLatin1Char('\\'));
#endif
    if (endsWithSeparator)
        return dir + name;
    return dir + QLatin1Char('/') + name;
}

QString settingsFile(const QString& programDir) {
    return join(programDir, QString::fromLatin1(SettingsFileName));
}

QString startOffsetFile(const QString& programDir, const QString& team) {
    return join(programDir, team + QStringLiteral(".ini"));
}

QString teamFolder(const QString& programDir, const QString& team) {
    return join(programDir, team);
}

QString categoryFolder(const QString& programDir, const QString& team, const Category& c) {
    return join(teamFolder(programDir, team), QString::fromUtf8(c.folder));
}

QString titleWithin(const QString& team, const Category& c, const QString& fileName) {
    return team + QLatin1Char('/') + QString::fromUtf8(c.folder) + QLatin1Char('/') + fileName;
}

} // namespace ProgramPaths
