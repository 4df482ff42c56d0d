#pragma once
#include <QLabel>
#include <QString>
#include <cstdint>
#include <memory>

class MediaStatus;
class TickSource;
class TickSourceFactory;

// The running title's time in the free strip below the transport buttons, inside the frame: how far it has
// played and how long it still runs, read from the engine's position twenty times a second, and "Titel zu
// Ende" once it ran out. The described controls and their states are left as they are. UI thread.
class TitleTimeStrip : public QLabel {
    Q_OBJECT
  public:
    static constexpr int IntervalMs = 50;

    // status may be null (no engine behind the media commands): then the strip never shows.
    TitleTimeStrip(QWidget* window, MediaStatus* status, TickSourceFactory& ticks);
    ~TitleTimeStrip() override;

    // A title was started under alias: show its time until it is stopped or another title takes the alias.
    void follow(const QString& alias);
    // The title was stopped: the strip goes.
    void stop();
    // One look at the title (each tick).
    void refresh();

    // m:ss (minutes not limited to 59).
    static QString clockText(std::int64_t ms);

  private:
    MediaStatus* m_status;
    std::unique_ptr<TickSource> m_tick;
    QString m_alias;
    std::uint64_t m_serial = 0;
};
