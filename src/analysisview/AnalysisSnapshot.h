#pragma once

#include "CoolingCurve.h"
#include "Daylight.h"
#include "RunOutcome.h"
#include "Scenario.h"

#include <QString>

#include <optional>
#include <vector>

// Everything the analysis window shows of one successful computation, built
// once; the charts and tables only read it.
struct TAnalysisSnapshot {
    // The run drawn: the frame's, or the same laying in the chosen weather.
    TScenario Scenario;
    TRunOutcome Outcome;
    // With a chosen weather: the frame's answer from its classes beside it,
    // and where the weather comes from, as a line of text.
    std::optional<TRunOutcome> ClassesOutcome;
    QString WeatherSource;
    // That weather came from the public forecast service, whose licence asks
    // to be named beside it.
    bool WeatherAttributed = false;
    // The chosen weather gave no run; the frame's run is drawn instead.
    bool WeatherFailed = false;
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
// The same laying in a chosen weather (weatherScenario: the frame's with the
// weather put in), its run drawn beside the frame's answer.
TAnalysisSnapshot MakeWeatherSnapshot(const TScenario& frameScenario, const TRunOutcome& frameOutcome,
    const TScenario& weatherScenario, const QString& source);
