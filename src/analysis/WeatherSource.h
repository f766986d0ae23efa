#pragma once

#include "Scenario.h"
#include "WeatherTimeline.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// A refused weather file: the message names the file, the line (CSV) or the
// index (JSON) and the reason, on one line.
class TWeatherError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One moment as a file writes it: civil seconds since 30 December 1899
// 00:00 on the file's clock, and its offset from UTC when the file gives one.
struct TWeatherMoment {
    std::int64_t CivilSeconds = 0;
    std::optional<std::int64_t> OffsetSeconds;
};

struct TWeatherSample {
    TWeatherMoment Moment;
    double Value = 0.0;
    std::string Where;  // "line 4" or "index 3", for refusals
};

// Measured or forecast weather read from a file, kept as absolute moments so
// that every run (every slot of a plan, every batch row) takes its own
// elapsed seconds from it.
struct TWeatherSource {
    std::string File;
    std::vector<TWeatherSample> AirTemp;  // degC
    std::vector<TWeatherSample> WindSpeed;  // m/s
    std::vector<TWeatherSample> CloudCover;  // %
};

// The moment in UTC seconds since 30 December 1899 00:00. A moment without an
// offset is read on the run's clock: the legal clock at that moment when
// automatic, the forced clock otherwise.
std::int64_t UtcSecondsOf(const TWeatherMoment& moment, TClockMode clock);

// The laying (date, hour and minute; its seconds ignored, as the engine
// ignores them) in UTC seconds, on the clock SummerTimeOf gives.
std::int64_t LayingUtcSeconds(const TScenario& scenario);

namespace WeatherSource {

inline constexpr double AirTempMin = -40.0, AirTempMax = 50.0;
inline constexpr double WindSpeedMin = 0.0, WindSpeedMax = 60.0;
inline constexpr double CloudCoverMin = 0.0, CloudCoverMax = 100.0;
inline constexpr std::size_t MaxPoints = 10000;  // a series

// Reads a CSV timeline or a forecast service's hourly JSON, told apart by
// content. Throws TWeatherError.
TWeatherSource ReadFile(const std::string& path);
TWeatherSource ReadText(const std::string& text, const std::string& file);

// Parses "YYYY-MM-DDTHH:MM[:SS]" with an optional "Z" or "+HH:MM"/"-HH:MM".
std::optional<TWeatherMoment> ParseMoment(const std::string& text);

// The timeline of a scenario's run: its file series on its clock, elapsed
// from its laying. Throws TWeatherError for moments not strictly increasing
// on that clock.
TWeatherTimeline TimelineFor(const TWeatherSource& source, const TScenario& scenario);

}  // namespace WeatherSource
