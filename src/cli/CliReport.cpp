#include "CliReport.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ostream>

std::string JsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string JsonString(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

namespace {

template<typename T> std::string jsonOptional(const std::optional<T>& value)
{
    if (!value)
        return "null";
    if constexpr (std::is_same_v<T, std::string>)
        return JsonString(*value);
    else
        return JsonNumber(static_cast<double>(*value));
}

}  // namespace

void WriteTextReport(std::ostream& out, std::ostream& err, const TCliOutcome& outcome)
{
    if (outcome.Status != TCliStatus::Ok) {
        err << "kelvara-calc: " << outcome.Message;
        if (!outcome.Error.empty() && outcome.Message != outcome.Error)
            err << " (" << outcome.Error << ")";
        err << '\n';
        return;
    }
    out << "Laying:    " << outcome.Laying.value_or("?") << '\n'
        << "Reopening: " << outcome.Reopening.value_or("?") << '\n'
        << "Duration:  " << FormatDuration(outcome.ResultSeconds.value_or(0.0)) << '\n';
}

void WriteJsonReport(std::ostream& out, const TCliScenario& scenario, const TCliOutcome& outcome)
{
    out << "{\"inputs\":{"
        << "\"thickness\":" << JsonString(scenario.Thickness) << ",\"laying_temp\":" << JsonString(scenario.LayingTemp)
        << ",\"reopen_temp\":" << JsonString(scenario.ReopenTemp) << ",\"wind\":" << JsonString(scenario.Wind)
        << ",\"cloud\":" << JsonString(scenario.Cloud) << ",\"date\":" << JsonString(scenario.Date)
        << ",\"time\":" << JsonString(scenario.Time) << ",\"clock\":" << JsonString(scenario.Clock);
    if (outcome.Status != TCliStatus::Malformed && outcome.Status != TCliStatus::Refused)
        out << ",\"summer_time\":" << (outcome.SummerTime ? "true" : "false")
            << ",\"bottom_temp\":" << JsonNumber(outcome.BottomTemp);
    out << ",\"layers\":[";
    for (std::size_t n = 0; n < scenario.Layers.size(); ++n) {
        const TCliLayerOverride& l = scenario.Layers[n];
        out << (n ? "," : "") << "{\"index\":" << l.Index << ",\"thickness_cm\":" << JsonNumber(l.ThicknessCm)
            << ",\"heat_capacity\":" << JsonNumber(l.HeatCapacity) << ",\"conductivity\":" << JsonNumber(l.Conductivity)
            << ",\"density\":" << JsonNumber(l.Density) << "}";
    }
    out << "]}";
    out << ",\"result_seconds\":" << jsonOptional(outcome.ResultSeconds)
        << ",\"laying\":" << jsonOptional(outcome.Laying) << ",\"reopening\":" << jsonOptional(outcome.Reopening)
        << ",\"day_of_year\":" << jsonOptional(outcome.DayOfYear)
        << ",\"clock_offset\":" << jsonOptional(outcome.ClockOffset)
        << ",\"equation_of_time\":" << jsonOptional(outcome.EquationOfTime)
        << ",\"start_solar_time\":" << jsonOptional(outcome.StartSolarTime) << ",\"limits\":[";
    for (std::size_t n = 0; n < outcome.Limits.size(); ++n)
        out << (n ? "," : "") << outcome.Limits[n];
    out << "]";
    if (outcome.Status != TCliStatus::Ok)
        out << ",\"error\":"
            << JsonString(!outcome.Error.empty()               ? outcome.Error
                       : outcome.Status == TCliStatus::Refused ? "refused"
                                                               : "malformed")
            << ",\"message\":" << JsonString(outcome.Message);
    out << "}\n";
}
