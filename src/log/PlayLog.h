#pragma once
#include "platform/WriteError.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// The day's list of what sounded in the hall: Protokoll/JJJJ-MM-TT.csv in the program folder, one line per
// title, for the match report, the sponsors and the collecting society. A line is on disk a moment after its
// title started, and its heard time is brought up to date while it plays and when it ends, so that a crash or
// a power cut loses at most the last seconds of one title, never a line. Files are written whole and
// atomically on a thread of the log's own; a press never waits for the disk or for a file's tags.
class PlayLog : public QObject {
    Q_OBJECT
  public:
    struct Entry {
        QDateTime started;
        QString team;
        QString category;
        QString caption;
        QString file; // relative to the program folder
        double startS = 0;
        double heardS = -1; // -1: not known yet
        QString artist;
        QString title;
        QString composer;
    };

    explicit PlayLog(const QString& programDir);
    ~PlayLog() override;

    // UI thread: a title started in the hall (absolutePath is where its tags are read, on the log's thread).
    void started(const Entry& entry, const QString& absolutePath);
    // UI thread: how long the title that started last has sounded so far.
    void heard(double seconds);
    // Any thread: returns once everything told so far is on disk (or failed).
    void flush();

    // The folder and the day's file.
    static QString folder(const QString& programDir);
    static QString fileFor(const QString& programDir, const QDate& day);
    // The file's text (UTF-8 with BOM, ';' separated, CRLF) and back; lines that cannot be read are left out.
    static QByteArray toCsv(const std::vector<Entry>& entries);
    static std::vector<Entry> fromCsv(const QByteArray& csv);
    static std::vector<Entry> readDay(const QString& programDir, const QDate& day);
    // "Artist", "Title", "Composer" of a file, each empty when it has none.
    static void readTags(const QString& path, Entry& entry);

  signals:
    // From the log's thread, delivered to the UI thread: the write of file succeeded (None) or failed.
    void written(const QString& file, WriteError error);

  private:
    struct Job {
        bool start = false;
        Entry entry;
        QString path;
        double heardS = 0;
    };
    void run();
    void apply(Job& job);

    const QString m_dir;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::deque<Job> m_jobs;
    bool m_busy = false;
    bool m_quit = false;
    // The log's thread only: the day that is loaded and its lines.
    QDate m_day;
    std::vector<Entry> m_entries;
    bool m_lastOpen = false; // the last line is the title that may still be sounding
    std::thread m_thread;
};
