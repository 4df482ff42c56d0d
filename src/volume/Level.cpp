#include "volume/Level.h"

#include <cfenv>
#include <cmath>

namespace Level {

std::int16_t SignedInteger(std::int32_t UnsignedInteger) {
    const std::int32_t low = UnsignedInteger & 0xFFFF;
    return static_cast<std::int16_t>(low >= 32768 ? low - 65536 : low);
}

std::int32_t deviceLevel(int volumeUnits) {
    // nearbyint rounds halves to even under the default rounding mode, as the conversion the level
    // encoding was defined with does (6553.5 becomes 6554, 32767.5 becomes 32768).
    return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(volumeUnits) * 6.5535));
}

std::uint32_t packed(int volumeUnits) {
    const auto left = static_cast<std::uint16_t>(SignedInteger(deviceLevel(volumeUnits)));
    const auto right = static_cast<std::uint16_t>(SignedInteger(deviceLevel(volumeUnits)));
    return static_cast<std::uint32_t>(left) | (static_cast<std::uint32_t>(right) << 16);
}

} // namespace Level
