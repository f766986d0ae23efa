#include "ScenarioInputs.h"
#include "PICHourCls.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct TInputsCase {
    const char* Name;
    double Thickness, LayingTemp, ReopenTemp;
    std::optional<TScenarioInput> Input;
    TInputRefusal Refusal;
    double Limit;
};

class ScenarioInputsCheck : public testing::TestWithParam<TInputsCase> { };

// The first problem in the frame's order, with the limit it crossed.
TEST_P(ScenarioInputsCheck, findsTheFirstProblem)
{
    const TInputsCase& c = GetParam();
    const TPICHourCls engine;
    const std::pair<TScenarioInput, double> inputs[] = {{TScenarioInput::Thickness, c.Thickness},
        {TScenarioInput::LayingTemp, c.LayingTemp}, {TScenarioInput::ReopenTemp, c.ReopenTemp}};
    std::optional<TScenarioInput> first;
    for (const auto& [input, value] : inputs)
        if (const auto refusal = ScenarioInputs::Check(engine, input, value)) {
            first = input;
            EXPECT_EQ(*refusal, c.Refusal);
            const TInputLimits limits = ScenarioInputs::LimitsOf(engine, input);
            EXPECT_EQ(*refusal == TInputRefusal::AboveMaximum ? limits.Max : limits.Min, c.Limit);
            break;
        }
    EXPECT_EQ(first, c.Input);
}

const double NaN = std::nan("");

INSTANTIATE_TEST_SUITE_P(Cases, ScenarioInputsCheck,
    testing::Values(TInputsCase{"limits", 1.5, 170.0, 50.0, std::nullopt, TInputRefusal::NotAReal, 0.0},
        TInputsCase{"thin", 1.4, 171.0, 51.0, TScenarioInput::Thickness, TInputRefusal::BelowMinimum, 1.5},
        TInputsCase{"thick", 8.5, NaN, 20.0, TScenarioInput::Thickness, TInputRefusal::AboveMaximum, 8.0},
        TInputsCase{"unread", 5.0, NaN, 20.0, TScenarioInput::LayingTemp, TInputRefusal::NotAReal, 100.0},
        TInputsCase{"cool", 5.0, 99.0, 20.0, TScenarioInput::LayingTemp, TInputRefusal::BelowMinimum, 100.0},
        TInputsCase{"warm", 5.0, 170.0, 50.5, TScenarioInput::ReopenTemp, TInputRefusal::AboveMaximum, 50.0}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

// The engine's limits as they are, not fixed numbers; unset limits bound
// nothing, and while typing a value below the minimum is let through.
TEST(ScenarioInputs, followsTheEngineLimits)
{
    TPICHourCls engine;
    engine.ThicknessMax = 12.0;
    EXPECT_FALSE(ScenarioInputs::Check(engine, TScenarioInput::Thickness, 11.0));
    EXPECT_EQ(ScenarioInputs::Check(engine, TScenarioInput::Thickness, 12.5), TInputRefusal::AboveMaximum);
    EXPECT_FALSE(ScenarioInputs::Check(engine, TScenarioInput::Thickness, 1.0, false));
    engine.LayingTempStep = -1.0;
    EXPECT_FALSE(ScenarioInputs::Check(engine, TScenarioInput::LayingTemp, 500.0));
    EXPECT_EQ(ScenarioInputs::Check(engine, TScenarioInput::LayingTemp, NaN), TInputRefusal::NotAReal);
}

}  // namespace
