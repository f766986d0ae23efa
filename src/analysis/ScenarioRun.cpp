#include "ScenarioRun.h"

#include "CompactionWindow.h"
#include "DateUtilsBD2006.h"
#include "Daylight.h"
#include "LegalClock.h"
#include "PICHourCls.h"
#include "TheTimeUtilsCls.h"
#include "WeatherSource.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string>

namespace {

// What the engine holds after a run, successful or not.
void copyEngineState(const TPICHourCls& engine, TClockMode clock, bool keepHistory, TRunOutcome& outcome)
{
    outcome.Clock = clock;
    outcome.SummerTime = engine.SummerTime;
    outcome.ClockOffset = LegalClock::OffsetHours(engine.SummerTime);
    outcome.BottomTemp = engine.BottomTemp;
    outcome.DayOfYear = engine.DayOfYear;
    outcome.EquationOfTime = engine.EquationOfTime;
    outcome.StartSolarTime = engine.StartSolarTime;
    outcome.Limits = engine.Limits;
    if (keepHistory)
        outcome.History = std::make_shared<const TCoolingHistory>(engine.History());
}

// The weather the run used, and how long the layer stayed above the
// compaction-end temperature.
void addWeather(const TPICHourCls& engine, const TScenario& scenario, TRunOutcome& outcome)
{
    outcome.WeatherKind = WeatherKindOf(scenario);
    outcome.CompactionSeconds = CompactionSeconds(engine.History(), engine.LayingTemp, scenario.CompactionTemp);
    if (!scenario.Weather)
        return;
    const std::optional<TWeatherSeries>* all[]
        = {&engine.Weather.AirTemp, &engine.Weather.WindSpeed, &engine.Weather.CloudCover};
    std::optional<double> first, last;
    for (const auto* series : all) {
        if (!*series || (series == all[0] && scenario.AirTemp) || (series == all[1] && scenario.WindSpeed)
            || (series == all[2] && scenario.CloudCover))
            continue;
        const auto& points = (*series)->Points();
        first = first ? std::min(*first, points.front().ElapsedSeconds) : points.front().ElapsedSeconds;
        last = last ? std::max(*last, points.back().ElapsedSeconds) : points.back().ElapsedSeconds;
        if (points.back().ElapsedSeconds < outcome.ResultSeconds)
            outcome.WeatherHeld = true;
    }
    if (!first)
        return;
    // Elapsed seconds count from the laying's minute; the run's moments keep
    // its seconds, so go through UTC.
    const double laying = static_cast<double>(LayingUtcSeconds(scenario));
    outcome.WeatherFrom = WallClock::FromUtc((laying + *first) / 86400.0, outcome.ClockOffset);
    outcome.WeatherUntil = WallClock::FromUtc((laying + *last) / 86400.0, outcome.ClockOffset);
}

// The outcome of an engine whose Compute has just succeeded for this laying
// date and time.
TRunOutcome succeededRun(
    const TPICHourCls& engine, double layingDate, double layingTime, TClockMode clock, bool keepHistory)
{
    TRunOutcome outcome;
    outcome.Laying = TheTimeUtilsCls::JoinDateAndTime(layingDate, layingTime);
    copyEngineState(engine, clock, keepHistory, outcome);
    const double reopening = TheTimeUtilsCls::AddDuration(outcome.Laying, engine.ResultSeconds);
    // The moment must exist on the wall clock too, which may be an hour on.
    if (!DateUtilsBD2006::DecodeDate(reopening) || !DateUtilsBD2006::DecodeDate(outcome.Wall(reopening).Moment)) {
        outcome.Failure = TRunOutcome::ReopeningOutOfRange;
        return outcome;
    }
    outcome.ResultSeconds = engine.ResultSeconds;
    outcome.Reopening = reopening;
    const SolarModel::TSite site{engine.Latitude, engine.Longitude, engine.SolarConstant};
    outcome.Night = Daylight::IsNightAt(reopening, outcome.ClockOffset, site);
    return outcome;
}

// An empty failure would read as a success.
std::string failureOf(const std::exception& error)
{
    const char* message = error.what();
    return message != nullptr && *message != '\0' ? message : TRunOutcome::UnknownFailure;
}

}  // namespace

TRunOutcome RunScenario(const TScenario& scenario, const TRunSettings& settings)
{
    TRunOutcome outcome;
    try {
        std::optional<TPICHourCls> ownEngine;
        TPICHourCls& engine = settings.Engine != nullptr ? *settings.Engine : ownEngine.emplace();
        ApplyScenario(scenario, engine);
        engine.SkyCache = settings.SkyCache;
        TNullProgressBar noProgress;
        try {
            engine.Compute(settings.Progress != nullptr ? *settings.Progress : noProgress, scenario.LayingDate,
                scenario.LayingTime);
        } catch (const std::exception& error) {
            outcome.Laying = TheTimeUtilsCls::JoinDateAndTime(scenario.LayingDate, scenario.LayingTime);
            copyEngineState(engine, scenario.Clock, settings.KeepHistory, outcome);
            outcome.Failure = failureOf(error);
            return outcome;
        }
        outcome = succeededRun(engine, scenario.LayingDate, scenario.LayingTime, scenario.Clock, settings.KeepHistory);
        if (outcome.Succeeded())
            addWeather(engine, scenario, outcome);
    } catch (const std::exception& error) {
        outcome.Failure = failureOf(error);
    } catch (...) {
        // Not one of ours, but a run never throws.
        outcome.Failure = TRunOutcome::UnknownFailure;
    }
    return outcome;
}
