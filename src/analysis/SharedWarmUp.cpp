#include "SharedWarmUp.h"

#include "Compat.h"
#include "PICHourCls.h"
#include "SkyBrightnessCache.h"

#include <exception>
#include <future>
#include <optional>

TSharedWarmUp::TSharedWarmUp(const std::vector<TScenario>& cases, TExecution execution)
{
    if (cases.empty() || !cases.front().RoadWarmth)
        return;
    try {
        TPICHourCls engine;
        // The engine's weather counts from the last slot's laying.
        ApplyScenario(cases.back(), engine);
        std::vector<int> levels;
        std::optional<TWarmUpStart> start;
        for (const TScenario& slot : cases) {
            start = WarmUpStartOf(slot.LayingDate, slot.LayingTime, SummerTimeOf(slot), WarmUpSummerTimeOf(slot));
            if (!start || (!levels.empty() && start->Levels <= levels.back()))
                return;
            levels.push_back(start->Levels);
        }
        SolarModel::TSkyBrightnessCache sky;
        engine.SkyCache = &sky;
        // Waited for by its destructor, however the warm-up ends.
        std::future<void> prefetch;
        if (Compat::HasThreads && execution == TExecution::Parallel)
            prefetch = std::async(
                std::launch::async, [&engine, &start] { engine.PrefetchWarmUpSky(*start, start->Levels); });
        FRoads = engine.WarmRoads(*start, levels, start->Levels);
    } catch (const std::exception&) {
        FRoads.clear();
    }
}
