#pragma once
#include <QString>
#include <cstdint>
#include <vector>

// Looks at the titles of a board before anyone presses them, in the background: prepares each title's first
// samples from the start it will be played from, and finds the titles that cannot play. Each console hands in
// its board and polls the findings; nothing here waits for the work. UI thread.
class TitleCheck {
  public:
    enum class Fault {
        None,
        Missing,         // the file is gone
        Unreadable,      // no audio format the desk can open
        Undecodable,     // opens, but gives no sound
        OffsetNotNumber, // the stored start offset is empty or no whole number
        OffsetBeyondEnd, // the start offset lies at or past the end of the title
    };
    struct Title {
        int button = -1;
        QString path;
        QString offsetText; // exactly what the play-from command of this console carries
    };
    struct Finding {
        int button = -1;
        QString path;
        QString offsetText;
        Fault fault = Fault::None;
        std::int64_t offsetMs = 0;
        std::int64_t durationMs = -1;
    };

    virtual ~TitleCheck() = default;
    // Replaces the board of client (one per console window) and starts over; returns at once.
    virtual void checkBoard(const void* client, const std::vector<Title>& titles) = 0;
    // Findings for client's latest board that came in since the last call.
    virtual std::vector<Finding> takeFindings(const void* client) = 0;
    // True while client's latest board is still being worked on.
    virtual bool busy(const void* client) const = 0;
    // The client's window goes: its board is no longer wanted.
    virtual void forget(const void* client) = 0;
};
