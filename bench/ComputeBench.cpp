// Times Compute on the runs that bound its cost. Run:
//   build/bench/kelvara_bench --benchmark_repetitions=5
#include "DateUtilsBD2006.h"
#include "PICHourCls.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

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

void report(benchmark::State& state, const TPICHourCls& engine)
{
    state.counters["steps"] = engine.History().LevelCount();
    state.counters["engine_bytes"] =
        static_cast<double>(sizeof(TPICHourCls) + engine.History().MemoryBytes());
}

// The start values laid at midsummer noon.
void BM_DefaultSummerNoon(benchmark::State& state)
{
    TPICHourCls engine;
    prepare(engine, 5.0);
    TNullProgressBar bar;
    for (auto _ : state) {
        engine.Compute(bar, dateOf(2026, 6, 21), timeOf(12, 0));
        benchmark::DoNotOptimize(engine.ResultSeconds);
    }
    report(state, engine);
}
BENCHMARK(BM_DefaultSummerNoon)->Unit(benchmark::kMillisecond);

// The longest run the input ranges allow: 8 cm at 170 degC to 30 degC,
// feeble wind, clear sky, laid on a July night.
void BM_LongestInRange(benchmark::State& state)
{
    TPICHourCls engine;
    prepare(engine, 8.0);
    TNullProgressBar bar;
    for (auto _ : state) {
        engine.Compute(bar, dateOf(2026, 7, 10), timeOf(23, 0));
        benchmark::DoNotOptimize(engine.ResultSeconds);
    }
    report(state, engine);
}
BENCHMARK(BM_LongestInRange)->Unit(benchmark::kMillisecond);

// 25000 full steps ending in the "no reopening" failure: a bottom warmer than
// the reopening temperature, laid at midsummer noon.
void BM_FullSpanFailure(benchmark::State& state)
{
    TPICHourCls engine;
    prepare(engine, 5.0);
    engine.BottomTemp = 60.0;
    TNullProgressBar bar;
    for (auto _ : state) {
        try {
            engine.Compute(bar, dateOf(2026, 6, 21), timeOf(12, 0));
            state.SkipWithError("expected the run to fail");
            break;
        } catch (const std::runtime_error& error) {
            if (std::string(error.what()) != TPICHourCls::FailureTooLong) {
                state.SkipWithError(error.what());
                break;
            }
        }
    }
    report(state, engine);
}
BENCHMARK(BM_FullSpanFailure)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
