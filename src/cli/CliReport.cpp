#include "CliReport.h"

#include "Compat.h"
#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

std::string JsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    char text[32];
    const auto result = Compat::ToChars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

namespace {

// Length of the well-formed UTF-8 sequence that starts text, or 0: no
// overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t utf8SequenceLength(std::string_view text)
{
    const auto byte = [&](std::size_t n) { return static_cast<unsigned char>(text[n]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char secondMin = 0x80, secondMax = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            secondMin = 0xA0;
        else if (lead == 0xED)
            secondMax = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            secondMin = 0x90;
        else if (lead == 0xF4)
            secondMax = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < secondMin || byte(1) > secondMax)
        return 0;
    for (std::size_t n = 2; n < length; ++n)
        if (byte(n) < 0x80 || byte(n) > 0xBF)
            return 0;
    return length;
}

template<typename T> std::string jsonOptional(const std::optional<T>& value)
{
    if (!value)
        return "null";
    if constexpr (std::is_same_v<T, std::string>)
        return JsonString(*value);
    else if constexpr (std::is_same_v<T, bool>)
        return *value ? "true" : "false";
    else
        return JsonNumber(static_cast<double>(*value));
}

// Temperatures the site reads to a tenth of a degree.
std::string oneDecimal(const std::optional<double>& value)
{
    return value && std::isfinite(*value) ? NumberText::Fixed(*value, 1) : "null";
}

std::string jsonLifts(const std::vector<TCliOutcome::TLift>& lifts)
{
    std::string json = "[";
    for (std::size_t n = 0; n < lifts.size(); ++n) {
        const TCliOutcome::TLift& lift = lifts[n];
        json += (n ? ",{\"thickness\":" : "{\"thickness\":") + JsonNumber(lift.ThicknessCm)
            + ",\"laying_temp\":" + JsonNumber(lift.LayingTemp) + ",\"laid\":" + JsonString(lift.Laid)
            + ",\"laid_summer_time\":" + (lift.LaidSummerTime ? "true" : "false") + ",\"elapsed_seconds\":"
            + JsonNumber(lift.ElapsedSeconds) + ",\"compaction_seconds\":" + jsonOptional(lift.CompactionSeconds)
            + ",\"compaction_until\":" + jsonOptional(lift.CompactionUntil);
        if (n > 0)
            json += ",\"base_mean_temp\":" + oneDecimal(lift.BaseMeanTemp);
        json += '}';
    }
    return json + ']';
}

// One line per lift once there are several, and the existing road's warmth.
std::string liftLines(const TCliOutcome& outcome)
{
    std::string text;
    if (outcome.RoadWarmth && outcome.ExistingSurfaceTemp)
        text += "Existing road: " + oneDecimal(outcome.ExistingSurfaceTemp)
            + " degC at the surface at the laying, warmed over the two days before\n";
    if (outcome.Lifts.size() < 2)
        return text;
    for (std::size_t n = 0; n < outcome.Lifts.size(); ++n) {
        const TCliOutcome::TLift& lift = outcome.Lifts[n];
        text += "Lift " + std::to_string(n + 1) + ":    " + NumberText::Shortest(lift.ThicknessCm) + " cm at "
            + NumberText::Shortest(lift.LayingTemp) + " degC, laid " + lift.Laid
            + (lift.LaidSummerTime != outcome.SummerTime ? (lift.LaidSummerTime ? " (summer time)" : " (winter time)")
                                                         : "");
        if (n > 0)
            text += " on lift " + std::to_string(n) + " at " + oneDecimal(lift.BaseMeanTemp) + " degC";
        if (lift.CompactionSeconds)
            text += "; compaction until " + lift.CompactionUntil.value_or("?") + " ("
                + FormatDuration(std::trunc(*lift.CompactionSeconds)) + ")";
        else
            text += n + 1 < outcome.Lifts.size() ? "; compaction not ended before the next lift"
                                                 : "; compaction not ended before the run's end";
        text += '\n';
    }
    return text;
}

}  // namespace

std::string JsonString(std::string_view text)
{
    std::string quoted = "\"";
    for (std::size_t n = 0; n < text.size();) {
        const char c = text[n];
        const auto byte = static_cast<unsigned char>(c);
        const std::size_t length = utf8SequenceLength(text.substr(n));
        if (length == 0) {
            quoted += "\\ufffd";
            ++n;
            continue;
        }
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            quoted += escape;
        } else {
            quoted.append(text.substr(n, length));
        }
        n += length;
    }
    return quoted + '"';
}

