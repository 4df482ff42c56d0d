#pragma once
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// Loudness matching of a board: each title measured once in the background and kept, and while matching is on
// every title played with the gain that brings it to the target. UI thread.
class TitleLoudness {
  public:
    struct Title {
        QString path;
        std::int64_t startMs = 0;
    };
    struct Info {
        double lufs = 0;
        double truePeakDb = 0;
        double gainDb = 0; // what it is played with now (0 while matching is off)
    };

    virtual ~TitleLoudness() = default;
    // The board's titles; on: matching in effect at targetLufs (off: every title as it is, nothing measured).
    virtual void setBoard(const std::vector<Title>& titles, bool on, double targetLufs) = 0;
    // What is known of a title from this start; nothing before it was measured.
    virtual std::optional<Info> info(const QString& path, std::int64_t startMs) const = 0;
};
