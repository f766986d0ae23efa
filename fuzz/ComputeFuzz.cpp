// ComputeFuzz: the engine on arbitrary inputs within and around the input
// limits, now and then far outside them. A run ends either with a result
// that is a whole number of time steps inside the step limit, or with one of
// the three failure messages and the previous result left in place. The
// progress bar never passes its maximum and is back at 0 afterwards.
#include "DateUtilsBD2006.h"
#include "FuzzCheck.h"
#include "PICHourCls.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace {

class TCheckingProgressBar final : public TProgressBar {
public:
    int Max = 0;
    int Position = 0;
    int Steps = 0;
    void SetMin(int) override { }
    void SetMax(int value) override { Max = value; }
    void SetStep(int) override { }
    void SetPosition(int value) override { Position = value; }
    void StepIt() override
    {
        ++Steps;
        ++Position;
        KELVARA_FUZZ_CHECK(Position <= Max);
    }
};

// Mostly a value on a fine grid around [low, high]; sometimes any double at all.
double pick(FuzzedDataProvider& input, double low, double high, double grid)
{
    if (input.ConsumeIntegralInRange(0, 15) == 0)
        return input.ConsumeFloatingPoint<double>();
    const auto count = static_cast<int>((high - low) / grid);
    return low + grid * input.ConsumeIntegralInRange(-count / 4, count + count / 4);
}

double pickClass(FuzzedDataProvider& input, double a, double b, double c, double low, double high)
{
    switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0:
        return input.ConsumeFloatingPointInRange(low, high);
    case 1:
    case 2:
        return b;
    case 3:
    case 4:
        return c;
    default:
        return a;
    }
}

bool isFailureMessage(const char* message)
{
    return std::strcmp(message, TPICHourCls::FailureTooThin) == 0
        || std::strcmp(message, TPICHourCls::FailureUnstable) == 0
        || std::strcmp(message, TPICHourCls::FailureTooLong) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    TPICHourCls engine;

    // Position arithmetic must hold for whatever a field could parse to.
    engine.ThicknessPosition(input.ConsumeFloatingPoint<double>());
    engine.LayingTempPosition(input.ConsumeFloatingPoint<double>());
    engine.ReopenTempPosition(input.ConsumeFloatingPoint<double>());

    engine.Layers.Items(0).SetThicknessCm(pick(input, engine.ThicknessMin, engine.ThicknessMax, 0.1));
    engine.LayingTemp = pick(input, engine.LayingTempMin, engine.LayingTempMax, 0.5);
    engine.ReopenTemp = pick(input, engine.ReopenTempMin, engine.ReopenTempMax, 0.5);
    engine.WindSpeed
        = pickClass(input, engine.WindSpeedFeeble, engine.WindSpeedModerate, engine.WindSpeedStrong, 0.0, 30.0);
    engine.CloudCover
        = pickClass(input, engine.CloudCoverClear, engine.CloudCoverPartial, engine.CloudCoverOvercast, 0.0, 100.0);
    engine.SummerTime = input.ConsumeBool();

    // The expert settings: the deepest temperature and the existing layers.
    if (input.ConsumeBool())
        engine.BottomTemp = pick(input, 0.0, 40.0, 0.5);
    // Now and then values no road has, which can overflow the scheme.
    if (input.ConsumeIntegralInRange(0, 15) == 0)
        engine.BottomTemp = input.ConsumeFloatingPoint<double>();
    if (input.ConsumeIntegralInRange(0, 15) == 0)
        engine.Layers.Items(0).Conductivity = input.ConsumeFloatingPoint<double>();
    for (int j = 1; j < engine.Layers.Count(); ++j) {
        if (!input.ConsumeBool())
            continue;
        TRoadLayerCls& layer = engine.Layers.Items(j);
        layer.SetThicknessCm(pick(input, 0.0, 100.0, 0.5));
        layer.HeatCapacity = pick(input, 500.0, 1500.0, 1.0);
        layer.Conductivity = pick(input, 0.0, 3.0, 0.01);
        layer.Density = pick(input, 500.0, 3000.0, 10.0);
    }

    // Mostly a date of the pickers' range, now and then any value.
    const bool anyMoment = input.ConsumeIntegralInRange(0, 31) == 0;
    double date = 0.0;
    double time = 0.0;
    if (anyMoment) {
        date = input.ConsumeFloatingPoint<double>();
        time = input.ConsumeFloatingPoint<double>();
    } else {
        const int year = input.ConsumeIntegralInRange(1900, 2100);
        const int month = input.ConsumeIntegralInRange(1, 12);
        const int day = input.ConsumeIntegralInRange(1, 28);
        date = *DateUtilsBD2006::EncodeDate(year, month, day);
        time = *DateUtilsBD2006::EncodeTime(
            input.ConsumeIntegralInRange(0, 23), input.ConsumeIntegralInRange(0, 59), 0, 0);
    }
    const bool decodable = DateUtilsBD2006::DecodeDate(date) && DateUtilsBD2006::DecodeTime(time);

    constexpr double earlierResult = 4321.0;
    engine.ResultSeconds = earlierResult;
    TCheckingProgressBar bar;
    try {
        engine.Compute(bar, date, time);
        const double seconds = engine.ResultSeconds;
        KELVARA_FUZZ_CHECK(seconds >= 0.0 && seconds < TPICHourCls::MaxSteps * TPICHourCls::TimeStep);
        KELVARA_FUZZ_CHECK(std::fmod(seconds, TPICHourCls::TimeStep) == 0.0);
        KELVARA_FUZZ_CHECK(bar.Steps <= TPICHourCls::MaxSteps);
        // A reopening rests on finite temperatures, and the last level
        // recorded is the one that met the condition.
        const TCoolingHistory& history = engine.History();
        KELVARA_FUZZ_CHECK(history.LevelCount() >= 1);
        KELVARA_FUZZ_CHECK((history.LevelCount() - 1) * TPICHourCls::TimeStep == seconds);
        KELVARA_FUZZ_CHECK(history.LayerMaxTemps().back() <= engine.ReopenTemp);
        for (const double t : history.SurfaceTemps())
            KELVARA_FUZZ_CHECK(std::isfinite(t));
        for (const double t : history.LayerMaxTemps())
            KELVARA_FUZZ_CHECK(std::isfinite(t));
        for (const double t : history.AirTemps())
            KELVARA_FUZZ_CHECK(std::isfinite(t));
        for (int n = 0; n < history.ProfileCount(); ++n)
            for (const double t : history.Profile(n))
                KELVARA_FUZZ_CHECK(std::isfinite(t));
    } catch (const std::runtime_error& error) {
        // Dates the pickers cannot deliver are refused with their own message.
        KELVARA_FUZZ_CHECK(isFailureMessage(error.what()) || !decodable);
        KELVARA_FUZZ_CHECK(engine.ResultSeconds == earlierResult);
    } catch (...) {
        KELVARA_FUZZ_CHECK(!"Compute threw something other than its failure");
    }
    KELVARA_FUZZ_CHECK(bar.Position == 0);
    return 0;
}
