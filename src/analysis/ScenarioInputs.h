#pragma once

#include <cstddef>
#include <optional>
#include <span>

struct TLift;

class TPICHourCls;

// The three inputs of a scenario that the engine bounds, in the order they
// are checked.
enum class TScenarioInput { Thickness, LayingTemp, ReopenTemp };

// Why an input is refused.
enum class TInputRefusal { NotAReal, BelowMinimum, AboveMaximum };

// An input's limits as the engine holds them; Steps is 0 when they are unset
// (or make no range), and the input is then not bounded at all.
struct TInputLimits {
    double Min;
    double Max;
    double Step;
    int Steps;
};

// The one check of the scenario's inputs, for every front end: the engine's
// limits and step rules, applied as the desktop frame applies them.
namespace ScenarioInputs {

TInputLimits LimitsOf(const TPICHourCls& engine, TScenarioInput input);

// The step a value lies on, counted from the minimum (0 when the limits are
// unset), as a spinner shows it; the value must lie within the limits.
int Position(const TPICHourCls& engine, TScenarioInput input, double value);

// One input: NaN (what an unreadable text reads as) is not a real; with
// steps, below the minimum (only when strict: while typing, a value on its
// way up is not refused) and above the maximum.
std::optional<TInputRefusal> Check(const TPICHourCls& engine, TScenarioInput input, double value, bool strict = true);

// Why a further lift is refused, in the order the checks run.
enum class TLiftRefusal {
    TooMany,  // more than MaxFurtherLifts
    NotAReal,  // a value that is not a finite number
    NotAfterPrevious,  // at or before the previous lift (the first laying for the first)
    NotWholeMinutes,
    PastRunLimit,  // at or after the run's last level
    Thickness,  // outside the thickness limits
    LayingTemp,  // outside the laying temperature limits
};

struct TLiftCheck {
    std::size_t Index = 0;  // 0 for the first further lift
    TLiftRefusal Refusal = TLiftRefusal::TooMany;
};

inline constexpr std::size_t MaxFurtherLifts = 3;

// The further lifts of a scenario, as the frame, the command line and the
// batch check them: the first refused lift and why.
std::optional<TLiftCheck> CheckLifts(const TPICHourCls& engine, std::span<const TLift> lifts);

}  // namespace ScenarioInputs
