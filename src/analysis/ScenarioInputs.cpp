#include "ScenarioInputs.h"

#include "PICHourCls.h"
#include "Scenario.h"

#include <cmath>

namespace ScenarioInputs {

TInputLimits LimitsOf(const TPICHourCls& engine, TScenarioInput input)
{
    switch (input) {
    case TScenarioInput::Thickness:
        return {engine.ThicknessMin, engine.ThicknessMax, engine.ThicknessStep, engine.ThicknessSteps()};
    case TScenarioInput::LayingTemp:
        return {engine.LayingTempMin, engine.LayingTempMax, engine.LayingTempStep, engine.LayingTempSteps()};
    case TScenarioInput::ReopenTemp:
        break;
    }
    return {engine.ReopenTempMin, engine.ReopenTempMax, engine.ReopenTempStep, engine.ReopenTempSteps()};
}

int Position(const TPICHourCls& engine, TScenarioInput input, double value)
{
    switch (input) {
    case TScenarioInput::Thickness:
        return engine.ThicknessPosition(value);
    case TScenarioInput::LayingTemp:
        return engine.LayingTempPosition(value);
    case TScenarioInput::ReopenTemp:
        break;
    }
    return engine.ReopenTempPosition(value);
}

std::optional<TInputRefusal> Check(const TPICHourCls& engine, TScenarioInput input, double value, bool strict)
{
    // A NaN would pass every range test below.
    if (std::isnan(value))
        return TInputRefusal::NotAReal;
    const TInputLimits limits = LimitsOf(engine, input);
    if (limits.Steps > 0) {
        if (strict && value < limits.Min)
            return TInputRefusal::BelowMinimum;
        if (value > limits.Max)
            return TInputRefusal::AboveMaximum;
    }
    return std::nullopt;
}

std::optional<TLiftCheck> CheckLifts(const TPICHourCls& engine, std::span<const TLift> lifts)
{
    constexpr double minute = 60.0;
    const double runLimit = static_cast<double>(TPICHourCls::MaxSteps) * TPICHourCls::TimeStep;
    double previous = 0.0;
    for (std::size_t n = 0; n < lifts.size(); ++n) {
        const TLift& lift = lifts[n];
        const auto refused = [n](TLiftRefusal why) { return TLiftCheck{n, why}; };
        if (n >= MaxFurtherLifts)
            return refused(TLiftRefusal::TooMany);
        if (!std::isfinite(lift.ElapsedSeconds) || !std::isfinite(lift.ThicknessCm) || !std::isfinite(lift.LayingTemp))
            return refused(TLiftRefusal::NotAReal);
        if (!(lift.ElapsedSeconds > previous))
            return refused(TLiftRefusal::NotAfterPrevious);
        if (std::fmod(lift.ElapsedSeconds, minute) != 0.0)
            return refused(TLiftRefusal::NotWholeMinutes);
        if (!(lift.ElapsedSeconds < runLimit))
            return refused(TLiftRefusal::PastRunLimit);
        if (lift.ThicknessCm < engine.ThicknessMin || lift.ThicknessCm > engine.ThicknessMax)
            return refused(TLiftRefusal::Thickness);
        if (lift.LayingTemp < engine.LayingTempMin || lift.LayingTemp > engine.LayingTempMax)
            return refused(TLiftRefusal::LayingTemp);
        previous = lift.ElapsedSeconds;
    }
    return std::nullopt;
}

}  // namespace ScenarioInputs
