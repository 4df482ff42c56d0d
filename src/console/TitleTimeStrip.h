#pragma once
#include <QFrame>
#include <QString>
#include <cstdint>
#include <memory>

class MediaStatus;
class QLabel;
class TickSource;
class TickSourceFactory;

// The running title's time, readable from two metres: a box inside the transport frame, right of the status
// line, with the remaining time as large as the transport captions and how long it has played above it, read
// from the engine twenty times a second. The last ten seconds turn it red; a title that ran out shows "ENDE"
// white on black. The described controls and their states are left as they are. UI thread.
class TitleTimeStrip : public QFrame {
    Q_OBJECT
  public:
    static constexpr int IntervalMs = 50;
    static constexpr std::int64_t WarnMs = 10000;
    enum class Look { Running, Warning, Ended };

    // status may be null (no engine behind the media commands): then the strip never shows.
    TitleTimeStrip(QWidget* window, MediaStatus* status, TickSourceFactory& ticks);
    ~TitleTimeStrip() override;

    // A title was started under alias: show its time until it is stopped or another title takes the alias.
    void follow(const QString& alias);
    // The title was stopped: the strip goes.
    void stop();
    // One look at the title (each tick).
    void refresh();

    // The small line and the large one, as shown.
    QString playedText() const;
    QString remainingText() const;
    Look look() const { return m_look; }

    // m:ss (minutes not limited to 59).
    static QString clockText(std::int64_t ms);

  private:
    void setLook(Look look);

    MediaStatus* m_status;
    std::unique_ptr<TickSource> m_tick;
    QLabel* m_played = nullptr;
    QLabel* m_remaining = nullptr;
    QString m_alias;
    std::uint64_t m_serial = 0;
    Look m_look = Look::Running;
};
