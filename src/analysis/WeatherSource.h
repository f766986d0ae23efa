#pragma once

#include "Scenario.h"
#include "WeatherTimeline.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Why a weather file was refused, for a front end to say in its own language.
enum class TWeatherErrorKind {
    Unreadable,  // missing, not a file, a read error
    TooLarge,  // over MaxFileBytes, or nested deeper than MaxJsonDepth
    Malformed,  // not a timeline CSV or a forecast JSON, a cell or a moment that does not parse
    OutOfRange,  // a value outside its bounds, an offset outside +-18 h
    TooManyPoints,  // over MaxPoints in one series
    NotIncreasing,  // moments not strictly increasing on the run's clock
    MemberCount,  // an ensemble of fewer than 2 or more than 100 members
};

// A refused weather file: the message names the file, the line (CSV) or the
// index (JSON) and the reason, on one line, in English for the logs and the
// command line; the kind tells the reason apart.
class TWeatherError : public std::runtime_error {
public:
    TWeatherError(TWeatherErrorKind kind, const std::string& message) : std::runtime_error(message), FKind(kind) { }
    TWeatherErrorKind Kind() const noexcept { return FKind; }

private:
    TWeatherErrorKind FKind;
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
// A year of minutes in a series is far below these; a file beyond them is
// not weather, and reading it would only cost memory.
inline constexpr std::size_t MaxFileMiB = 16;
inline constexpr std::size_t MaxFileBytes = MaxFileMiB << 20U;
inline constexpr int MaxJsonDepth = 32;

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
