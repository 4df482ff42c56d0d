#pragma once
#include <QString>
#include <cstdint>
#include <optional>

// EBU R128 integrated loudness and true peak of what a button plays: the title from its start offset, at most
// the first kMaxSeconds, decoded exactly as the desk plays it (float stereo at the output rate). Any thread; it
// takes a moment per title, so it is for background work.
namespace LoudnessMeter {

constexpr int kMaxSeconds = 120;

struct Reading {
    double lufs = 0;       // integrated loudness; below -70 (silence) it reads as -70
    double truePeakDb = 0; // dBTP, the louder channel
};

// Nothing when the file cannot be decoded.
std::optional<Reading> measure(const QString& path, std::int64_t startMs, const std::atomic<bool>* abort = nullptr);

// The gain that brings reading to targetLufs: at most kMaxBoostDb up, and never so much that the true peak
// goes over kPeakCeilingDb. A title of silence gets none.
constexpr double kMaxBoostDb = 12.0;
constexpr double kPeakCeilingDb = -1.0;
double gainDb(const Reading& reading, double targetLufs);

} // namespace LoudnessMeter
