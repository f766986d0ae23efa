#include "WeatherSource.h"

#include "Csv.h"
#include "DateUtilsBD2006.h"
#include "WallClock.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

constexpr std::int64_t SecondsPerDay = 86400;
constexpr std::int64_t SecondsPerHour = 3600;
constexpr std::int64_t SecondsPerMinute = 60;

struct TQuantity {
    const char* CsvName;
    const char* Label;
    const char* Unit;
    double Min;
    double Max;
    std::vector<TWeatherSample> TWeatherSource::*Series;
};

const TQuantity Quantities[] = {
    {"air_temp", "air temperature", "degC", WeatherSource::AirTempMin, WeatherSource::AirTempMax,
        &TWeatherSource::AirTemp},
    {"wind_speed", "wind speed", "m/s", WeatherSource::WindSpeedMin, WeatherSource::WindSpeedMax,
        &TWeatherSource::WindSpeed},
    {"cloud_cover", "cloud cover", "%", WeatherSource::CloudCoverMin, WeatherSource::CloudCoverMax,
        &TWeatherSource::CloudCover},
};

[[noreturn]] void refuse(const std::string& file, const std::string& where, const std::string& reason)
{
    throw TWeatherError(file + ": " + (where.empty() ? "" : where + ": ") + reason);
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The shortest text that reads back as value: a value just past a limit
// must not print as the limit.
std::string numberText(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

void addSample(TWeatherSource& source, const TQuantity& quantity, const TWeatherMoment& moment, double value,
    const std::string& where)
{
    if (!std::isfinite(value) || value < quantity.Min || value > quantity.Max)
        refuse(source.File, where,
            quantity.Label + std::string(" ") + numberText(value) + " " + quantity.Unit + " outside "
                + numberText(quantity.Min) + " to " + numberText(quantity.Max));
    auto& series = source.*quantity.Series;
    if (series.size() >= WeatherSource::MaxPoints)
        refuse(source.File, where, std::string("more than 10000 points of ") + quantity.Label);
    series.push_back({moment, value, where});
}

std::optional<double> parseNumber(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size())
        return std::nullopt;
    return value;
}

// Digits only, exactly count of them.
std::optional<int> digits(const std::string& text, std::size_t at, std::size_t count)
{
    if (at + count > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t n = at; n < at + count; ++n) {
        if (text[n] < '0' || text[n] > '9')
            return std::nullopt;
        value = value * 10 + (text[n] - '0');
    }
    return value;
}

void readCsv(const std::string& text, TWeatherSource& source, std::vector<std::string> header, int headerLine,
    TCsvReader& reader)
{
    (void)text;
    std::optional<std::size_t> timeColumn;
    std::optional<std::size_t> columns[3];
    for (std::size_t c = 0; c < header.size(); ++c) {
        const std::string name = trimmed(header[c]);
        if (name == "time")
            timeColumn = c;
        for (std::size_t q = 0; q < 3; ++q)
            if (name == Quantities[q].CsvName)
                columns[q] = c;
    }
    if (!timeColumn)
        refuse(source.File, "line " + std::to_string(headerLine), "unknown format: no time column");
    if (!columns[0] && !columns[1] && !columns[2])
        refuse(source.File, "line " + std::to_string(headerLine), "no air_temp, wind_speed or cloud_cover column");
    while (auto record = reader.Next()) {
        const std::string where = "line " + std::to_string(record->Line);
        if (record->UnclosedQuote)
            refuse(source.File, where, "quoted field not closed");
        const auto cell = [&](std::size_t c) { return c < record->Fields.size() ? trimmed(record->Fields[c]) : ""; };
        const std::string timeText = cell(*timeColumn);
        const auto moment = WeatherSource::ParseMoment(timeText);
        if (!moment)
            refuse(source.File, where, "moment \"" + timeText + "\" does not parse");
        for (std::size_t q = 0; q < 3; ++q) {
            if (!columns[q])
                continue;
            const std::string valueText = cell(*columns[q]);
            if (valueText.empty())
                continue;
            const auto value = parseNumber(valueText);
            if (!value)
                refuse(
                    source.File, where, std::string(Quantities[q].CsvName) + " \"" + valueText + "\" is not a number");
            addSample(source, Quantities[q], *moment, *value, where);
        }
    }
    for (std::size_t q = 0; q < 3; ++q)
        if (columns[q] && (source.*Quantities[q].Series).empty())
            refuse(source.File, "", std::string(Quantities[q].CsvName) + " has no points");
}

void readForecast(const std::string& text, TWeatherSource& source)
{
    using nlohmann::json;
    json root;
    try {
        root = json::parse(text);
    } catch (const json::exception& error) {
        refuse(source.File, "", std::string("not valid JSON: ") + error.what());
    }
    if (!root.is_object() || !root.contains("hourly") || !root["hourly"].is_object())
        refuse(source.File, "", "unknown format: no hourly forecast");
    const json& hourly = root["hourly"];
    if (!hourly.contains("time") || !hourly["time"].is_array())
        refuse(source.File, "", "unknown format: no hourly.time");
    std::int64_t offset = 0;
    if (root.contains("utc_offset_seconds")) {
        // Compared in its own type before any negation or conversion: an
        // unsigned 2^64 - 1 must not wrap to -1, nor -2^63 overflow.
        constexpr std::int64_t MaxOffset = 18 * SecondsPerHour;
        const json& given = root["utc_offset_seconds"];
        const bool within = given.is_number_unsigned()
            ? given.get<std::uint64_t>() <= static_cast<std::uint64_t>(MaxOffset)
            : given.is_number_integer() && given.get<std::int64_t>() >= -MaxOffset
                && given.get<std::int64_t>() <= MaxOffset;
        if (!within)
            refuse(source.File, "", "utc_offset_seconds is not an offset of whole seconds within 18 h of UTC");
        offset = given.get<std::int64_t>();
    }
    const json& times = hourly["time"];
    std::vector<TWeatherMoment> moments;
    for (std::size_t n = 0; n < times.size(); ++n) {
        const std::string where = "hourly.time[" + std::to_string(n) + "]";
        const auto moment
            = times[n].is_string() ? WeatherSource::ParseMoment(times[n].get<std::string>()) : std::nullopt;
        if (!moment)
            refuse(source.File, where, "moment " + times[n].dump() + " does not parse");
        moments.push_back(*moment);
        if (!moments.back().OffsetSeconds)
            moments.back().OffsetSeconds = offset;
    }
    const char* keys[] = {"temperature_2m", "wind_speed_10m", "cloud_cover"};
    bool any = false;
    for (std::size_t q = 0; q < 3; ++q) {
        if (!hourly.contains(keys[q]))
            continue;
        any = true;
        const json& values = hourly[keys[q]];
        const std::string name = std::string("hourly.") + keys[q];
        if (!values.is_array() || values.size() != moments.size())
            refuse(source.File, "", name + " is not an array of one value per moment of hourly.time");
        double divisor = 1.0;
        if (q == 1) {
            const json* unit = root.contains("hourly_units") && root["hourly_units"].is_object()
                    && root["hourly_units"].contains(keys[q])
                ? &root["hourly_units"][keys[q]]
                : nullptr;
            const std::string unitText = unit && unit->is_string() ? unit->get<std::string>() : "";
            if (unitText == "km/h")
                divisor = 3.6;
            else if (unitText != "m/s")
                refuse(source.File, "", "wind speed unit \"" + unitText + "\" is neither m/s nor km/h");
        }
        for (std::size_t n = 0; n < values.size(); ++n) {
            const std::string where = name + "[" + std::to_string(n) + "]";
            if (values[n].is_null())
                continue;
            if (!values[n].is_number())
                refuse(source.File, where, values[n].dump() + " is not a number");
            addSample(source, Quantities[q], moments[n], values[n].get<double>() / divisor, where);
        }
        if ((source.*Quantities[q].Series).empty())
            refuse(source.File, "", name + " has no points");
    }
    if (!any)
        refuse(source.File, "", "no temperature_2m, wind_speed_10m or cloud_cover in hourly");
}

}  // namespace

