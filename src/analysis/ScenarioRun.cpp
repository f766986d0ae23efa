#include "ScenarioRun.h"

#include "CompactionWindow.h"
#include "DateUtilsBD2006.h"
#include "Daylight.h"
#include "LegalClock.h"
#include "PICHourCls.h"
#include "TheTimeUtilsCls.h"
#include "WeatherSource.h"
#include "WeatherSpan.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <string>

namespace {

class TWarmRoadRelease {
public:
    explicit TWarmRoadRelease(TPICHourCls& engine) : FEngine(engine) { }
    ~TWarmRoadRelease() { FEngine.WarmRoad = nullptr; }
    TWarmRoadRelease(const TWarmRoadRelease&) = delete;
    TWarmRoadRelease& operator=(const TWarmRoadRelease&) = delete;

private:
    TPICHourCls& FEngine;
};

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
    outcome.RoadWarmth = engine.RoadWarmth;
    outcome.ExistingSurfaceTemp = engine.ExistingSurfaceTemp;
    if (keepHistory)
        outcome.History = std::make_shared<const TCoolingHistory>(engine.History());
}

std::optional<TWeatherSpan> usedSpan(const TWeatherTimeline& weather, const TScenario& scenario)
{
    if (!scenario.Weather)
        return std::nullopt;
    return WeatherSpanOf(weather, !scenario.AirTemp, !scenario.WindSpeed, !scenario.CloudCover);
}

// The span's first and last moment as run moments, and whether it covers
// the laying.
void addSpan(const TWeatherSpan& span, const TScenario& scenario, TRunOutcome& outcome)
{
    // Elapsed seconds count from the laying's minute; the run's moments keep
    // its seconds, so go through UTC.
    const double laying = static_cast<double>(LayingUtcSeconds(scenario));
    outcome.WeatherFrom = WallClock::FromUtc((laying + span.First) / 86400.0, outcome.ClockOffset);
    outcome.WeatherUntil = WallClock::FromUtc((laying + span.Last) / 86400.0, outcome.ClockOffset);
    outcome.WeatherCoversLaying = span.CoversLaying();
}

// The grid's layer bottoms once the first `laid` further lifts are on the
// road, as the engine lays them: the latest on top, the first lift and the
// existing layers under them.
std::vector<int> liftLimits(const TPICHourCls& engine, const TScenario& scenario, std::size_t laid)
{
    TRoadLayersCls layers;
    for (std::size_t above = laid; above-- > 0;) {
        auto lift = std::make_unique<TRoadLayerCls>(engine.Layers.Items(0));
        lift->SetThicknessCm(scenario.Lifts[above].ThicknessCm);
        layers.Add(std::move(lift));
    }
    for (int j = 0; j < engine.Layers.Count(); ++j)
        layers.Add(std::make_unique<TRoadLayerCls>(engine.Layers.Items(j)));
    return TPICHourCls::LayerBottomNodes(layers);
}

// Every lift's moment, compaction window and the mean of the lift below it.
void addLifts(const TPICHourCls& engine, const TScenario& scenario, TRunOutcome& outcome)
{
    const TCoolingHistory& history = engine.History();
    const std::vector<int>& levels = history.LiftLevels();
    outcome.Lifts.clear();
    for (std::size_t n = 0; n <= scenario.Lifts.size(); ++n) {
        TLiftOutcome lift;
        const int from = n == 0 ? 0 : levels.at(n - 1);
        const int until = n < levels.size() ? levels[n] : history.LevelCount();
        if (n == 0) {
            lift.ThicknessCm = scenario.ThicknessCm;
            lift.LayingTemp = scenario.LayingTemp;
        } else {
            const TLift& further = scenario.Lifts[n - 1];
            lift.ThicknessCm = further.ThicknessCm;
            lift.LayingTemp = further.LayingTemp;
            lift.ElapsedSeconds = further.ElapsedSeconds;
            lift.BaseMeanTemp = history.LayerMeanTemps().at(static_cast<std::size_t>(from - 1));
        }
        lift.Limits = n == 0 ? outcome.Limits : liftLimits(engine, scenario, n);
        lift.Laid = TheTimeUtilsCls::AddDuration(outcome.Laying, lift.ElapsedSeconds);
        lift.CompactionSeconds = CompactionSeconds(history, lift.LayingTemp, scenario.CompactionTemp, from, until);
        outcome.Lifts.push_back(lift);
    }
    outcome.CompactionSeconds = outcome.Lifts.front().CompactionSeconds;
}

// The weather the run used, and how long the layer stayed above the
// compaction-end temperature.
void addWeather(const TPICHourCls& engine, const TScenario& scenario, TRunOutcome& outcome)
{
    outcome.WeatherKind = WeatherKindOf(scenario);
    addLifts(engine, scenario, outcome);
    if (const auto span = usedSpan(engine.Weather, scenario)) {
        outcome.WeatherHeld = span->EarliestEnd < outcome.ResultSeconds;
        addSpan(*span, scenario, outcome);
    }
}

