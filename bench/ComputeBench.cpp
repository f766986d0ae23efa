// Times Compute on the runs that bound its cost. Run:
//   build/bench/kelvara_bench --benchmark_repetitions=5
#include "DateUtilsBD2006.h"
#include "PICHourCls.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

double dateOf(int year, int month, int day)
{
    return *DateUtilsBD2006::EncodeDate(year, month, day);
}

double timeOf(int hour, int minute)
{
    return *DateUtilsBD2006::EncodeTime(hour, minute, 0, 0);
}

void prepare(TPICHourCls& engine, double thicknessCm)
{
    engine.Layers.Items(0).SetThicknessCm(thicknessCm);
    engine.LayingTemp = 170.0;
    engine.ReopenTemp = 30.0;
    engine.WindSpeed = engine.WindSpeedFeeble;
    engine.CloudCover = engine.CloudCoverClear;
    engine.SummerTime = true;
}

struct TScenario {
    double ThicknessCm;
    int Month, Day, Hour;
    double BottomTemp;
    const char* ExpectedFailure;  // nullptr: the run must succeed
};

void runScenario(benchmark::State& state, const TScenario& scenario)
{
    TPICHourCls engine;
    prepare(engine, scenario.ThicknessCm);
    engine.BottomTemp = scenario.BottomTemp;
    TNullProgressBar bar;
    const double date = dateOf(2026, scenario.Month, scenario.Day);
    const double time = timeOf(scenario.Hour, 0);
    for (auto _ : state) {
        std::string failure;
        try {
            engine.Compute(bar, date, time);
        } catch (const std::runtime_error& error) {
            failure = error.what();
        }
        if (failure != (scenario.ExpectedFailure ? scenario.ExpectedFailure : "")) {
            state.SkipWithError(("unexpected outcome: " + failure).c_str());
            break;
        }
        benchmark::DoNotOptimize(engine.ResultSeconds);
    }
    state.counters["steps"] = engine.History().LevelCount();
    state.counters["engine_bytes"] = static_cast<double>(sizeof(TPICHourCls) + engine.History().MemoryBytes());
}

// The start values laid at midsummer noon.
BENCHMARK_CAPTURE(runScenario, DefaultSummerNoon, TScenario{5.0, 6, 21, 12, 14.0, nullptr})
    ->Unit(benchmark::kMillisecond);

// The longest run the input ranges allow: 8 cm at 170 degC to 30 degC,
// feeble wind, clear sky, laid on a July night.
BENCHMARK_CAPTURE(runScenario, LongestInRange, TScenario{8.0, 7, 10, 23, 14.0, nullptr})->Unit(benchmark::kMillisecond);

// 25000 full steps ending in "no reopening": the existing road kept at 60 degC.
BENCHMARK_CAPTURE(runScenario, FullSpanFailure, TScenario{5.0, 6, 21, 12, 60.0, TPICHourCls::FailureTooLong})
    ->Unit(benchmark::kMillisecond);

// The default summer-noon run on a 48-point hourly timeline of all three
// quantities: the lookups happen at the refreshes only.
void runWithTimeline(benchmark::State& state)
{
    TPICHourCls engine;
    prepare(engine, 5.0);
    std::vector<TWeatherPoint> air, wind, cloud;
    for (int hour = 0; hour < 48; ++hour) {
        const double s = hour * 3600.0;
        air.push_back({s, 18.0 + 6.0 * ((hour % 24) < 12 ? hour % 24 : 24 - hour % 24) / 12.0});
        wind.push_back({s, 1.0 + (hour % 7)});
        cloud.push_back({s, 12.5 * (hour % 9)});
    }
    engine.Weather = {TWeatherSeries(air), TWeatherSeries(wind), TWeatherSeries(cloud)};
    TNullProgressBar bar;
    const double date = dateOf(2026, 6, 21);
    const double time = timeOf(12, 0);
    for (auto _ : state) {
        engine.Compute(bar, date, time);
        benchmark::DoNotOptimize(engine.ResultSeconds);
    }
    state.counters["steps"] = engine.History().LevelCount();
}
BENCHMARK(runWithTimeline)->Name("runScenario/DefaultSummerNoonTimeline48")->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// A July evening's 6 cm binder with 0 or 3 further lifts: the time per
// level shows what placing and scanning the lifts costs.
void runWithLifts(benchmark::State& state)
{
    TPICHourCls engine;
    prepare(engine, 6.0);
    engine.LayingTemp = 160.0;
    engine.ReopenTemp = 35.0;
    if (state.range(0) != 0)
        engine.FurtherLifts = {{3600.0, 4.0, 165.0}, {7200.0, 3.0, 160.0}, {10800.0, 2.5, 150.0}};
    TNullProgressBar bar;
    for (auto _ : state) {
        engine.Compute(bar, dateOf(2027, 7, 14), timeOf(21, 0));
        benchmark::DoNotOptimize(engine.ResultSeconds);
    }
    const auto levels = static_cast<double>(engine.History().LevelCount());
    state.counters["steps"] = levels;
    state.counters["ns_per_level"] = benchmark::Counter(levels * 1e-9 * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(runWithLifts)->ArgName("lifts3")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
