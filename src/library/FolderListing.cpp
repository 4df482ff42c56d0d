#include "library/FolderListing.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace FolderListing {

namespace {
// Files Windows keeps hidden (system or hidden attribute) in music folders; copied to another system they
// come along as ordinary files, and a listing there must pass them over as Windows does.
bool windowsKeepsHidden(const QString& name) {
    static const char* const names[] = {"thumbs.db", "ehthumbs.db", "desktop.ini", "folder.jpg",
                                        "albumartsmall.jpg"};
    const QString lower = name.toLower();
    for (const char* hidden : names)
        if (lower == QLatin1String(hidden))
            return true;
    return lower.startsWith(QLatin1String("albumart_")) && lower.endsWith(QLatin1String(".jpg"));
}
} // namespace

bool folderExists(const QString& path) {
    return QFileInfo(path).isDir();
}

QStringList files(const QString& folder) {
    QDir dir(folder);
    QStringList names = dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    names.removeIf(windowsKeepsHidden);
    // Compare case-folded text first and the raw text second, so the order is total and does not depend
    // on the order the file system returned the names in.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

} // namespace FolderListing
