#include "CliScenario.h"

#include "DateUtilsBD2006.h"
#include "PICHourCls.h"
#include "RegionalSettingsCls.h"
#include "TheTimeUtilsCls.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

// The command line reads a point as its own separator; a comma is taken
// through the parser's exchange.
constexpr char CliDecimalSeparator = '.';

std::string oneDecimal(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

TCliOutcome failed(TCliOutcome outcome, TCliStatus status, std::string message)
{
    outcome.Status = status;
    outcome.SuggestHelp = status == TCliStatus::Malformed;
    outcome.Message = std::move(message);
    return outcome;
}

struct TBoundedField {
    const char* Name;
    const char* Unit;
    double Min, Max;
    int Steps;
};

// As the desktop program checks a field before computing: unreadable text,
// then below the minimum, then above the maximum. No range when the limits
// give no steps.
std::optional<std::string> checkField(
    const TBoundedField& field, const std::string& text, double& value, bool& malformed)
{
    TRegionalSettingsCls parser;
    value = parser.ParseReal(text, CliDecimalSeparator);
    malformed = parser.ErrorCode != TRegionalSettingsCls::Success;
    if (malformed)
        return std::string(field.Name) + ": cannot read \"" + text + "\" as a number";
    if (field.Steps > 0) {
        if (value < field.Min)
            return std::string(field.Name) + ": " + text + " is below the minimum of " + oneDecimal(field.Min) + " "
                + field.Unit;
        if (value > field.Max)
            return std::string(field.Name) + ": " + text + " is above the maximum of " + oneDecimal(field.Max) + " "
                + field.Unit;
    }
    return std::nullopt;
}

bool readInt(std::string_view text, int& value)
{
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

std::optional<double> parseDate(const std::string& text)
{
    int year = 0, month = 0, day = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !readInt(std::string_view(text).substr(0, 4), year)
        || !readInt(std::string_view(text).substr(5, 2), month) || !readInt(std::string_view(text).substr(8, 2), day))
        return std::nullopt;
    return DateUtilsBD2006::EncodeDate(year, month, day);
}

std::optional<double> parseTime(const std::string& text)
{
    int hour = 0, minute = 0;
    if (text.size() != 5 || text[2] != ':' || !readInt(std::string_view(text).substr(0, 2), hour)
        || !readInt(std::string_view(text).substr(3, 2), minute))
        return std::nullopt;
    return DateUtilsBD2006::EncodeTime(hour, minute, 0, 0);
}

std::optional<std::string> isoDateTime(double dateTime)
{
    const auto date = DateUtilsBD2006::DecodeDate(dateTime);
    const auto time = DateUtilsBD2006::DecodeTime(dateTime);
    if (!date || !time)
        return std::nullopt;
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", date->Year, date->Month, date->Day, time->Hour,
        time->Minute, time->Second);
    return text;
}

// The engine's value for a class named on the command line, as the desktop
// program's buttons copy it.
std::optional<double> pickClass(
    const std::string& name, const std::array<const char*, 3>& names, const std::array<double, 3>& values)
{
    for (std::size_t n = 0; n < names.size(); ++n)
        if (name == names[n])
            return values[n];
    return std::nullopt;
}

std::string engineFailureText(const std::string& code, const TPICHourCls& engine)
{
    if (code == TPICHourCls::FailureTooThin)
        return "the total thickness of all layers is below the limit of " + oneDecimal(engine.MinTotalThickness)
            + " cm";
    if (code == TPICHourCls::FailureUnstable)
        return "the materials' parameters do not allow a stable computation";
    if (code == TPICHourCls::FailureTooLong)
        return "the new layer does not cool down to the reopening temperature within "
            + FormatDuration(TPICHourCls::MaxSteps * TPICHourCls::TimeStep)
            + "; check the reopening, laying and bottom temperatures";
    return code;
}

}  // namespace

int ExitCodeOf(TCliStatus status)
{
    switch (status) {
    case TCliStatus::Ok:
        return 0;
    case TCliStatus::Malformed:
    case TCliStatus::Refused:
        return 2;
    case TCliStatus::EngineFailure:
        return 3;
    }
    return 3;
}

std::string FormatDuration(double seconds)
{
    const auto whole = static_cast<long long>(std::trunc(std::fabs(seconds) < 1e15 ? seconds : 0.0));
    return std::to_string(whole / 3600) + " h " + std::to_string(whole % 3600 / 60) + " min "
        + std::to_string(whole % 60) + " s";
}

