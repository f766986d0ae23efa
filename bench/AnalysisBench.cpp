// Times the planning analyses, wall clock (they spread over every core). Run:
//   build/bench/kelvara_bench --benchmark_filter='WhatIf|Plan|Batch' --benchmark_repetitions=5
#include "DateUtilsBD2006.h"
#include "Ensemble.h"
#include "LayingPlan.h"
#include "PICHourCls.h"
#include "ScenarioRun.h"
#include "SkyBrightnessCache.h"
#include "WeatherSource.h"
#include "WeatherWhatIf.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

TScenario midsummerNoon()
{
    TScenario s;
    s.LayingDate = *DateUtilsBD2006::EncodeDate(2026, 6, 21);
    s.LayingTime = *DateUtilsBD2006::EncodeTime(12, 0, 0, 0);
    return s;
}

TExecution executionOf(const benchmark::State& state)
{
    return state.range(0) != 0 ? TExecution::Parallel : TExecution::Sequential;
}

void WhatIf(benchmark::State& state)
{
    const TScenario scenario = midsummerNoon();
    for (auto _ : state)
        benchmark::DoNotOptimize(RunWeatherWhatIf(scenario, executionOf(state)));
}
BENCHMARK(WhatIf)->ArgName("parallel")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void Plan(benchmark::State& state)
{
    const TScenario scenario = midsummerNoon();
    for (auto _ : state)
        benchmark::DoNotOptimize(PlanLaying(scenario, 30, std::nullopt, executionOf(state)));
}
BENCHMARK(Plan)->ArgName("parallel")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The 48-slot plan of a July or a January day with and without the road's
// warmth, on every core: one warm-up serves all the slots.
void PlanWarmth(benchmark::State& state)
{
    TScenario scenario;
    scenario.ThicknessCm = 5.0;
    scenario.LayingTemp = 160.0;
    scenario.ReopenTemp = 35.0;
    scenario.LayingDate = *DateUtilsBD2006::EncodeDate(2027, static_cast<int>(state.range(1)), 14);
    scenario.RoadWarmth = state.range(0) != 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(PlanLaying(scenario, 30));
}
BENCHMARK(PlanWarmth)
    ->ArgNames({"warmth", "month"})
    ->ArgsProduct({{0, 1}, {7, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same 48-slot plan on an hourly timeline over the laying day and the
// next, to compare with Plan. classEqual 1: wind and cloud series at the
// default classes' values, so the runs do Plan's work and only the series
// cost differs; 0: all three quantities varying (runs of other lengths).
void PlanWithTimeline(benchmark::State& state)
{
    TScenario scenario = midsummerNoon();
    const bool classEqual = state.range(1) != 0;
    const TPICHourCls engine;
    std::string csv = classEqual ? "time,wind_speed,cloud_cover\n" : "time,air_temp,wind_speed,cloud_cover\n";
    char line[96];
    for (int hour = 0; hour < 48; ++hour) {
        if (classEqual)
            std::snprintf(line, sizeof line, "2026-06-%02dT%02d:00+02:00,%.17g,%.17g\n", 21 + hour / 24, hour % 24,
                engine.WindSpeedFeeble, engine.CloudCoverClear);
        else
            std::snprintf(line, sizeof line, "2026-06-%02dT%02d:00+02:00,%.1f,%.1f,%d\n", 21 + hour / 24, hour % 24,
                15.0 + 0.2 * hour, 1.0 + 0.1 * hour, (hour * 7) % 101);
        csv += line;
    }
    scenario.Weather = std::make_shared<const TWeatherSource>(WeatherSource::ReadText(csv, "bench.csv"));
    for (auto _ : state)
        benchmark::DoNotOptimize(PlanLaying(scenario, 30, std::nullopt, executionOf(state)));
}
BENCHMARK(PlanWithTimeline)
    ->ArgNames({"parallel", "classEqual"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Unrelated rows, as a batch file holds them: every thickness, class and
// hour over a year.
void Batch(benchmark::State& state)
{
    std::vector<TScenario> rows(static_cast<std::size_t>(state.range(1)));
    for (std::size_t n = 0; n < rows.size(); ++n) {
        TScenario& s = rows[n];
        s.ThicknessCm = 1.5 + 0.5 * static_cast<double>(n % 14);
        s.Wind = AllWindClasses[n % 3];
        s.Cloud = AllCloudClasses[n / 3 % 3];
        s.LayingDate = *DateUtilsBD2006::EncodeDate(2026, 1, 1) + static_cast<double>(n % 365);
        s.LayingTime = *DateUtilsBD2006::EncodeTime(static_cast<int>(n % 24), 0, 0, 0);
    }
    TBatchSettings settings;
    settings.Execution = executionOf(state);
    settings.ShareSky = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(RunScenarios(rows, settings));
}
BENCHMARK(Batch)
    ->ArgNames({"parallel", "rows"})
    ->Args({0, 10000})
    ->Args({1, 10000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

namespace {

// The recorded 40-member ensemble and 11 of its members again: 51, as the
// largest services give. Laid at night (hour 22) or in the morning (10).
std::vector<TScenario> ensembleMembers(int hour)
{
    const TEnsemble ensemble = EnsembleSource::ReadFile(KELVARA_BENCH_DATA "/weather/ensemble-brussels.json");
    TScenario scenario;
    scenario.ThicknessCm = 5.0;
    scenario.LayingTemp = 160.0;
    scenario.ReopenTemp = 35.0;
    scenario.LayingDate = *DateUtilsBD2006::EncodeDate(2027, 7, 14);
    scenario.LayingTime = *DateUtilsBD2006::EncodeTime(hour, 0, 0, 0);
    std::vector<TScenario> members;
    for (std::size_t m = 0; m < 51; ++m) {
        members.push_back(scenario);
        members.back().Weather = ensemble.Members[m % ensemble.Members.size()].Weather;
    }
    return members;
}

// On one core: together = 1, the members on one engine level by level;
// 0, 51 lone runs, each working out its own sky.
void Ensemble51(benchmark::State& state)
{
    const std::vector<TScenario> members = ensembleMembers(static_cast<int>(state.range(1)));
    for (auto _ : state) {
        if (state.range(0) != 0) {
            SolarModel::TSkyBrightnessCache sky;
            benchmark::DoNotOptimize(RunMembers(members, {.SkyCache = &sky}));
        } else {
            for (const TScenario& member : members)
                benchmark::DoNotOptimize(RunScenario(member));
        }
    }
}
BENCHMARK(Ensemble51)
    ->ArgNames({"together", "hour"})
    ->ArgsProduct({{0, 1}, {22, 10}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
