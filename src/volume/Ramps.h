#pragma once
#include <cstdint>
#include <vector>

// The level sequences of the fade-out and of the announcement ducking, pass by pass, as the 16-bit
// counted loops produce them. Pacing is separate (RampPacer) so the sequences stay exact.
namespace Ramps {

// Fade: from (10000 unless a ramp was cut short) down to 0 in steps of fadeStep; no pass at all when
// fadeStep <= 0.
std::vector<int> fadeOut(std::int16_t fadeStep, int from = 10000);

// Duck: from (10000 unless a ramp was cut short) down to restLevel in steps of 10, both ends included.
std::vector<int> duck(std::int16_t restLevel, int from = 10000);

// Restore: from the level the duck reached up in steps of 15 while <= 10000.
std::vector<int> restore(int from);

// How long a fade lasts: its nominal seconds (fadeStep 12, 8, 4 -> 1, 2, 3 s) for a fade from full level, the
// same share of them for one that starts lower.
std::int64_t fadeDurationUs(std::int16_t fadeStep, std::size_t passes);

// Every ducking pass takes 1.2 ms.
constexpr std::int64_t DuckPassUs = 1200;
inline std::int64_t duckDurationUs(std::size_t passes) {
    return DuckPassUs * static_cast<std::int64_t>(passes);
}

} // namespace Ramps
