#include "RoadWarmUp.h"

#include "Finite.h"

#include "CoolingHistory.h"
#include "DateUtilsBD2006.h"
#include "LegalClock.h"
#include "PICHourCls.h"
#include "SurfaceBalance.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <stdexcept>

namespace {

using LegalClock::SecondsPerDay;
using LegalClock::SecondsPerHour;
constexpr int WarmUpDays = 2;

}  // namespace

std::optional<TWarmUpStart> WarmUpStartOf(
    double layingDate, double layingTime, bool layingSummerTime, bool startSummerTime)
{
    const auto date = DateUtilsBD2006::DecodeDate(layingDate);
    const auto time = DateUtilsBD2006::DecodeTime(layingTime);
    if (!date || !time)
        return std::nullopt;
    const auto day = DateUtilsBD2006::EncodeDate(date->Year, date->Month, date->Day);
    if (!day)
        return std::nullopt;
    TWarmUpStart start;
    start.Date = *day - WarmUpDays;
    const auto startDate = DateUtilsBD2006::DecodeDate(start.Date);
    const auto startDay = DateUtilsBD2006::DayOfTheYear(start.Date);
    if (!startDate || !startDay)
        return std::nullopt;
    start.DayOfYear = *startDay;
    start.Month = startDate->Month;
    start.ClockOffset = LegalClock::OffsetHours(startSummerTime);

    const auto layingDay = static_cast<std::int64_t>(*day);
    const std::int64_t layingUtc = layingDay * SecondsPerDay + time->Hour * SecondsPerHour
        + time->Minute * std::int64_t{60} - LegalClock::OffsetHours(layingSummerTime) * SecondsPerHour;
    const std::int64_t startUtc
        = (layingDay - WarmUpDays) * SecondsPerDay - LegalClock::OffsetHours(startSummerTime) * SecondsPerHour;
    const std::int64_t levels = (layingUtc - startUtc) / TLayerColumn::TimeStep;
    if (levels <= 0)
        return std::nullopt;
    start.Levels = static_cast<int>(levels);
    return start;
}

std::vector<TRoadProfile> RunWarmUp(TLayerColumn& column, TSurfaceBalance& surface, double bottomTemp,
    bool surfaceExchange, std::span<const int> levels)
{
    std::vector<TRoadProfile> profiles;
    profiles.reserve(levels.size());
    // The surface's record of its refreshes, not kept.
    TCoolingHistory scratch;
    double previousSurface = bottomTemp;
    std::size_t next = 0;
    for (int i = 0; next < levels.size(); ++i) {
        while (next < levels.size() && levels[next] == i) {
            const double* current = column.Current();
            if (!AllFinite(current + 1, TLayerColumn::LastComputedNode))
                throw std::runtime_error(TPICHourCls::FailureUnstable);
            TRoadProfile& profile = profiles.emplace_back();
            std::copy(current, current + TLayerColumn::NodeCount, profile.begin());
            ++next;
        }
        if (next == levels.size())
            break;
        const double heatInput = surface.HeatInput(i, previousSurface, scratch);
        if (surfaceExchange)
            column.SetBoundaries(bottomTemp, heatInput, surface.Convection());
        else
            column.SetInsulatedBoundaries(bottomTemp);
        column.StepInterior();
        column.StepInterfaces();
        previousSurface = column.Current()[1];
        column.Advance();
    }
    return profiles;
}
