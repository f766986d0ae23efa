#pragma once

#include "CoolingCurve.h"
#include "Daylight.h"
#include "RunOutcome.h"
#include "Scenario.h"

#include <optional>
#include <vector>

// Everything the analysis window shows of one successful computation, built
// once; the charts and tables only read it.
struct TAnalysisSnapshot {
    TScenario Scenario;
    TRunOutcome Outcome;
    std::vector<TCurvePoint> Curve;
    std::vector<TDepthProfile> Profiles;
    // From the whole hour before the laying to the whole hour after the end of the curve.
    double ChartStart = 0.0;
    double ChartEnd = 0.0;
    int StepHours = 1;  // between the clock axis's ticks, from ChartStart
    std::vector<Daylight::TNight> Nights;  // clipped to the chart's span
    std::optional<double> FirstDaylight;  // after a night reopening
};

// Runs the scenario again, keeping its history, when the outcome came without one.
TAnalysisSnapshot MakeAnalysisSnapshot(const TScenario& scenario, const TRunOutcome& outcome);
