#include "app/ProgramDirectory.h"

#include <QDir>
#include <QFileInfo>

ProgramDirectory ProgramDirectory::given(const QString& dir) {
    const QFileInfo folder(dir);
    if (!folder.isDir())
        return failure(QStringLiteral("'%1' ist kein Ordner").arg(dir));
    ProgramDirectory result;
    result.m_path = folder.canonicalFilePath();
    return result;
}

ProgramDirectory ProgramDirectory::ofProgram(const QString& executable, const QString& installedBinDir,
                                             const QString& home) {
    ProgramDirectory result;
    result.m_path = QFileInfo(executable).canonicalPath();
    if (result.m_path.isEmpty())
        return failure(QStringLiteral("der Ordner des Programms '%1' ist nicht zu finden").arg(executable));
    // Both sides resolved: on a merged /usr, /bin/klangwart and /usr/bin/klangwart are the same program.
    const QString installed =
        installedBinDir.isEmpty() ? QString() : QFileInfo(installedBinDir).canonicalFilePath();
    if (installed.isEmpty() || result.m_path != installed)
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
