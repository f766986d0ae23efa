#include "CompactionWindow.h"

#include "PICHourCls.h"

#include <algorithm>

std::optional<double> CompactionSeconds(const TCoolingHistory& history, double layingTemp, double compactionTemp)
{
    return CompactionSeconds(history, layingTemp, compactionTemp, 0, history.LevelCount());
}

std::optional<double> CompactionSeconds(
    const TCoolingHistory& history, double layingTemp, double compactionTemp, int fromLevel, int untilLevel)
{
    if (layingTemp <= compactionTemp)
        return 0.0;
    const std::vector<double>& means = history.LayerMeanTemps();
    const int until = std::min(untilLevel, static_cast<int>(means.size()));
    for (int level = std::max(fromLevel, 0); level < until; ++level)
        if (means[static_cast<std::size_t>(level)] <= compactionTemp)
            return static_cast<double>((level - fromLevel) * TPICHourCls::TimeStep);
    return std::nullopt;
}
