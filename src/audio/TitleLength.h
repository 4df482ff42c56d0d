#pragma once
#include <cstdint>

// The one rule for a start offset against a title's length, used before a press (the board's marks) and at
// the press (the engine refuses the start): a start at or past the end has nothing to play. The start of the
// title is never past its end, whatever length a broken header claims.
namespace TitleLength {

// durationMs < 0: the length is not known (yet); nothing is refused for it.
constexpr bool startsPastEnd(std::int64_t offsetMs, std::int64_t durationMs) {
    return offsetMs > 0 && durationMs >= 0 && offsetMs >= durationMs;
}

} // namespace TitleLength
