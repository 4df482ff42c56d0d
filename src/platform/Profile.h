#pragma once
#include "platform/WriteError.h"

#include <QString>
#include <QStringList>

// The two profile calls the desk makes, with the Windows semantics of ProfileDocument. Every read sees the
// file as it is on disk (a parse is kept only while the file is provably unchanged), and a write is on disk
// when the call returns.
class Profile {
  public:
    // The value, trimmed, matching quotes removed; "" when the file, the section or the key is missing.
    static QString readString(const QString& file, const QString& section, const QString& key);
    // readString for each of sections, against one look at the file.
    static QStringList readStrings(const QString& file, const QStringList& sections, const QString& key);
    // True when the file now holds the value (already holding it counts); false when it could not be written,
    // in which case the old file is left whole. A missing file is created.
    static bool writeString(const QString& file, const QString& section, const QString& key,
                            const QString& value);
    // The same, telling why it failed.
    static WriteError writeStringChecked(const QString& file, const QString& section, const QString& key,
                                         const QString& value);
};
