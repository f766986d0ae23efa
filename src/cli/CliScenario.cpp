#include "CliScenario.h"

#include "CliLifts.h"
#include "CliReport.h"
#include "DateUtilsBD2006.h"
#include "NumberText.h"
#include "PICHourCls.h"
#include "RegionalSettingsCls.h"
#include "ScenarioInputs.h"
#include "ScenarioRun.h"
#include "TheTimeUtilsCls.h"
#include "WallClock.h"
#include "WeatherSource.h"

#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace {

// The command line reads a point as its own separator; a comma is taken
// through the parser's exchange.
constexpr char CliDecimalSeparator = '.';

std::string oneDecimal(double value)
{
    return NumberText::Fixed(value, 1);
}

TCliOutcome failed(TCliOutcome outcome, TCliStatus status, std::string message)
{
    outcome.Status = status;
    outcome.SuggestHelp = status == TCliStatus::Malformed;
    outcome.Message = std::move(message);
    return outcome;
}

// "NAME: TEXT is below the minimum of LIMIT UNIT" and the like; nothing when
// the value passes the one check of the scenario's inputs.
std::optional<std::string> checkField(
    const TPICHourCls& engine, TScenarioInput input, const std::string& text, double& value, bool& malformed)
{
    static constexpr const char* Names[] = {"thickness", "laying temperature", "reopening temperature"};
    static constexpr const char* Units[] = {"cm", "degC", "degC"};
    const auto index = static_cast<std::size_t>(input);
    TRegionalSettingsCls parser;
    value = parser.ParseReal(text, CliDecimalSeparator);
    const bool readable = parser.ErrorCode == TRegionalSettingsCls::Success && !std::isnan(value);
    malformed = !readable;
    const auto refusal = ScenarioInputs::Check(engine, input, readable ? value : std::nan(""));
    if (!refusal)
        return std::nullopt;
    const std::string name = Names[index];
    const TInputLimits limits = ScenarioInputs::LimitsOf(engine, input);
    switch (*refusal) {
    case TInputRefusal::NotAReal:
        return name + ": cannot read \"" + text + "\" as a number";
    case TInputRefusal::BelowMinimum:
        return name + ": " + text + " is below the minimum of " + oneDecimal(limits.Min) + " " + Units[index];
    case TInputRefusal::AboveMaximum:
        break;
    }
    return name + ": " + text + " is above the maximum of " + oneDecimal(limits.Max) + " " + Units[index];
}

bool readInt(std::string_view text, int& value)
{
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::optional<double> ParseCliDate(const std::string& text)
{
    int year = 0, month = 0, day = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !readInt(std::string_view(text).substr(0, 4), year)
        || !readInt(std::string_view(text).substr(5, 2), month) || !readInt(std::string_view(text).substr(8, 2), day))
        return std::nullopt;
    return DateUtilsBD2006::EncodeDate(year, month, day);
}

std::optional<double> ParseCliTime(const std::string& text)
{
    int hour = 0, minute = 0;
    if (text.size() != 5 || text[2] != ':' || !readInt(std::string_view(text).substr(0, 2), hour)
        || !readInt(std::string_view(text).substr(3, 2), minute))
        return std::nullopt;
    return DateUtilsBD2006::EncodeTime(hour, minute, 0, 0);
}

