#pragma once

#include "ScenarioBatch.h"

#include <optional>
#include <vector>

struct TWhatIfCell {
    TWindClass Wind;
    TCloudClass Cloud;
    TRunOutcome Outcome;
};

// The scenario under each of the nine wind x cloud classes, wind-major:
// feeble clear, feeble partial, feeble covered, moderate clear, ... Empty
// when stopped.
std::optional<std::vector<TWhatIfCell>> RunWeatherWhatIf(
    const TScenario& scenario, TExecution execution = TExecution::Parallel, TAnalysisProgress* progress = nullptr);
