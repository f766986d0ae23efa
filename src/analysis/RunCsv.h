#pragma once

#include "RunOutcome.h"

#include <optional>
#include <string>

// A run's cooling curve and depth profiles as CSV, the same bytes for the
// command line and the desktop program's exports. Moments are written on the
// site's wall clock.

// "2026-07-10T14:30:00" for a date-time value; empty outside the calendar.
std::optional<std::string> IsoDateTime(double dateTime);

// Every time level: elapsed_seconds,clock,surface_temp,layer_max_temp,
// air_temp,wind_speed,cloud_cover,layer_mean_temp,lifts_laid (the lifts on
// the road, the new layer included).
std::string CurveCsv(const TRunOutcome& run);
// The 5-minute profiles and the reopening's: elapsed_seconds,clock,depth_cm,temp.
std::string ProfilesCsv(const TRunOutcome& run);