namespace {

std::string engineFailureText(const std::string& code)
{
    if (code == TPICHourCls::FailureTooThin)
        return "the total thickness of all layers is below the limit of " + oneDecimal(TPICHourCls().MinTotalThickness)
            + " cm";
    if (code == TPICHourCls::FailureUnstable)
        return "the materials' parameters do not allow a stable computation";
    if (code == TPICHourCls::FailureTooLong)
        return "the new layer does not cool down to the reopening temperature within "
            + FormatDuration(TPICHourCls::MaxSteps * TPICHourCls::TimeStep)
            + "; check the reopening, laying and bottom temperatures";
    if (code == TRunOutcome::ReopeningOutOfRange)
        return "the reopening falls after 9999-12-31T23:59:59, the last moment the calendar holds";
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

std::optional<double> ReadCliNumber(const std::string& text)
{
    TRegionalSettingsCls parser;
    const double value = parser.ParseReal(text, CliDecimalSeparator);
    if (parser.ErrorCode != TRegionalSettingsCls::Success || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

// The weather constants, the file and the compaction-end temperature; a
// refusal names what is wrong.
std::optional<std::pair<TCliStatus, std::string>> readWeather(
    const TCliScenario& scenario, TScenario& read, TCliOutcome& outcome)
{
    struct TWeatherField {
        const char* Name;
        const char* Unit;
        double Min, Max;
        const std::string* Text;
        std::optional<double>* Target;
        std::optional<double>* Echo;
        bool InFile;
    };
    const TWeatherSource* file = scenario.Weather.get();
    outcome.WindGiven = !scenario.WindSpeed.empty() || (file && !file->WindSpeed.empty());
    outcome.CloudGiven = !scenario.CloudCover.empty() || (file && !file->CloudCover.empty());
    const TWeatherField fields[] = {
        {"air temperature", "degC", WeatherSource::AirTempMin, WeatherSource::AirTempMax, &scenario.AirTemp,
            &read.AirTemp, &outcome.AirTemp, file && !file->AirTemp.empty()},
        {"wind speed", "m/s", WeatherSource::WindSpeedMin, WeatherSource::WindSpeedMax, &scenario.WindSpeed,
            &read.WindSpeed, &outcome.WindSpeed, file && !file->WindSpeed.empty()},
        {"cloud cover", "%", WeatherSource::CloudCoverMin, WeatherSource::CloudCoverMax, &scenario.CloudCover,
            &read.CloudCover, &outcome.CloudCover, file && !file->CloudCover.empty()},
        {"compaction temperature", "degC", TPICHourCls::CompactionTempMin, TPICHourCls::CompactionTempMax,
            &scenario.CompactionTemp, nullptr, &outcome.CompactionTemp, false},
    };
    // Every readable value is echoed as a number, also past a refusal.
    for (const TWeatherField& field : fields)
        *field.Echo = ReadCliNumber(*field.Text);
    for (const TWeatherField& field : fields) {
        if (field.Text->empty())
            continue;
        const auto value = ReadCliNumber(*field.Text);
        if (!value)
            return std::pair(
                TCliStatus::Malformed, std::string(field.Name) + ": cannot read \"" + *field.Text + "\" as a number");
        if (*value < field.Min || *value > field.Max)
            return std::pair(TCliStatus::Refused,
                std::string(field.Name) + ": " + *field.Text + " " + field.Unit + " is outside " + JsonNumber(field.Min)
                    + " to " + JsonNumber(field.Max) + " " + field.Unit);
        if (field.InFile)
            return std::pair(TCliStatus::Refused,
                std::string(field.Name) + ": given both as a value and as a series of " + file->File);
        if (field.Target)
            *field.Target = *value;
        else
            read.CompactionTemp = *value;
    }
    read.Weather = scenario.Weather;
    if (read.Weather) {
        try {
            WeatherSource::TimelineFor(*read.Weather, read);
        } catch (const std::exception& error) {
            return std::pair(TCliStatus::Refused, std::string(error.what()));
        }
    }
    return std::nullopt;
}

}  // namespace

TCliReading ReadScenario(const TCliScenario& scenario)
{
    TCliReading reading;
    TCliOutcome& outcome = reading.Outcome;
    const TPICHourCls engine;
    // The weather asked for, which a refusal must not report as the classes.
    outcome.Weather = scenario.Weather                                                             ? "timeline"
        : !scenario.AirTemp.empty() || !scenario.WindSpeed.empty() || !scenario.CloudCover.empty() ? "values"
                                                                                                   : "classes";

    // In the desktop frame's order.
    constexpr TScenarioInput inputs[]
        = {TScenarioInput::Thickness, TScenarioInput::LayingTemp, TScenarioInput::ReopenTemp};
    const std::string* texts[] = {&scenario.Thickness, &scenario.LayingTemp, &scenario.ReopenTemp};
    std::optional<double>* values[] = {&outcome.ThicknessCm, &outcome.LayingTemp, &outcome.ReopenTemp};
    for (std::size_t n = 0; n < 3; ++n) {
        bool malformed = false;
        double value = 0.0;
        const auto refusal = checkField(engine, inputs[n], *texts[n], value, malformed);
        if (!malformed)
            *values[n] = value;
        if (refusal) {
            outcome = failed(outcome, malformed ? TCliStatus::Malformed : TCliStatus::Refused, *refusal);
            return reading;
        }
    }

    TScenario read;
    read.ThicknessCm = *outcome.ThicknessCm;
    read.LayingTemp = *outcome.LayingTemp;
    read.ReopenTemp = *outcome.ReopenTemp;
    const auto wind = WindClassNamed(scenario.Wind);
    const auto cloud = CloudClassNamed(scenario.Cloud);
    if (!wind || !cloud) {
        outcome = failed(outcome, TCliStatus::Malformed,
            !wind ? "wind: \"" + scenario.Wind + "\" is not feeble, moderate or strong"
                  : "cloud: \"" + scenario.Cloud + "\" is not clear, partial or covered");
        return reading;
    }
    read.Wind = *wind;
    read.Cloud = *cloud;

    const auto date = ParseCliDate(scenario.Date);
    if (!date) {
        outcome = failed(outcome, TCliStatus::Malformed, "date: \"" + scenario.Date + "\" is not a date YYYY-MM-DD");
        return reading;
    }
    const auto time = ParseCliTime(scenario.Time);
    if (!time) {
        outcome = failed(outcome, TCliStatus::Malformed, "time: \"" + scenario.Time + "\" is not a time HH:MM");
        return reading;
    }
    read.LayingDate = *date;
    read.LayingTime = *time;
    const auto clock = ClockModeNamed(scenario.Clock);
    if (!clock) {
        outcome
            = failed(outcome, TCliStatus::Malformed, "clock: \"" + scenario.Clock + "\" is not auto, summer or winter");
        return reading;
    }
    read.Clock = *clock;
    outcome.SummerTime = SummerTimeOf(read);
    if (!WallClock::LayingExists(read)) {
        outcome = failed(outcome, TCliStatus::Refused,
            "time: " + scenario.Time + " does not exist on " + scenario.Date
                + ": the legal clock goes from 02:00 winter time to 03:00 summer time (--clock summer or winter "
                  "force one clock)");
        return reading;
    }

    for (const TCliLayerOverride& layer : scenario.Layers)
        if (layer.Index < 1 || layer.Index >= engine.Layers.Count()) {
            outcome = failed(outcome, TCliStatus::Malformed,
                "layer: " + std::to_string(layer.Index) + " is not an existing layer (1 or 2)");
            return reading;
        }
    if (auto refusal = ReadLifts(scenario.Lifts, read)) {
        outcome = failed(outcome, refusal->first, refusal->second);
        return reading;
    }
    if (scenario.RoadWarmth != "true" && scenario.RoadWarmth != "false") {
        outcome = failed(
            outcome, TCliStatus::Malformed, "road warmth: \"" + scenario.RoadWarmth + "\" is not true or false");
        return reading;
    }
    read.RoadWarmth = outcome.RoadWarmth = scenario.RoadWarmth == "true";

    read.Layers = scenario.Layers;
    read.BottomTemp = scenario.BottomTemp;
    outcome.BottomTemp = scenario.BottomTemp.value_or(engine.BottomTemp);
    if (auto refusal = readWeather(scenario, read, outcome)) {
        outcome = failed(outcome, refusal->first, refusal->second);
        return reading;
    }
    outcome.Laying = IsoDateTime(TheTimeUtilsCls::JoinDateAndTime(*date, *time));
    reading.Scenario = std::move(read);
    return reading;
}

TCliOutcome RefusedFileOutcome(const TCliScenario& scenario, bool weatherFile, std::string message)
{
    TCliScenario withoutFile = scenario;
    withoutFile.Weather.reset();
    TCliOutcome outcome = ReadScenario(withoutFile).Outcome;
    outcome.Error.clear();
    if (weatherFile)
        outcome.Weather = "timeline";
    return failed(outcome, TCliStatus::Refused, std::move(message));
}

void AddRun(TCliOutcome& outcome, const TRunOutcome& run)
{
    outcome.Laying = IsoDateTime(run.Laying);
    if (!run.Limits.empty()) {
        outcome.DayOfYear = run.DayOfYear;
        outcome.ClockOffset = run.ClockOffset;
        outcome.EquationOfTime = run.EquationOfTime;
        outcome.StartSolarTime = run.StartSolarTime;
        outcome.Limits = run.Limits;
    }
    if (run.Failure == TRunOutcome::WeatherNotCoveringLaying) {
        const std::string from = IsoDateTime(run.Wall(run.WeatherFrom.value_or(run.Laying)).Moment).value_or("?");
        const std::string until = IsoDateTime(run.Wall(run.WeatherUntil.value_or(run.Laying)).Moment).value_or("?");
        outcome.WeatherFrom = from;
        outcome.WeatherUntil = until;
        outcome.WeatherCoversLaying = false;
        outcome = failed(outcome, TCliStatus::Refused,
            "weather: the timeline (" + from + " to " + until + ") does not cover the laying at "
                + outcome.Laying.value_or("?") + "; no answer is given on values from another time");
        return;
    }
    if (!run.Succeeded()) {
        outcome.Error = run.Failure;
        // A reopening past the calendar is a refused input, not the engine's failure.
        const bool pastCalendar = run.Failure == TRunOutcome::ReopeningOutOfRange;
        outcome = failed(
            outcome, pastCalendar ? TCliStatus::Refused : TCliStatus::EngineFailure, engineFailureText(run.Failure));
        if (pastCalendar)
            outcome.Error.clear();
        return;
    }
    outcome.ResultSeconds = run.ResultSeconds;
    outcome.DurationSeconds = std::trunc(run.ResultSeconds);
    const WallClock::TWallMoment reopening = run.Wall(run.Reopening);
    outcome.Reopening = IsoDateTime(reopening.Moment);
    outcome.ReopeningSummerTime = reopening.SummerTime;
    outcome.Night = run.Night;
    outcome.Weather = run.WeatherKind;
    if (run.WeatherFrom && run.WeatherUntil) {
        outcome.WeatherFrom = IsoDateTime(run.Wall(*run.WeatherFrom).Moment);
        outcome.WeatherUntil = IsoDateTime(run.Wall(*run.WeatherUntil).Moment);
        outcome.WeatherHeld = run.WeatherHeld;
        outcome.WeatherCoversLaying = run.WeatherCoversLaying;
    }
    outcome.ExistingSurfaceTemp = run.ExistingSurfaceTemp;
    for (const TLiftOutcome& lift : run.Lifts) {
        const WallClock::TWallMoment laid = run.Wall(lift.Laid);
        TCliOutcome::TLift& read = outcome.Lifts.emplace_back();
        read.ThicknessCm = lift.ThicknessCm;
        read.LayingTemp = lift.LayingTemp;
        read.Laid = IsoDateTime(laid.Moment).value_or("");
        read.LaidSummerTime = laid.SummerTime;
        read.ElapsedSeconds = lift.ElapsedSeconds;
        read.CompactionSeconds = lift.CompactionSeconds;
        if (lift.CompactionSeconds)
            read.CompactionUntil
                = IsoDateTime(run.Wall(TheTimeUtilsCls::AddDuration(lift.Laid, *lift.CompactionSeconds)).Moment);
        read.BaseMeanTemp = lift.BaseMeanTemp;
    }
    outcome.CompactionSeconds = run.CompactionSeconds;
    if (run.CompactionSeconds)
        outcome.CompactionUntil
            = IsoDateTime(run.Wall(TheTimeUtilsCls::AddDuration(run.Laying, *run.CompactionSeconds)).Moment);
}

TCliOutcome RunCliScenario(const TCliScenario& scenario)
{
    TCliReading reading = ReadScenario(scenario);
    if (reading.Scenario)
        AddRun(reading.Outcome, RunScenario(*reading.Scenario));
    return reading.Outcome;
}
