#include "CliLifts.h"

#include "LiftMoments.h"
#include "NumberText.h"
#include "PICHourCls.h"
#include "RunCsv.h"
#include "ScenarioInputs.h"

#include <cmath>
#include <cstdint>

namespace {

using TRefusal = std::pair<TCliStatus, std::string>;

struct TLiftText {
    std::string Thickness, LayingTemp, When;
};

// Split at the first two colons: the moment keeps its own.
std::optional<TLiftText> split(const std::string& text)
{
    const auto first = text.find(':');
    const auto second = first == std::string::npos ? first : text.find(':', first + 1);
    if (second == std::string::npos)
        return std::nullopt;
    return TLiftText{text.substr(0, first), text.substr(first + 1, second - first - 1), text.substr(second + 1)};
}

std::string liftName(std::size_t further)
{
    return "lift " + std::to_string(further + 2);
}

std::string wallText(const TScenario& scenario, double elapsedSeconds)
{
    return IsoDateTime(LiftMoments::WallMomentOf(scenario, elapsedSeconds).Moment).value_or("?");
}

// "thickness 9 is above the maximum of 8.0 cm", as the new layer's fields say it.
std::string outsideLimits(const TPICHourCls& engine, TScenarioInput input, const std::string& text, double value)
{
    const bool thickness = input == TScenarioInput::Thickness;
    const TInputLimits limits = ScenarioInputs::LimitsOf(engine, input);
    const char* unit = thickness ? " cm" : " degC";
    return std::string(thickness ? "thickness " : "laying temperature ") + text
        + (value < limits.Min ? " is below the minimum of " + NumberText::Fixed(limits.Min, 1)
                              : " is above the maximum of " + NumberText::Fixed(limits.Max, 1))
        + unit;
}

std::string checkText(const TPICHourCls& engine, const ScenarioInputs::TLiftCheck& check,
    const std::vector<TLiftText>& texts, const TScenario& scenario)
{
    const TLift& lift = scenario.Lifts[check.Index];
    const TLiftText& text = texts[check.Index];
    const double previous = check.Index == 0 ? 0.0 : scenario.Lifts[check.Index - 1].ElapsedSeconds;
    const double runLimit = static_cast<double>(TPICHourCls::MaxSteps) * TPICHourCls::TimeStep;
    switch (check.Refusal) {
    case ScenarioInputs::TLiftRefusal::TooMany:
        break;
    case ScenarioInputs::TLiftRefusal::NotAReal:
        return "a value is not a number";
    case ScenarioInputs::TLiftRefusal::NotAfterPrevious:
        return text.When + " is not after " + liftName(check.Index - 1) + ", laid " + wallText(scenario, previous);
    case ScenarioInputs::TLiftRefusal::NotWholeMinutes:
        return text.When + " is not a whole number of minutes after the first laying";
    case ScenarioInputs::TLiftRefusal::PastRunLimit:
        return text.When + " falls " + FormatDuration(lift.ElapsedSeconds)
            + " after the first laying, at or past the run's " + FormatDuration(runLimit);
    case ScenarioInputs::TLiftRefusal::Thickness:
        return outsideLimits(engine, TScenarioInput::Thickness, text.Thickness, lift.ThicknessCm);
    case ScenarioInputs::TLiftRefusal::LayingTemp:
        return outsideLimits(engine, TScenarioInput::LayingTemp, text.LayingTemp, lift.LayingTemp);
    }
    return "at most " + std::to_string(ScenarioInputs::MaxFurtherLifts) + " further lifts can be laid";
}

}  // namespace

std::optional<TRefusal> ReadLifts(const std::vector<std::string>& texts, TScenario& scenario)
{
    const auto refused = [](TCliStatus status, std::size_t n, const std::string& text, const std::string& why) {
        return TRefusal{status, liftName(n) + " \"" + text + "\": " + why};
    };
    const auto malformed = [&refused](std::size_t n, const std::string& text, const std::string& why) {
        return refused(TCliStatus::Malformed, n, text, why);
    };
    if (texts.size() > ScenarioInputs::MaxFurtherLifts)
        return refused(TCliStatus::Refused, ScenarioInputs::MaxFurtherLifts, texts[ScenarioInputs::MaxFurtherLifts],
            "at most " + std::to_string(ScenarioInputs::MaxFurtherLifts) + " further lifts can be laid");
    std::vector<TLiftText> parts;
    scenario.Lifts.clear();
    std::int64_t previous = 0;
    for (std::size_t n = 0; n < texts.size(); ++n) {
        const auto part = split(texts[n]);
        if (!part)
            return malformed(n, texts[n], "not CM:C:WHEN (WHEN +MIN, HH:MM or YYYY-MM-DDTHH:MM)");
        const auto thickness = ReadCliNumber(part->Thickness);
        if (!thickness)
            return malformed(n, texts[n], "cannot read thickness \"" + part->Thickness + "\" as a number");
        const auto layingTemp = ReadCliNumber(part->LayingTemp);
        if (!layingTemp)
            return malformed(n, texts[n], "cannot read laying temperature \"" + part->LayingTemp + "\" as a number");
        const auto when = LiftMoments::ParseWhen(part->When);
        if (!when)
            return malformed(n, texts[n], "\"" + part->When + "\" is not +MIN, HH:MM or YYYY-MM-DDTHH:MM");
        const LiftMoments::TResolvedWhen resolved = LiftMoments::Resolve(scenario, previous, *when);
        if (!resolved.ElapsedSeconds)
            return refused(TCliStatus::Refused, n, texts[n],
                IsoDateTime(resolved.SkippedWall).value_or("?").substr(0, 16)
                    + " does not exist: the legal clock goes from 02:00 winter time to 03:00 summer time");
        previous = *resolved.ElapsedSeconds;
        scenario.Lifts.push_back({static_cast<double>(previous), *thickness, *layingTemp});
        parts.push_back(*part);
    }
    const TPICHourCls engine;
    if (const auto check = ScenarioInputs::CheckLifts(engine, scenario.Lifts))
        return refused(
            TCliStatus::Refused, check->Index, texts[check->Index], checkText(engine, *check, parts, scenario));
    return std::nullopt;
}

std::vector<std::string> SplitLiftList(std::string_view cell)
{
    std::vector<std::string> lifts;
    std::size_t n = 0;
    while (n < cell.size()) {
        const auto end = std::min(cell.find(' ', n), cell.size());
        if (end > n)
            lifts.emplace_back(cell.substr(n, end - n));
        n = end + 1;
    }
    return lifts;
}

std::optional<std::string> PlanLiftRefusal(const std::vector<std::string>& texts)
{
    for (std::size_t n = 0; n < texts.size(); ++n) {
        const auto part = split(texts[n]);
        if (part && (part->When.empty() || part->When[0] != '+'))
            return liftName(n) + " \"" + texts[n]
                + "\": with --plan a lift is laid +MIN after the previous one, each slot keeping the delays";
    }
    return std::nullopt;
}
