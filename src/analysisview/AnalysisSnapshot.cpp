#include "AnalysisSnapshot.h"

#include "ScenarioRun.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double HoursPerDay = 24.0;

double WholeHourAtOrBefore(double moment)
{
    return std::floor(moment * HoursPerDay) / HoursPerDay;
}

double WholeHourAtOrAfter(double moment)
{
    return std::ceil(moment * HoursPerDay) / HoursPerDay;
}

}  // namespace

TAnalysisSnapshot MakeAnalysisSnapshot(const TScenario& scenario, const TRunOutcome& outcome)
{
    TAnalysisSnapshot snapshot;
    snapshot.Scenario = scenario;
    snapshot.Outcome = outcome.History ? outcome : RunScenario(scenario, {.KeepHistory = true});
    snapshot.Curve = CoolingCurve(snapshot.Outcome);
    snapshot.Profiles = DepthProfiles(snapshot.Outcome);
    const double last = snapshot.Curve.empty() ? snapshot.Outcome.Reopening : snapshot.Curve.back().Moment;
    snapshot.ChartStart = WholeHourAtOrBefore(snapshot.Outcome.Laying);
    const double end = std::max(WholeHourAtOrAfter(last), snapshot.ChartStart + 1.0 / HoursPerDay);
    // Round steps, at most eight of them across the chart.
    constexpr int MaxTicks = 8;
    const auto spanHours = static_cast<int>(std::lround((end - snapshot.ChartStart) * HoursPerDay));
    for (const int step : {1, 2, 3, 4, 6, 8, 12, 24, 48}) {
        snapshot.TickHours = step;
        if (spanHours <= step * MaxTicks) {
            break;
        }
    }
    const int steps = (spanHours + snapshot.TickHours - 1) / snapshot.TickHours;
    snapshot.ChartEnd = snapshot.ChartStart + steps * snapshot.TickHours / HoursPerDay;
    const SolarModel::TSite site = Daylight::DefaultSite();
    snapshot.Nights
        = Daylight::NightsBetween(snapshot.ChartStart, snapshot.ChartEnd, snapshot.Outcome.ClockOffset, site);
    if (snapshot.Outcome.Succeeded() && snapshot.Outcome.Night) {
        snapshot.FirstDaylight
            = Daylight::FirstDaylightFrom(snapshot.Outcome.Reopening, snapshot.Outcome.ClockOffset, site);
    }
    return snapshot;
}