// A timeline that does not cover the laying: the outcome of no run.
TRunOutcome uncoveredRun(const TScenario& scenario, const TWeatherSpan& span)
{
    TRunOutcome outcome;
    outcome.Failure = TRunOutcome::WeatherNotCoveringLaying;
    outcome.Laying = TheTimeUtilsCls::JoinDateAndTime(scenario.LayingDate, scenario.LayingTime);
    outcome.Clock = scenario.Clock;
    outcome.SummerTime = SummerTimeOf(scenario);
    outcome.ClockOffset = WallClock::OffsetHours(outcome.SummerTime);
    outcome.WeatherKind = WeatherKindOf(scenario);
    addSpan(span, scenario, outcome);
    return outcome;
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
std::string failureOf(const char* message)
{
    return message != nullptr && *message != '\0' ? message : TRunOutcome::UnknownFailure;
}

std::string failureOf(const std::exception& error)
{
    return failureOf(error.what());
}

// The outcome of an engine whose Compute for the scenario has just ended,
// with failure (empty on success).
TRunOutcome computedRun(
    const TPICHourCls& engine, const TScenario& scenario, const std::string& failure, bool keepHistory)
{
    if (!failure.empty()) {
        TRunOutcome outcome;
        outcome.Laying = TheTimeUtilsCls::JoinDateAndTime(scenario.LayingDate, scenario.LayingTime);
        copyEngineState(engine, scenario.Clock, keepHistory, outcome);
        outcome.Failure = failure;
        return outcome;
    }
    TRunOutcome outcome = succeededRun(engine, scenario.LayingDate, scenario.LayingTime, scenario.Clock, keepHistory);
    if (outcome.Succeeded())
        addWeather(engine, scenario, outcome);
    return outcome;
}

}  // namespace

TRunOutcome RunScenario(const TScenario& scenario, const TRunSettings& settings)
{
    TRunOutcome outcome;
    try {
        std::optional<TPICHourCls> ownEngine;
        TPICHourCls& engine = settings.Engine != nullptr ? *settings.Engine : ownEngine.emplace();
        ApplyScenario(scenario, engine);
        if (const auto span = usedSpan(engine.Weather, scenario); span && !span->CoversLaying())
            return uncoveredRun(scenario, *span);
        engine.SkyCache = settings.SkyCache;
        engine.WarmRoad = settings.WarmRoad;
        // Borrowed for this run only: a lent engine must not keep it.
        const TWarmRoadRelease release(engine);
        TNullProgressBar noProgress;
        std::string failure;
        try {
            engine.Compute(settings.Progress != nullptr ? *settings.Progress : noProgress, scenario.LayingDate,
                scenario.LayingTime);
        } catch (const std::exception& error) {
            failure = failureOf(error);
        }
        outcome = computedRun(engine, scenario, failure, settings.KeepHistory);
    } catch (const std::exception& error) {
        outcome.Failure = failureOf(error);
    } catch (...) {
        // Not one of ours, but a run never throws.
        outcome.Failure = TRunOutcome::UnknownFailure;
    }
    return outcome;
}

std::optional<std::vector<TRunOutcome>> RunMembers(
    std::span<const TScenario> members, const TRunSettings& settings, const std::function<bool()>& keepGoing)
{
    bool stopped = false;
    const auto goOn = [&keepGoing, &stopped] {
        stopped = stopped || (keepGoing && !keepGoing());
        return !stopped;
    };
    std::vector<TRunOutcome> outcomes(members.size());
    if (members.empty())
        return outcomes;
    try {
        TPICHourCls engine;
        ApplyScenario(members.front(), engine);
        engine.SkyCache = settings.SkyCache;
        // Each member's timeline; one that cannot be made or does not cover
        // the laying has its outcome at once and no run.
        std::vector<TMemberRun> runs;
        std::vector<std::size_t> ran;
        for (std::size_t n = 0; n < members.size(); ++n) {
            const TScenario& member = members[n];
            try {
                TWeatherTimeline timeline
                    = member.Weather ? WeatherSource::TimelineFor(*member.Weather, member) : TWeatherTimeline{};
                if (const auto span = usedSpan(timeline, member); span && !span->CoversLaying()) {
                    outcomes[n] = uncoveredRun(member, *span);
                    continue;
                }
                runs.push_back({std::move(timeline), {}, 0.0, 0.0, 0.0, {}});
                ran.push_back(n);
            } catch (const std::exception& error) {
                outcomes[n].Failure = failureOf(error);
            }
        }
        const TScenario& first = members.front();
        engine.ComputeMembers(first.LayingDate, first.LayingTime, runs, goOn);
        if (stopped)
            return std::nullopt;
        for (std::size_t r = 0; r < runs.size(); ++r) {
            engine.TakeMember(runs[r]);
            const std::string failure = runs[r].Failure.empty() ? "" : failureOf(runs[r].Failure.c_str());
            try {
                outcomes[ran[r]] = computedRun(engine, members[ran[r]], failure, settings.KeepHistory);
            } catch (const std::exception& error) {
                outcomes[ran[r]].Failure = failureOf(error);
            }
        }
    } catch (const std::exception& error) {
        // Before any member ran (the scenario itself is refused): all alike.
        for (TRunOutcome& outcome : outcomes)
            outcome.Failure = failureOf(error);
    }
    return outcomes;
}
