#include "platform/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
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

} // namespace

bool AtomicFile::mayReplace(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return info.dir().exists();
    if (!info.isFile())
        return false;
#ifdef Q_OS_UNIX
    struct stat st;
    const QByteArray native = QFile::encodeName(info.absoluteFilePath());
    if (::stat(native.constData(), &st) != 0)
        return false;
    // No write bit at all is the read-only attribute; root could write it, Windows would refuse.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    return ::access(native.constData(), W_OK) == 0;
#else
    return info.isWritable();
#endif
}

bool AtomicFile::replace(const QString& path, const QByteArray& content) {
    if (!mayReplace(path))
        return false;
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // On any failure below the QSaveFile destructor removes the temporary file; the target was never touched.
    if (file.write(content) != content.size() || !file.flush())
        return false;
    if (!syncHandle(file.handle()))
        return false;
    if (!file.commit())
        return false;
    syncFolderOf(path);
    return true;
}
