#pragma once

#include "AnalysisProgress.h"
#include "ScenarioRun.h"

#include <optional>
#include <span>
#include <vector>

enum class TExecution { Sequential, Parallel };

struct TBatchSettings {
    TExecution Execution = TExecution::Parallel;
    bool KeepHistory = false;
    // Share the sky's brightness between the runs: worth it when they see
    // the sun at the same places (one laying day), not for unrelated rows.
    bool ShareSky = true;
    TAnalysisProgress* Progress = nullptr;  // borrowed, may be null
    // Empty, or one per scenario, each null or the existing road at its
    // laying from a shared warm-up (borrowed).
    std::span<const TRoadProfile* const> WarmRoads;
};

// Runs every scenario on an engine of its own, spread over every core when
// parallel; the outcomes are in the scenarios' order and equal, bit for bit,
// what lone sequential runs give. Empty when the progress asked to stop.
std::optional<std::vector<TRunOutcome>> RunScenarios(
    std::span<const TScenario> scenarios, const TBatchSettings& settings = {});