std::string TextReport(const TCliOutcome& outcome)
{
    // The clock is named where the reopening is written in another than the laying's.
    const bool clockChanged = outcome.ReopeningSummerTime && *outcome.ReopeningSummerTime != outcome.SummerTime;
    const char* clock = !clockChanged ? "" : *outcome.ReopeningSummerTime ? " (summer time)" : " (winter time)";
    return "Laying:    " + outcome.Laying.value_or("?") + "\nReopening: " + outcome.Reopening.value_or("?") + clock
        + (outcome.Night.value_or(false) ? " (at night)" : "")
        + "\nDuration:  " + FormatDuration(outcome.DurationSeconds.value_or(0.0)) + '\n'
        + (outcome.CompactionSeconds ? "Compaction: until " + outcome.CompactionUntil.value_or("?") + " ("
                    + FormatDuration(std::trunc(*outcome.CompactionSeconds)) + ")\n"
                                     : std::string())
        + (outcome.WeatherHeld.value_or(false) ? "Weather:   the timeline ends at " + outcome.WeatherUntil.value_or("?")
                    + "; its last values were held\n"
                                               : std::string())
        + liftLines(outcome);
}

std::string FailureLine(const TCliOutcome& outcome)
{
    std::string line = "kelvara-calc: " + outcome.Message;
    if (!outcome.Error.empty() && outcome.Message != outcome.Error)
        line += " (" + outcome.Error + ")";
    return line + '\n';
}

std::string JsonInputs(const TCliScenario& scenario, const TCliOutcome& outcome)
{
    // A number as read, or the text as typed when it could not be read.
    const auto echo = [](const std::optional<double>& read, const std::string& typed) {
        return read ? JsonNumber(*read) : JsonString(typed);
    };
    std::string json = "\"inputs\":{\"thickness\":" + echo(outcome.ThicknessCm, scenario.Thickness)
        + ",\"laying_temp\":" + echo(outcome.LayingTemp, scenario.LayingTemp)
        + ",\"reopen_temp\":" + echo(outcome.ReopenTemp, scenario.ReopenTemp)
        + ",\"wind\":" + (outcome.WindGiven ? "null" : JsonString(scenario.Wind)) + ",\"cloud\":"
        + (outcome.CloudGiven ? "null" : JsonString(scenario.Cloud)) + ",\"date\":" + JsonString(scenario.Date)
        + ",\"time\":" + JsonString(scenario.Time) + ",\"clock\":" + JsonString(scenario.Clock);
    // The weather constants as the run used them; a class a wind speed or a
    // cloud cover replaced is null above.
    const auto constant = [&echo](const std::optional<double>& read, const std::string& typed) {
        return typed.empty() ? std::string("null") : echo(read, typed);
    };
    json += ",\"air_temp\":" + constant(outcome.AirTemp, scenario.AirTemp)
        + ",\"wind_speed\":" + constant(outcome.WindSpeed, scenario.WindSpeed)
        + ",\"cloud_cover\":" + constant(outcome.CloudCover, scenario.CloudCover)
        + ",\"compaction_temp\":" + constant(outcome.CompactionTemp, scenario.CompactionTemp);
    if (outcome.Status != TCliStatus::Malformed && outcome.Status != TCliStatus::Refused)
        json += std::string(",\"summer_time\":") + (outcome.SummerTime ? "true" : "false")
            + ",\"bottom_temp\":" + JsonNumber(outcome.BottomTemp);
    json += std::string(",\"road_warmth\":") + (scenario.RoadWarmth == "true" ? "true" : "false") + ",\"lifts\":[";
    for (std::size_t n = 0; n < scenario.Lifts.size(); ++n)
        json += (n ? "," : "") + JsonString(scenario.Lifts[n]);
    json += "],\"layers\":[";
    for (std::size_t n = 0; n < scenario.Layers.size(); ++n) {
        const TCliLayerOverride& l = scenario.Layers[n];
        json += (n ? ",{\"index\":" : "{\"index\":") + std::to_string(l.Index)
            + ",\"thickness_cm\":" + JsonNumber(l.ThicknessCm) + ",\"heat_capacity\":" + JsonNumber(l.HeatCapacity)
            + ",\"conductivity\":" + JsonNumber(l.Conductivity) + ",\"density\":" + JsonNumber(l.Density) + "}";
    }
    return json + "]}";
}

