#include "WeatherSpan.h"

#include <algorithm>
#include <utility>

std::optional<TWeatherSpan> WeatherSpanOf(
    const TWeatherTimeline& weather, bool airFromFile, bool windFromFile, bool cloudFromFile)
{
    const std::pair<const std::optional<TWeatherSeries>*, bool> all[]
        = {{&weather.AirTemp, airFromFile}, {&weather.WindSpeed, windFromFile}, {&weather.CloudCover, cloudFromFile}};
    std::optional<TWeatherSpan> span;
    for (const auto& [series, fromFile] : all) {
        if (!*series || !fromFile)
            continue;
        const double first = (*series)->Points().front().ElapsedSeconds;
        const double last = (*series)->Points().back().ElapsedSeconds;
        if (!span)
            span = TWeatherSpan{first, last, first, last};
        span->First = std::min(span->First, first);
        span->Last = std::max(span->Last, last);
        span->LatestStart = std::max(span->LatestStart, first);
        span->EarliestEnd = std::min(span->EarliestEnd, last);
    }
    return span;
}
