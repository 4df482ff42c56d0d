#include "library/FolderListing.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace FolderListing {

bool folderExists(const QString& path) {
    return QFileInfo(path).isDir();
}

QStringList files(const QString& folder) {
    QDir dir(folder);
    QStringList names = dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    // Compare case-folded text first and the raw text second, so the order is total and does not depend
    // on the order the file system returned the names in.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

} // namespace FolderListing
