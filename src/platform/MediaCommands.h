#pragma once
#include <QString>

// The media command string seam: one command in, 0 for success or an error number out.
// The desk speaks only these strings; the implementation behind them is the audio engine.
class MediaCommands {
  public:
    virtual ~MediaCommands() = default;
    // UI thread. Returns 0 when the command was accepted, a non-zero error number otherwise.
    virtual int send(const QString& command) = 0;
};
