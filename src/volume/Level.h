#pragma once
#include <cstdint>

// The level arithmetic of the master volume: volume units (0..10000) to the 16-bit device level and the
// packed left/right word that the wave output takes.
namespace Level {

constexpr int Full = 10000;

// Low 16 bits of the argument as a signed 16-bit number: 65535 gives -1, 32768 gives -32768.
std::int16_t SignedInteger(std::int32_t UnsignedInteger);

// v x 6.5535, rounded to nearest with halves to even: 0 -> 0, 1 -> 7, 1000 -> 6554, 10000 -> 65535.
std::int32_t deviceLevel(int volumeUnits);

// Both channels from the same value, left in the low word, right in the high word.
std::uint32_t packed(int volumeUnits);

} // namespace Level
