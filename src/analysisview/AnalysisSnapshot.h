#pragma once

#include "CoolingCurve.h"
#include "Daylight.h"
#include "RunOutcome.h"
#include "Scenario.h"
#include "SiteChoice.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

// Everything the analysis window shows of one successful computation, built
// once; the charts and tables only read it.
struct TAnalysisSnapshot {
    // The run drawn: the frame's, or the same laying on the site as the
    // window describes it (chosen weather, the road's warmth, further lifts).
    TScenario Scenario;
    TRunOutcome Outcome;
    // With a site that differs from the frame's inputs: the frame's answer
    // beside the site's; and, with a chosen weather, where it comes from, as
    // a line of text.
    std::optional<TRunOutcome> ClassesOutcome;
    QString WeatherSource;
    // That weather came from the public forecast service, whose licence asks
    // to be named beside it.
    bool WeatherAttributed = false;
    // Over an ensemble: the member whose run is drawn, the control's.
    QString TopMember;
    // The road's warmth or further lifts were asked for.
    bool SiteAsked = false;
    // The kept lifts do not fit this computation: why; the site is then run
    // without them.
    std::optional<TSiteRefusal> SiteRefusal;
    // The site gave no run; the frame's run is drawn instead.
    bool WeatherFailed = false;
    std::string SiteFailure;  // the site's run's, as TRunOutcome::Failure
    // Why: its timeline's first and last moment (run moments) when it does
    // not cover the laying.
    std::optional<std::pair<double, double>> WeatherMissesLaying;
    std::vector<TCurvePoint> Curve;
    std::vector<TDepthProfile> Profiles;
    // From the whole hour before the laying to the whole hour after the end of the curve.
    double ChartStart = 0.0;
    double ChartEnd = 0.0;
    int StepHours = 1;  // between the clock axis's ticks, from ChartStart
    std::vector<Daylight::TNight> Nights;  // clipped to the chart's span
    std::optional<double> FirstDaylight;  // after a night reopening
};

// Runs the scenario again, keeping its history, when the outcome came without
// one. The compaction window is read again for the scenario's temperature.
TAnalysisSnapshot MakeAnalysisSnapshot(const TScenario& scenario, const TRunOutcome& outcome);
// The same laying on the site (siteScenario: the frame's with the chosen
// weather, the road's warmth and the lifts put in), its run drawn beside the
// frame's answer; source names the chosen weather, empty on the classes.
TAnalysisSnapshot MakeSiteSnapshot(const TScenario& frameScenario, const TRunOutcome& frameOutcome,
    const TScenario& siteScenario, const QString& source);
