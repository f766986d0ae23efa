#pragma once

#include "SolarModel.h"

#include <optional>
#include <vector>

// Day and night at the site by the engine's own solar model, on a clock that
// runs clockOffset hours ahead of UTC (1 in winter, 2 in summer time). The
// sun is up strictly between sunrise and sunset, as in a run.
namespace Daylight {

// The engine's site.
SolarModel::TSite DefaultSite();

// Sunrise and sunset of the calendar day of date, as date-time values.
struct TSunTimes {
    double Sunrise;
    double Sunset;
};
// Empty before 1900 and outside the calendar.
std::optional<TSunTimes> SunTimesOn(double date, double clockOffset, const SolarModel::TSite& site);

// True when the sun is below the horizon at moment; false for a moment
// outside the calendar.
bool IsNightAt(double moment, double clockOffset, const SolarModel::TSite& site);

// The first moment at or after moment when the sun is up: moment itself by
// day, the next sunrise by night.
std::optional<double> FirstDaylightFrom(double moment, double clockOffset, const SolarModel::TSite& site);

// The nights (sunset to the next sunrise) that overlap [from, to], clipped
// to it, in order.
struct TNight {
    double Start;
    double End;
};
std::vector<TNight> NightsBetween(double from, double to, double clockOffset, const SolarModel::TSite& site);

}  // namespace Daylight