std::string JsonResult(const TCliOutcome& outcome)
{
    std::string json = "\"result_seconds\":" + jsonOptional(outcome.ResultSeconds) + ",\"reopening\":"
        + jsonOptional(outcome.Reopening) + ",\"reopening_summer_time\":" + jsonOptional(outcome.ReopeningSummerTime)
        + ",\"duration_seconds\":" + jsonOptional(outcome.DurationSeconds)
        + ",\"night\":" + (outcome.Night ? (*outcome.Night ? "true" : "false") : "null");
    json += ",\"weather\":" + JsonString(outcome.Weather);
    if (outcome.Weather == "timeline")
        json += ",\"weather_from\":" + jsonOptional(outcome.WeatherFrom) + ",\"weather_until\":"
            + jsonOptional(outcome.WeatherUntil) + ",\"weather_held\":" + jsonOptional(outcome.WeatherHeld)
            + ",\"weather_covers_laying\":" + jsonOptional(outcome.WeatherCoversLaying);
    json += ",\"compaction_seconds\":" + jsonOptional(outcome.CompactionSeconds)
        + ",\"compaction_until\":" + jsonOptional(outcome.CompactionUntil);
    json += ",\"existing_surface_temp\":" + oneDecimal(outcome.ExistingSurfaceTemp) + ",\"lifts\":";
    json += outcome.Status == TCliStatus::Ok ? jsonLifts(outcome.Lifts) : std::string("null");
    if (outcome.Status != TCliStatus::Ok)
        json += ",\"error\":"
            + JsonString(!outcome.Error.empty()             ? outcome.Error
                    : outcome.Status == TCliStatus::Refused ? "refused"
                                                            : "malformed")
            + ",\"message\":" + JsonString(outcome.Message);
    return json;
}

std::string JsonReport(const TCliScenario& scenario, const TCliOutcome& outcome)
{
    // Appended piece by piece: g++ 12 at -O3 warns falsely (-Wrestrict) on a
    // literal plus a string.
    std::string json = "{";
    json += JsonInputs(scenario, outcome) + "," + JsonResult(outcome) + ",\"laying\":" + jsonOptional(outcome.Laying)
        + ",\"day_of_year\":" + jsonOptional(outcome.DayOfYear) + ",\"clock_offset\":"
        + jsonOptional(outcome.ClockOffset) + ",\"equation_of_time\":" + jsonOptional(outcome.EquationOfTime)
        + ",\"start_solar_time\":" + jsonOptional(outcome.StartSolarTime) + ",\"limits\":[";
    for (std::size_t n = 0; n < outcome.Limits.size(); ++n) {
        if (n > 0)
            json += ',';
        json += std::to_string(outcome.Limits[n]);
    }
    return json + "]}\n";
}

std::string JsonUsageError(std::string_view message)
{
    return "{\"error\":\"usage\",\"message\":" + JsonString(message) + "}\n";
}
