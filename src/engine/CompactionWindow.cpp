#include "CompactionWindow.h"

#include "PICHourCls.h"

#include <algorithm>

std::optional<double> CompactionSeconds(const TCoolingHistory& history, double layingTemp, double compactionTemp)
{
    if (layingTemp <= compactionTemp)
        return 0.0;
    const std::vector<double>& means = history.LayerMeanTemps();
    const auto reached
        = std::find_if(means.begin(), means.end(), [compactionTemp](double mean) { return mean <= compactionTemp; });
    if (reached == means.end())
        return std::nullopt;
    const auto level = static_cast<int>(reached - means.begin());
    return static_cast<double>(level * TPICHourCls::TimeStep);
}
