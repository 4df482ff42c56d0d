#include "platform/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// QSaveFile syncs too but ignores the result; a failed sync means the data may never reach the disk.
bool syncHandle(int fd) {
    int rc;
    do {
        rc = ::fsync(fd);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

// Makes the rename itself durable; best effort, the file content is already safe.
void syncFolderOf(const QString& path) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
#else
bool syncHandle(int) {
    return true;
}
void syncFolderOf(const QString&) {}
#endif

#ifdef Q_OS_UNIX
// Why a write into path's folder failed: the error number of the failed call when it says, else what the
// folder tells now (the number may have been overwritten on the way out of the library).
WriteError failure(const QString& path, int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return WriteError::DiskFull;
    case EROFS:
        return WriteError::ReadOnlyMedium;
    case EACCES:
    case EPERM:
        return WriteError::NoPermission;
    default:
        break;
    }
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    struct statvfs fs;
    if (::statvfs(folder.constData(), &fs) == 0) {
        if (fs.f_flag & ST_RDONLY)
            return WriteError::ReadOnlyMedium;
        if (fs.f_bavail == 0)
            return WriteError::DiskFull;
    }
    return ::access(folder.constData(), W_OK) == 0 ? WriteError::Failed : WriteError::NoPermission;
}
#else
WriteError failure(const QString&, int) {
    return WriteError::Failed;
}
#endif

} // namespace

WriteError AtomicFile::check(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return info.dir().exists() ? WriteError::None : WriteError::FolderMissing;
    if (!info.isFile())
        return info.isDir() ? WriteError::IsFolder : WriteError::Failed;
#ifdef Q_OS_UNIX
    struct stat st;
    const QByteArray native = QFile::encodeName(info.absoluteFilePath());
    if (::stat(native.constData(), &st) != 0)
        return WriteError::Failed;
    // No write bit at all is the read-only attribute; root could write it, Windows would refuse.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return WriteError::ReadOnlyFile;
    if (::access(native.constData(), W_OK) != 0)
        return errno == EROFS ? WriteError::ReadOnlyMedium : WriteError::NoPermission;
    return WriteError::None;
#else
    return info.isWritable() ? WriteError::None : WriteError::ReadOnlyFile;
#endif
}

bool AtomicFile::replace(const QString& path, const QByteArray& content) {
    return replaceChecked(path, content) == WriteError::None;
}

WriteError AtomicFile::replaceChecked(const QString& path, const QByteArray& content) {
    if (const WriteError refused = check(path); refused != WriteError::None)
        return refused;
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, errno);
    // On any failure below the QSaveFile destructor removes the temporary file; the target was never touched.
    if (file.write(content) != content.size() || !file.flush())
        return failure(path, errno);
    if (!syncHandle(file.handle()))
        return failure(path, errno);
    if (!file.commit())
        return failure(path, errno);
    syncFolderOf(path);
    return WriteError::None;
}

void AtomicFile::removeLeftovers(const QString& path) {
    const QFileInfo target(path);
    // QSaveFile's template: the target's name, a dot and six random letters.
    const QRegularExpression own(QStringLiteral("^") + QRegularExpression::escape(target.fileName()) +
                                 QStringLiteral("\\.[A-Za-z]{6}$"));
    QDir folder = target.dir();
    const QStringList names = folder.entryList({target.fileName() + QStringLiteral(".??????")},
                                               QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& name : names) {
        if (own.match(name).hasMatch())
            folder.remove(name);
    }
}
