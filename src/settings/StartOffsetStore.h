#pragma once
#include "platform/WriteError.h"

#include <QString>
#include <QStringList>

// The start-offset file of one team (program directory + team + ".ini"): one section per title path, key
// "Zeit_01", whole milliseconds as decimal text. Every read sees the file as it is on disk.
// UI thread.
class StartOffsetStore {
  public:
    StartOffsetStore(const QString& programDir, const QString& team);

    QString filePath() const { return m_file; }

    // The stored text exactly as Ini_Read gives it; "" when the title has no entry.
    QString read(const QString& titlePath) const;
    // read() for each title, against one look at the file.
    QStringList readAll(const QStringList& titlePaths) const;
    // Stores text for the title; true when written.
    bool write(const QString& titlePath, const QString& text) const;
    // The same, telling why it failed.
    WriteError writeChecked(const QString& titlePath, const QString& text) const;

    struct Seeding {
        int seeded = 0;        // titles that got their "0"
        QStringList unwritten; // titles that still have no entry because the write failed
        WriteError error = WriteError::None;
    };
    // Gives every listed title whose entry reads "" the entry "0"; a non-empty entry is never touched. The
    // file is read once and, only when something was added, written once; it ends up exactly as one Ini_Write
    // per missing title would leave it.
    Seeding seed(const QStringList& titlePaths) const;
    // How many titles seed() seeded (0 also when the write failed).
    int seedMissing(const QStringList& titlePaths) const { return seed(titlePaths).seeded; }

  private:
    QString m_file;
};
