#pragma once

#include "RoadWarmUp.h"
#include "RunOutcome.h"
#include "Scenario.h"

#include <functional>
#include <optional>
#include <span>
#include <vector>

class TPICHourCls;
class TProgressBar;

namespace SolarModel {
class TSkyBrightnessCache;
}

struct TRunSettings {
    bool KeepHistory = false;
    // Borrowed, may be null: shared by the runs of one analysis.
    SolarModel::TSkyBrightnessCache* SkyCache = nullptr;
    // Borrowed, may be null: shown the run's progress (the desktop program's
    // bar), and left at 0 however the run ends.
    TProgressBar* Progress = nullptr;
    // Borrowed, may be null: the engine to run on, with its own road, site
    // and class values (a new engine otherwise): the desktop program's. The
    // scenario is written into it, and it keeps its state after the run.
    TPICHourCls* Engine = nullptr;
    // Borrowed, may be null: with the road's warmth, the existing road at
    // this laying from a warm-up shared by several runs.
    const TRoadProfile* WarmRoad = nullptr;
};

// Runs the scenario on an engine of its own or the one lent, as the desktop
// program's compute action does: reopening = JoinDateAndTime(date, time) + the result's whole
// seconds. A timeline that does not cover the laying gives no run (the
// failure WeatherNotCoveringLaying). Never throws: every failure is in the
// outcome, never an empty one.
TRunOutcome RunScenario(const TScenario& scenario, const TRunSettings& settings = {});

// Scenarios that differ only in their weather (an ensemble's members), run
// together on one engine: each outcome is the one RunScenario gives it.
// keepGoing, when given, is asked before each member's run; once it says
// no, the result is empty. Never throws.
std::optional<std::vector<TRunOutcome>> RunMembers(
    std::span<const TScenario> members, const TRunSettings& settings = {}, const std::function<bool()>& keepGoing = {});
