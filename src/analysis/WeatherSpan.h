#pragma once

#include "WeatherTimeline.h"

#include <optional>

// Where the file series a run uses lie, in elapsed seconds from the laying:
// the one account of first, last and held values for the runs and for the
// weather the window shows.
struct TWeatherSpan {
    double First = 0.0;  // the earliest point of any series
    double Last = 0.0;  // the latest
    double LatestStart = 0.0;  // the first point of the series that starts last
    double EarliestEnd = 0.0;  // the last point of the series that ends first; held after it
    // Every series has a point at or before the laying and one at or after.
    bool CoversLaying() const { return LatestStart <= 0.0 && EarliestEnd >= 0.0; }
};

// Series a constant replaces (air, wind, cloud) are left out; nothing when
// no series is used.
std::optional<TWeatherSpan> WeatherSpanOf(
    const TWeatherTimeline& weather, bool airFromFile = true, bool windFromFile = true, bool cloudFromFile = true);