TCliOutcome RunScenario(const TCliScenario& scenario)
{
    TCliOutcome outcome;
    TPICHourCls engine;

    const TBoundedField fields[] = {
        {"thickness", "cm", engine.ThicknessMin, engine.ThicknessMax, engine.ThicknessSteps()},
        {"laying temperature", "degC", engine.LayingTempMin, engine.LayingTempMax, engine.LayingTempSteps()},
        {"reopening temperature", "degC", engine.ReopenTempMin, engine.ReopenTempMax, engine.ReopenTempSteps()},
    };
    const std::string* texts[] = {&scenario.Thickness, &scenario.LayingTemp, &scenario.ReopenTemp};
    double* values[] = {&outcome.ThicknessCm, &outcome.LayingTemp, &outcome.ReopenTemp};
    for (std::size_t n = 0; n < 3; ++n) {
        bool malformed = false;
        if (auto refusal = checkField(fields[n], *texts[n], *values[n], malformed))
            return failed(outcome, malformed ? TCliStatus::Malformed : TCliStatus::Refused, *refusal);
    }

    const std::optional<double> wind = pickClass(scenario.Wind, {"feeble", "moderate", "strong"},
        {engine.WindSpeedFeeble, engine.WindSpeedModerate, engine.WindSpeedStrong});
    if (!wind)
        return failed(
            outcome, TCliStatus::Malformed, "wind: \"" + scenario.Wind + "\" is not feeble, moderate or strong");
    engine.WindSpeed = *wind;

    const std::optional<double> cloud = pickClass(scenario.Cloud, {"clear", "partial", "covered"},
        {engine.CloudCoverClear, engine.CloudCoverPartial, engine.CloudCoverOvercast});
    if (!cloud)
        return failed(
            outcome, TCliStatus::Malformed, "cloud: \"" + scenario.Cloud + "\" is not clear, partial or covered");
    engine.CloudCover = *cloud;

    const auto date = parseDate(scenario.Date);
    if (!date)
        return failed(outcome, TCliStatus::Malformed, "date: \"" + scenario.Date + "\" is not a date YYYY-MM-DD");
    const auto time = parseTime(scenario.Time);
    if (!time)
        return failed(outcome, TCliStatus::Malformed, "time: \"" + scenario.Time + "\" is not a time HH:MM");

    if (scenario.Clock == "auto")
        engine.SummerTime = !IsWinterTime(*date);
    else if (scenario.Clock == "summer" || scenario.Clock == "winter")
        engine.SummerTime = scenario.Clock == "summer";
    else
        return failed(
            outcome, TCliStatus::Malformed, "clock: \"" + scenario.Clock + "\" is not auto, summer or winter");
    outcome.SummerTime = engine.SummerTime;

    for (const TCliLayerOverride& layer : scenario.Layers) {
        if (layer.Index < 1 || layer.Index >= engine.Layers.Count())
            return failed(outcome, TCliStatus::Malformed,
                "layer: " + std::to_string(layer.Index) + " is not an existing layer (1 or 2)");
        TRoadLayerCls& target = engine.Layers.Items(layer.Index);
        target.SetThicknessCm(layer.ThicknessCm);
        target.HeatCapacity = layer.HeatCapacity;
        target.Conductivity = layer.Conductivity;
        target.Density = layer.Density;
    }
    if (scenario.BottomTemp)
        engine.BottomTemp = *scenario.BottomTemp;
    outcome.BottomTemp = engine.BottomTemp;

    engine.Layers.Items(0).SetThicknessCm(outcome.ThicknessCm);
    engine.LayingTemp = outcome.LayingTemp;
    engine.ReopenTemp = outcome.ReopenTemp;

    const double laying = TheTimeUtilsCls::JoinDateAndTime(*date, *time);
    outcome.Laying = isoDateTime(laying);
    TNullProgressBar noProgress;
    try {
        engine.Compute(noProgress, *date, *time);
    } catch (const std::exception& error) {
        outcome.Error = error.what();
        return failed(outcome, TCliStatus::EngineFailure, engineFailureText(outcome.Error, engine));
    }
    outcome.ResultSeconds = engine.ResultSeconds;
    outcome.Reopening = isoDateTime(TheTimeUtilsCls::AddDuration(laying, engine.ResultSeconds));
    outcome.DayOfYear = engine.DayOfYear;
    outcome.ClockOffset = engine.ClockOffset;
    outcome.EquationOfTime = engine.EquationOfTime;
    outcome.StartSolarTime = engine.StartSolarTime;
    outcome.Limits = engine.Limits;
    if (!outcome.Reopening)
        return failed(outcome, TCliStatus::Refused,
            "the reopening falls after 9999-12-31T23:59:59, the last moment the calendar holds");
    return outcome;
}
