#include "volume/Ramps.h"

#include "settings/TeamSettings.h"

#include <algorithm>

namespace Ramps {

std::vector<int> fadeOut(std::int16_t fadeStep, int from) {
    std::vector<int> levels;
    if (fadeStep <= 0)
        return levels;
    levels.reserve(static_cast<std::size_t>(std::max(from, 0) / fadeStep + 1));
    for (int i = from; i >= 0; i -= fadeStep)
        levels.push_back(i);
    return levels;
}

std::vector<int> duck(std::int16_t restLevel, int from) {
    std::vector<int> levels;
    for (int i = from; i >= restLevel; i -= 10)
        levels.push_back(i);
    return levels;
}

std::vector<int> restore(int from) {
    std::vector<int> levels;
    for (int i = from; i <= 10000; i += 15)
        levels.push_back(i);
    return levels;
}

std::int64_t fadeDurationUs(std::int16_t fadeStep, std::size_t passes) {
    const int seconds = TeamSettings::fadeSecondsOf(fadeStep);
    if (seconds == 0)
        return 1200 *
               static_cast<std::int64_t>(passes); // a step nobody can choose: the classic pace of a pass
    const auto fullPasses = static_cast<std::int64_t>(10000 / fadeStep + 1);
    return static_cast<std::int64_t>(seconds) * 1000000 * static_cast<std::int64_t>(passes) / fullPasses;
}

} // namespace Ramps
