#include "settings/ProgramPaths.h"

#include "settings/SettingsKeys.h"

QString ProgramPaths::join(const QString& dir, const QString& name) {
    bool endsWithSeparator = dir.endsWith(QLatin1Char('/'));
#ifdef Q_OS_WIN
    endsWithSeparator = endsWithSeparator || dir.endsWith(QLatin1Char('\\'));
#endif
    if (endsWithSeparator)
        return dir + name;
    return dir + QLatin1Char('/') + name;
}

QString ProgramPaths::settingsFile(const QString& programDir) {
    return join(programDir, QString::fromLatin1(SettingsKeys::SettingsFileName));
}

QString ProgramPaths::startOffsetFile(const QString& programDir, const QString& team) {
    return join(programDir, team + QString::fromLatin1(SettingsKeys::StartOffsetFileExtension));
}
