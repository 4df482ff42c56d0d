#pragma once
#include <QString>
#include <QStringList>

// What the file list controls show: the ordinary files of one folder, names only, sorted without regard
// to case. No hidden files (dot-files, and the ones Windows hides in music folders such as Thumbs.db and
// desktop.ini), no folders, no broken links.
namespace FolderListing {

bool folderExists(const QString& path);
QStringList files(const QString& folder);

} // namespace FolderListing
