#pragma once
#include <QString>
#include <cstdint>

// What the title open under a media alias is doing, read only: where it is, how long it is, whether it ran
// out. The media command strings cannot ask this; the engine behind them answers it. UI thread.
class MediaStatus {
  public:
    struct Status {
        bool open = false;
        std::uint64_t serial = 0; // new with every open under the alias: tells one title from the next
        bool ended = false;       // the title ran out by itself
        bool playing = false;
        std::int64_t positionMs = 0;
        std::int64_t durationMs = -1; // -1 when the title does not tell
    };

    virtual ~MediaStatus() = default;
    virtual Status status(const QString& alias) const = 0;
};
