#pragma once

#include "WeatherChoice.h"

#include <optional>
#include <string>
#include <vector>

// The chosen weather hour by hour over a run, as the panel's table shows it.
struct TWeatherHour {
    double WallMoment = 0.0;  // the site's wall clock
    bool SummerTime = false;  // the clock WallMoment is read on
    std::optional<double> AirTemp;  // degC; empty: the model's air
    std::optional<double> WindSpeed;  // m/s; empty: the class
    std::optional<double> CloudCover;  // %; empty: the class
    bool Held = false;  // past the end of the forecast: its last values held
};

struct TWeatherHours {
    std::vector<TWeatherHour> Hours;  // none with the classes
    // A forecast's first and last moment on the wall clock, and the laying's.
    std::optional<double> From;
    std::optional<double> Until;
    double LayingWall = 0.0;
    bool CoversLaying = true;  // the laying lies within the forecast
    std::optional<double> HeldFrom;  // the run goes on past the forecast's end (wall clock)
    // With the road's warmth, a forecast that starts after its warm-up: the
    // warm-up's start (wall clock), before the forecast's first values.
    std::optional<double> WarmUpFrom;
    std::string Refusal;  // a forecast the scenario's clock makes unordered
};

namespace WeatherHours {

// At most this many rows: a run ends within days.
inline constexpr int MaxHours = 24 * 14;

// From the laying to runEndSeconds after it, one row an hour and one at the end.
TWeatherHours Of(const TWeatherChoice& choice, const TScenario& scenario, double runEndSeconds);

}  // namespace WeatherHours
