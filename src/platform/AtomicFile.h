#pragma once
#include "platform/WriteError.h"

#include <QByteArray>
#include <QString>

// Replaces a file's whole content so that a crash, a power cut or a failed write leaves either the old file
// or the new one, never a torn one: temporary file in the same folder, written, synced to disk, renamed over
// the target.
class AtomicFile {
  public:
    // True when the new content is on disk under path. False (old file untouched, no temporary left behind)
    // when the folder is missing or not writable, the disk is full, the target is a folder, or the target
    // exists and is read-only: a read-only file is honoured as Windows honours its read-only attribute, even
    // for the superuser.
    static bool replace(const QString& path, const QByteArray& content);
    // The same, telling why it failed.
    static WriteError replaceChecked(const QString& path, const QByteArray& content);

    // The checks replace() makes before it writes anything.
    static WriteError check(const QString& path);

    // Removes the temporary files that writes of path left behind when they were killed before the rename
    // (path + "." + six letters, where the system offers no unnamed temporary files). Nothing else is
    // touched.
    static void removeLeftovers(const QString& path);
};
