#include "ScenarioBatch.h"

#include "Compat.h"
#include "SkyBrightnessCache.h"

#include <algorithm>
#include <atomic>
#include <numeric>

std::optional<std::vector<TRunOutcome>> RunScenarios(
    std::span<const TScenario> scenarios, const TBatchSettings& settings)
{
    const int total = static_cast<int>(scenarios.size());
    std::vector<TRunOutcome> outcomes(scenarios.size());
    SolarModel::TSkyBrightnessCache skyCache;
    const TRunSettings runSettings{settings.KeepHistory, settings.ShareSky ? &skyCache : nullptr};
    std::atomic<int> done = 0;
    std::atomic<bool> stopped = false;

    const auto runOne = [&](std::size_t n) {
        if (stopped.load(std::memory_order_relaxed))
            return;
        if (settings.Progress && settings.Progress->StopRequested()) {
            stopped = true;
            return;
        }
        TRunSettings own = runSettings;
        if (settings.WarmRoadOf)
            own.WarmRoad = settings.WarmRoadOf(n);
        outcomes[n] = RunScenario(scenarios[n], own);
        const int finished = done.fetch_add(1) + 1;
        if (settings.Progress)
            settings.Progress->RunsDone(finished, total);
    };

    std::vector<std::size_t> indices(scenarios.size());
    std::iota(indices.begin(), indices.end(), std::size_t{0});
    if (settings.Execution == TExecution::Parallel)
        Compat::ParallelForEach(indices.begin(), indices.end(), runOne);
    else
        std::for_each(indices.begin(), indices.end(), runOne);

    if (stopped)
        return std::nullopt;
    return outcomes;
}
