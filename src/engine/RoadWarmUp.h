#pragma once

#include "LayerColumn.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

class TSurfaceBalance;
class TCoolingHistory;

// Node temperatures 0..NodeCount-1 of a column at one level.
using TRoadProfile = std::array<double, TLayerColumn::NodeCount>;

// Where the existing road's warm-up of a laying starts: 00:00 on the day two
// days before the laying date, on the clock in force then, and how many
// levels it runs until the laying (the difference of the two in UTC).
struct TWarmUpStart {
    double Date = 0.0;  // date-time value of the start's day
    int DayOfYear = 0;
    int Month = 0;
    double ClockOffset = 0.0;  // h ahead of UTC at the start
    int Levels = 0;  // TimeStep steps from the start to the laying
};

// Empty when a date cannot be decomposed or the start would not be before
// the laying.
std::optional<TWarmUpStart> WarmUpStartOf(
    double layingDate, double layingTime, bool layingSummerTime, bool startSummerTime);

// Steps the column from its current level, level 0, and copies its current
// level at each of levels (ascending, 0 or more), stopping at the last. The
// surface emits at bottomTemp at level 0, as a road that starts uniform at
// it. No reopening test and no history but the surface's scratch record.
// Throws std::runtime_error with TPICHourCls::FailureUnstable when the
// scheme leaves the finite numbers.
std::vector<TRoadProfile> RunWarmUp(TLayerColumn& column, TSurfaceBalance& surface, double bottomTemp,
    bool surfaceExchange, std::span<const int> levels);
