#include "app/StartupCheck.h"

#include "library/ProgramPaths.h"
#include "platform/AtomicFile.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// Exclamation mark, Retry / Cancel.
constexpr int RetryCancelStyle = 0x30 | 5;

// The files the desk writes: the settings file and a start-offset file per team, and every team is a folder.
void removeLeftovers(const QString& programDir) {
    AtomicFile::removeLeftovers(ProgramPaths::settingsFile(programDir));
    const QStringList folders =
        QDir(programDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString& team : folders)
        AtomicFile::removeLeftovers(ProgramPaths::startOffsetFile(programDir, team));
}
} // namespace

namespace StartupCheck {

QString unreadableBecause(const QString& file) {
    const QFileInfo info(file);
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("sie verweist auf eine Datei, die es nicht gibt");
    if (!info.exists())
        return QString();
    if (info.isDir())
        return QStringLiteral("an ihrer Stelle liegt ein Ordner");
    if (!info.isReadable())
        return QStringLiteral("keine Leseberechtigung");
    QFile f(file);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly))
        return QStringLiteral("sie kann nicht geöffnet werden");
    f.readAll();
    return f.error() == QFileDevice::NoError ? QString() : QStringLiteral("sie kann nicht gelesen werden");
}

bool run(Services& services, const std::function<void()>& endProgram) {
    removeLeftovers(services.programDir);
    const QString file = ProgramPaths::settingsFile(services.programDir);
    // "Wiederholen" looks again, so an operator who mends the file goes on without a restart.
    for (QString why = unreadableBecause(file); !why.isEmpty(); why = unreadableBecause(file)) {
        const QString text = QStringLiteral("Die Einstellungsdatei ") + file +
                             QStringLiteral(" kann nicht gelesen werden: ") + why +
                             QStringLiteral(".\r\n\r\nBitte die Datei prüfen.");
        if (services.dialogs.msgBox(text, RetryCancelStyle, QStringLiteral("Einstellungsdatei prüfen")) !=
            Dialogs::Retry) {
            endProgram();
            return false;
        }
    }
    return true;
}

} // namespace StartupCheck
