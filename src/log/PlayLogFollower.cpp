#include "log/PlayLogFollower.h"

#include "platform/MediaStatus.h"

#include <algorithm>

PlayLogFollower::PlayLogFollower(PlayLog& log, MediaStatus& status, const QString& alias, QObject* parent)
    : QObject(parent), m_log(log), m_status(status), m_alias(alias) {
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &PlayLogFollower::poll);
}

void PlayLogFollower::started(PlayLog::Entry entry, const QString& absolutePath) {
    if (m_following)
        finish();
    const MediaStatus::Status s = m_status.status(m_alias);
    if (!s.open)
        return;
    m_following = true;
    m_serial = s.serial;
    m_startMs = s.positionMs;
    m_heardS = 0;
    m_toldS = 0;
    entry.startS = static_cast<double>(s.positionMs) / 1000.0;
    entry.heardS = 0;
    m_log.started(entry, absolutePath);
    m_poll.start();
}

void PlayLogFollower::stopping() {
    if (!m_following)
        return;
    poll();
    if (m_following)
        finish();
}

void PlayLogFollower::poll() {
    const MediaStatus::Status s = m_status.status(m_alias);
    if (!s.open || s.serial != m_serial) { // replaced or closed without a word: what was last seen stands
        finish();
        return;
    }
    m_heardS = std::max(0.0, static_cast<double>(s.positionMs - m_startMs) / 1000.0);
    if (s.ended) {
        finish();
    } else if (m_heardS - m_toldS >= kCheckpointS) {
        m_toldS = m_heardS;
        m_log.heard(m_heardS);
    }
}

void PlayLogFollower::finish() {
    m_following = false;
    m_poll.stop();
    m_log.heard(m_heardS);
}
