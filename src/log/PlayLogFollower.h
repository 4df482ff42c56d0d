#pragma once
#include "log/PlayLog.h"

#include <QObject>
#include <QTimer>

class MediaStatus;

// Follows the hall's title for the play log: a line when it starts, its heard time every few seconds while it
// sounds (what a crash would otherwise take), and once more when it stops, is replaced or runs out. Heard is
// how far the title got from where it started, so a pause does not count. UI thread.
class PlayLogFollower : public QObject {
    Q_OBJECT
  public:
    static constexpr int kPollMs = 1000;
    static constexpr double kCheckpointS = 5.0;

    PlayLogFollower(PlayLog& log, MediaStatus& status, const QString& alias, QObject* parent = nullptr);

    // The title under the alias has just started from entry's line.
    void started(PlayLog::Entry entry, const QString& absolutePath);
    // The title under the alias is about to be stopped: what it sounded is taken now, while it still tells.
    void stopping();

    PlayLog& log() { return m_log; }

  private:
    void poll();
    void finish();

    PlayLog& m_log;
    MediaStatus& m_status;
    QString m_alias;
    QTimer m_poll;
    bool m_following = false;
    std::uint64_t m_serial = 0;
    std::int64_t m_startMs = 0;
    double m_heardS = 0;
    double m_toldS = 0;
};
