#include "AnalysisSnapshot.h"

#include "AnalysisMoments.h"
#include "CompactionWindow.h"
#include "ScenarioRun.h"

#include <algorithm>

TAnalysisSnapshot MakeAnalysisSnapshot(const TScenario& scenario, const TRunOutcome& outcome)
{
    TAnalysisSnapshot snapshot;
    snapshot.Scenario = scenario;
    snapshot.Outcome = outcome.History ? outcome : RunScenario(scenario, {.KeepHistory = true});
    // With further lifts the history's mean is the top lift's: the run's own
    // window of the first lift, read before the next, stands.
    if (snapshot.Outcome.History && scenario.Lifts.empty()) {
        snapshot.Outcome.CompactionSeconds
            = CompactionSeconds(*snapshot.Outcome.History, scenario.LayingTemp, scenario.CompactionTemp);
    }
    snapshot.Curve = CoolingCurve(snapshot.Outcome);
    snapshot.Profiles = DepthProfiles(snapshot.Outcome);
    const double last = snapshot.Curve.empty() ? snapshot.Outcome.Reopening : snapshot.Curve.back().Moment;
    // Six steps at most: the plot shares the chart's width with its legend, and
    // a tick's label must hold a four-digit date.
    constexpr int ClockSteps = 6;
    const AnalysisMoments::TClockSpan span = AnalysisMoments::RoundClockSpan(snapshot.Outcome.Laying, last, ClockSteps);
    snapshot.ChartStart = span.Start;
    // A run that ends late on the calendar's last day keeps its axis on it:
    // past it no moment has a date, and none may reach the chart.
    snapshot.ChartEnd = std::min(span.End, AnalysisMoments::CalendarEnd - AnalysisMoments::OneSecond);
    snapshot.StepHours = span.StepHours;
    const SolarModel::TSite site = Daylight::DefaultSite();
    snapshot.Nights
        = Daylight::NightsBetween(snapshot.ChartStart, snapshot.ChartEnd, snapshot.Outcome.ClockOffset, site);
    if (snapshot.Outcome.Succeeded() && snapshot.Outcome.Night) {
        snapshot.FirstDaylight
            = Daylight::FirstDaylightFrom(snapshot.Outcome.Reopening, snapshot.Outcome.ClockOffset, site);
    }
    return snapshot;
}

TAnalysisSnapshot MakeSiteSnapshot(const TScenario& frameScenario, const TRunOutcome& frameOutcome,
    const TScenario& siteScenario, const QString& source)
{
    const TRunOutcome weatherOutcome = RunScenario(siteScenario, {.KeepHistory = true});
    TAnalysisSnapshot snapshot = weatherOutcome.Succeeded() ? MakeAnalysisSnapshot(siteScenario, weatherOutcome)
                                                            : MakeAnalysisSnapshot(frameScenario, frameOutcome);
    snapshot.WeatherSource = source;
    snapshot.SiteAsked = siteScenario.RoadWarmth || !siteScenario.Lifts.empty();
    snapshot.WeatherFailed = !weatherOutcome.Succeeded();
    snapshot.SiteFailure = weatherOutcome.Failure;
    if (weatherOutcome.WeatherCoversLaying == false && weatherOutcome.WeatherFrom && weatherOutcome.WeatherUntil) {
        snapshot.WeatherMissesLaying = std::pair(*weatherOutcome.WeatherFrom, *weatherOutcome.WeatherUntil);
    }
    if (!snapshot.WeatherFailed) {
        snapshot.ClassesOutcome = frameOutcome;
        snapshot.ClassesOutcome->History.reset();
    }
    return snapshot;
}
