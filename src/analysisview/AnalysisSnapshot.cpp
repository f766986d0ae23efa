#include "AnalysisSnapshot.h"

#include "AnalysisMoments.h"
#include "ScenarioRun.h"

TAnalysisSnapshot MakeAnalysisSnapshot(const TScenario& scenario, const TRunOutcome& outcome)
{
    TAnalysisSnapshot snapshot;
    snapshot.Scenario = scenario;
    snapshot.Outcome = outcome.History ? outcome : RunScenario(scenario, {.KeepHistory = true});
    snapshot.Curve = CoolingCurve(snapshot.Outcome);
    snapshot.Profiles = DepthProfiles(snapshot.Outcome);
    const double last = snapshot.Curve.empty() ? snapshot.Outcome.Reopening : snapshot.Curve.back().Moment;
    const AnalysisMoments::TClockSpan span = AnalysisMoments::RoundClockSpan(snapshot.Outcome.Laying, last);
    snapshot.ChartStart = span.Start;
    snapshot.ChartEnd = span.End;
    snapshot.TickCount = span.TickCount();
    const SolarModel::TSite site = Daylight::DefaultSite();
    snapshot.Nights
        = Daylight::NightsBetween(snapshot.ChartStart, snapshot.ChartEnd, snapshot.Outcome.ClockOffset, site);
    if (snapshot.Outcome.Succeeded() && snapshot.Outcome.Night) {
        snapshot.FirstDaylight
            = Daylight::FirstDaylightFrom(snapshot.Outcome.Reopening, snapshot.Outcome.ClockOffset, site);
    }
    return snapshot;
}
