#include "volume/Ramps.h"

#include "settings/TeamSettings.h"

namespace Ramps {

std::vector<int> fadeOut(std::int16_t fadeStep) {
    std::vector<int> levels;
    if (fadeStep <= 0)
        return levels;
    levels.reserve(10000 / fadeStep + 1);
    for (int i = 10000; i >= 0; i -= fadeStep)
        levels.push_back(i);
    return levels;
}

std::vector<int> duck(std::int16_t restLevel) {
    std::vector<int> levels;
    for (int i = 10000; i >= restLevel; i -= 10)
        levels.push_back(i);
    return levels;
}

std::vector<int> restore(std::int16_t restLevel) {
    std::vector<int> levels;
    for (int i = restLevel; i <= 10000; i += 15)
        levels.push_back(i);
    return levels;
}

std::int64_t fadeDurationUs(std::int16_t fadeStep, std::size_t passes) {
    const int seconds = TeamSettings::fadeSecondsOf(fadeStep);
    if (seconds == 0)
        return 1200 *
               static_cast<std::int64_t>(passes); // a step nobody can choose: the classic pace of a pass
    return static_cast<std::int64_t>(seconds) * 1000000;
}

} // namespace Ramps
