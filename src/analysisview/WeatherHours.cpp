#include "WeatherHours.h"

#include "PICHourCls.h"
#include "RoadWarmUp.h"
#include "TheTimeUtilsCls.h"
#include "WallClock.h"
#include "WeatherSource.h"
#include "WeatherSpan.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double SecondsPerHour = 3600.0;
constexpr double SecondsPerDay = 86400.0;

}  // namespace

TWeatherHours WeatherHours::Of(const TWeatherChoice& choice, const TScenario& scenario, double runEndSeconds)
{
    TWeatherHours result;
    const double laying = TheTimeUtilsCls::JoinDateAndTime(scenario.LayingDate, scenario.LayingTime);
    const double clockOffset = WallClock::OffsetHours(SummerTimeOf(scenario));
    const auto wallAt = [&](double elapsedSeconds) {
        return WallClock::ToWallClock(laying + elapsedSeconds / SecondsPerDay, clockOffset, scenario.Clock).Moment;
    };
    result.LayingWall = wallAt(0.0);
    if (choice.Kind == TWeatherKind::Classes || !std::isfinite(runEndSeconds) || runEndSeconds < 0.0) {
        return result;
    }

    TWeatherTimeline timeline;
    // Seconds after which the first series to end holds its last value.
    double heldAfter = std::numeric_limits<double>::infinity();
    if ((choice.Kind == TWeatherKind::Forecast || choice.Kind == TWeatherKind::Ensemble) && choice.Source) {
        try {
            timeline = WeatherSource::TimelineFor(*choice.Source, scenario);
        } catch (const TWeatherError& error) {
            result.Refusal = error.what();
            return result;
        }
        if (const auto span = WeatherSpanOf(timeline)) {
            result.From = wallAt(span->First);
            result.Until = wallAt(span->Last);
            result.CoversLaying = span->CoversLaying();
            heldAfter = span->EarliestEnd;
            const auto warmUp = WarmUpStartOf(
                scenario.LayingDate, scenario.LayingTime, SummerTimeOf(scenario), WarmUpSummerTimeOf(scenario));
            // Before its first values the warm-up holds them.
            if (scenario.RoadWarmth && warmUp
                && span->LatestStart > -static_cast<double>(warmUp->Levels) * TPICHourCls::TimeStep) {
                result.WarmUpFrom = warmUp->Date;
            }
        }
        if (heldAfter < runEndSeconds) {
            result.HeldFrom = wallAt(heldAfter);
        }
    }

    const auto valueAt = [](const std::optional<TWeatherSeries>& series, const std::optional<double>& constant,
                             double elapsed) -> std::optional<double> {
        if (constant) {
            return constant;
        }
        return series ? std::optional<double>(series->ValueAt(elapsed)) : std::nullopt;
    };
    const int hours = static_cast<int>(std::min(std::ceil(runEndSeconds / SecondsPerHour), double(MaxHours)));
    for (int hour = 0; hour <= hours; ++hour) {
        const double elapsed = std::min(hour * SecondsPerHour, runEndSeconds);
        TWeatherHour row;
        const WallClock::TWallMoment wall
            = WallClock::ToWallClock(laying + elapsed / SecondsPerDay, clockOffset, scenario.Clock);
        row.WallMoment = wall.Moment;
        row.SummerTime = wall.SummerTime;
        row.AirTemp
            = valueAt(timeline.AirTemp, choice.Kind == TWeatherKind::Values ? choice.AirTemp : std::nullopt, elapsed);
        row.WindSpeed = valueAt(
            timeline.WindSpeed, choice.Kind == TWeatherKind::Values ? choice.WindSpeed : std::nullopt, elapsed);
        row.CloudCover = valueAt(
            timeline.CloudCover, choice.Kind == TWeatherKind::Values ? choice.CloudCover : std::nullopt, elapsed);
        row.Held = elapsed > heldAfter;
        result.Hours.push_back(row);
        if (elapsed >= runEndSeconds) {
            break;
        }
    }
    return result;
}
