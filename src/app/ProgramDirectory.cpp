#include "app/ProgramDirectory.h"

#include "library/ProgramPaths.h"

#include <QDir>
#include <QFileInfo>

ProgramDirectory ProgramDirectory::given(const QString& dir) {
    const QFileInfo folder(dir);
    if (!folder.isDir())
        return failure(QStringLiteral("'%1' ist kein Ordner").arg(dir));
    ProgramDirectory result;
    result.m_path = folder.canonicalFilePath();
    const QDir d(result.m_path);
    if (!QFileInfo::exists(d.filePath(QString::fromLatin1(ProgramPaths::SettingsFileName)))) {
        result.m_empty = d.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        if (!result.m_empty)
            return failure(
                QStringLiteral("'%1' ist kein Programmordner: Es fehlt Klangwart.ini, und der Ordner "
                               "ist nicht leer")
                    .arg(dir));
    }
    return result;
}

ProgramDirectory ProgramDirectory::ofProgram(const QString& executable, const QString& dataFromBin,
                                             const QString& home) {
    ProgramDirectory result;
    result.m_path = QFileInfo(executable).canonicalPath();
    if (result.m_path.isEmpty())
        return failure(QStringLiteral("der Ordner des Programms '%1' ist nicht zu finden").arg(executable));
    // The executable's real folder: a link to the installed desk is the installed desk.
    const QDir bin(result.m_path);
    if (!QFileInfo(bin.filePath(dataFromBin + QLatin1Char('/') + QLatin1String(InstallMarker))).isFile())
        return result;
    if (home.isEmpty() || !QFileInfo(home).isDir())
        return failure(
            QStringLiteral("es gibt keinen Benutzerordner für ~/%1").arg(QLatin1String(HomeFolderName)));
    const QString folder = QDir(QFileInfo(home).canonicalFilePath()).filePath(QLatin1String(HomeFolderName));
    const QString resolved = QFileInfo(folder).canonicalFilePath();
    result.m_path = resolved.isEmpty() ? folder : resolved;
    result.m_home = true;
    return result;
}

ProgramDirectory ProgramDirectory::failure(const QString& error) {
    ProgramDirectory result;
    result.m_error = error;
    return result;
}
