#pragma once

#include "RunOutcome.h"
#include "Scenario.h"

namespace SolarModel {
class TSkyBrightnessCache;
}

struct TRunSettings {
    bool KeepHistory = false;
    // Borrowed, may be null: shared by the runs of one analysis.
    SolarModel::TSkyBrightnessCache* SkyCache = nullptr;
};

class TPICHourCls;

// The outcome of an engine whose Compute has just succeeded for this laying
// date and time, as a run reports it: the desktop program computes on its
// own engine and reports through this. clock says how its moments are shown.
TRunOutcome SucceededRun(
    const TPICHourCls& engine, double layingDate, double layingTime, TClockMode clock, bool keepHistory);

// Runs the scenario on an engine of its own, as the desktop program's compute
// action does: reopening = JoinDateAndTime(date, time) + the result's whole
// seconds. Never throws: every failure is in the outcome.
TRunOutcome RunScenario(const TScenario& scenario, const TRunSettings& settings = {});
