#include "WeatherWhatIf.h"

std::optional<std::vector<TWhatIfCell>> RunWeatherWhatIf(
    const TScenario& scenario, TExecution execution, TAnalysisProgress* progress)
{
    std::vector<TScenario> cases;
    for (const TWindClass wind : AllWindClasses)
        for (const TCloudClass cloud : AllCloudClasses) {
            TScenario weather = scenario;
            weather.Wind = wind;
            weather.Cloud = cloud;
            cases.push_back(std::move(weather));
        }
    auto outcomes = RunScenarios(cases, {.Execution = execution, .Progress = progress, .WarmRoads = {}});
    if (!outcomes)
        return std::nullopt;
    std::vector<TWhatIfCell> cells;
    for (std::size_t n = 0; n < cases.size(); ++n)
        cells.push_back({cases[n].Wind, cases[n].Cloud, std::move((*outcomes)[n])});
    return cells;
}
