#pragma once
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
    // Gives every listed title whose entry reads "" the entry "0"; a non-empty entry is never touched. The
    // file is read once and, only when something was added, written once; it ends up exactly as one Ini_Write
    // per missing title would leave it. Returns how many titles were seeded (0 also when the write failed,
    // which is silent).
    int seedMissing(const QStringList& titlePaths) const;

  private:
    QString m_file;
};
