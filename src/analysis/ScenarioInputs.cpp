#include "ScenarioInputs.h"

#include "PICHourCls.h"

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

}  // namespace ScenarioInputs