std::int64_t UtcSecondsOf(const TWeatherMoment& moment, TClockMode clock)
{
    if (moment.OffsetSeconds)
        return moment.CivilSeconds - *moment.OffsetSeconds;
    const double wall = static_cast<double>(moment.CivilSeconds) / static_cast<double>(SecondsPerDay);
    return moment.CivilSeconds - WallClock::WallOffsetHours(wall, clock) * SecondsPerHour;
}

std::int64_t LayingUtcSeconds(const TScenario& scenario)
{
    const auto date = DateUtilsBD2006::DecodeDate(scenario.LayingDate);
    const auto time = DateUtilsBD2006::DecodeTime(scenario.LayingTime);
    if (!date || !time)
        throw std::invalid_argument("the laying date or time cannot be decomposed");
    const double day = *DateUtilsBD2006::EncodeDate(date->Year, date->Month, date->Day);
    const std::int64_t civil = static_cast<std::int64_t>(day) * SecondsPerDay + time->Hour * SecondsPerHour
        + time->Minute * SecondsPerMinute;
    return civil - WallClock::OffsetHours(SummerTimeOf(scenario)) * SecondsPerHour;
}

namespace WeatherSource {

std::optional<TWeatherMoment> ParseMoment(const std::string& text)
{
    // YYYY-MM-DDTHH:MM
    if (text.size() < 16 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':')
        return std::nullopt;
    const auto year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
    const auto hour = digits(text, 11, 2), minute = digits(text, 14, 2);
    std::size_t at = 16;
    std::optional<int> second = 0;
    if (at < text.size() && text[at] == ':') {
        second = digits(text, at + 1, 2);
        at += 3;
    }
    if (!year || !month || !day || !hour || !minute || !second || *year < 1900)
        return std::nullopt;
    const auto date = DateUtilsBD2006::EncodeDate(*year, *month, *day);
    if (!date || !DateUtilsBD2006::EncodeTime(*hour, *minute, *second, 0))
        return std::nullopt;
    TWeatherMoment moment;
    moment.CivilSeconds = static_cast<std::int64_t>(*date) * SecondsPerDay + *hour * SecondsPerHour
        + *minute * SecondsPerMinute + *second;
    if (at == text.size())
        return moment;
    if (text[at] == 'Z' && at + 1 == text.size()) {
        moment.OffsetSeconds = 0;
        return moment;
    }
    if ((text[at] != '+' && text[at] != '-') || text.size() != at + 6 || text[at + 3] != ':')
        return std::nullopt;
    const auto offsetHours = digits(text, at + 1, 2), offsetMinutes = digits(text, at + 4, 2);
    if (!offsetHours || !offsetMinutes || *offsetHours > 23 || *offsetMinutes > 59)
        return std::nullopt;
    moment.OffsetSeconds = (text[at] == '-' ? -1 : 1) * (*offsetHours * 3600 + *offsetMinutes * 60);
    return moment;
}

TWeatherSource ReadText(const std::string& text, const std::string& file)
{
    TWeatherSource source;
    source.File = file;
    std::size_t first = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    first = text.find_first_not_of(" \t\r\n", first);
    if (first == std::string::npos)
        refuse(file, "", "unknown format: the file is empty");
    if (text[first] == '{') {
        readForecast(text, source);
        return source;
    }
    std::istringstream in(text);
    TCsvReader reader(in);
    auto header = reader.Next();
    if (!header)
        refuse(file, "", "unknown format: the file is empty");
    readCsv(text, source, header->Fields, header->Line, reader);
    return source;
}

TWeatherSource ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (!in || !(text << in.rdbuf()))
        refuse(path, "", "cannot be read");
    return ReadText(text.str(), path);
}

TWeatherTimeline TimelineFor(const TWeatherSource& source, const TScenario& scenario)
{
    const std::int64_t laying = LayingUtcSeconds(scenario);
    TWeatherTimeline timeline;
    std::optional<TWeatherSeries>* targets[] = {&timeline.AirTemp, &timeline.WindSpeed, &timeline.CloudCover};
    for (std::size_t q = 0; q < 3; ++q) {
        const auto& samples = source.*Quantities[q].Series;
        if (samples.empty())
            continue;
        std::vector<TWeatherPoint> points;
        points.reserve(samples.size());
        std::optional<std::int64_t> previous;
        for (const TWeatherSample& sample : samples) {
            const std::int64_t utc = UtcSecondsOf(sample.Moment, scenario.Clock);
            if (previous && utc <= *previous)
                refuse(source.File, sample.Where,
                    std::string(Quantities[q].Label) + " moment not after the one before it");
            previous = utc;
            points.push_back({static_cast<double>(utc - laying), sample.Value});
        }
        *targets[q] = TWeatherSeries(std::move(points));
    }
    return timeline;
}

}  // namespace WeatherSource
