#pragma once
#include "audio/LoudnessMeter.h"
#include "platform/FileStamp.h"
#include "platform/ProfileDocument.h"
#include "platform/TitleLoudness.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

class AudioEngine;

// Measures a board's titles on a low-priority thread of its own, keeps what it found in Lautheit.ini in the
// program folder (keyed by the title's path, checked against its size, change time and start offset, so a
// title is measured once), and hands the engine each title's gain while matching is on. UI thread unless said.
class LoudnessMatcher : public QObject, public TitleLoudness {
    Q_OBJECT
  public:
    LoudnessMatcher(AudioEngine& engine, const QString& programDir);
    ~LoudnessMatcher() override;

    void setBoard(const std::vector<Title>& titles, bool on, double targetLufs) override;
    std::optional<Info> info(const QString& path, std::int64_t startMs) const override;
    // Any thread: true when nothing waits to be measured.
    bool idle() const;
    // The cache file.
    QString cacheFile() const;

  signals:
    // A title was measured (delivered on the UI thread, after its gain took effect).
    void measured();

  private:
    struct Known {
        std::int64_t size = -1;
        std::int64_t mtimeNs = -1;
        std::int64_t startMs = 0;
        LoudnessMeter::Reading reading;
    };
    void run();
    void applyGains();
    bool current(const QString& path, std::int64_t startMs, const FileStamp& stamp, Known* found) const;
    QString key(const QString& path) const;

    AudioEngine& m_engine;
    const QString m_dir;
    std::vector<Title> m_titles; // UI thread
    bool m_on = false;           // UI thread
    double m_target = -16;       // UI thread
    std::map<QString, FileStamp> m_stamps; // UI thread: the board's titles as setBoard found them

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::map<QString, Known> m_known; // key: path in the program folder
    std::deque<Title> m_queue;
    bool m_working = false;
    bool m_quit = false;
    std::atomic<bool> m_abort{false};
    ProfileDocument m_cache; // the measuring thread's once it runs
    std::thread m_thread;
};
