#pragma once
#include <QString>
#include <QStringList>

struct Category;

// Titles brought into a category folder from elsewhere (files dropped on the board): each copied under the
// next two ordering characters (a name that begins with two digits, a shirt number in "Tormusik", keeps
// them), never over a file that is there and never past what the category's buttons can show. A copy appears
// in the folder only once it is whole. UI thread.
namespace MusicImport {

struct Outcome {
    QStringList copied;  // the names in the folder
    QStringList refused; // "name: why", in German
};

// The endings of the formats the desk plays.
bool playable(const QString& file);
Outcome copy(const QStringList& files, const QString& folder, const Category& category);

} // namespace MusicImport
