#include "WeatherSource.h"

#include "Csv.h"
#include "DateUtilsBD2006.h"
#include "LegalClock.h"
#include "NumberText.h"
#include "RegionalSettingsCls.h"
#include "StringTools/StringToolsCls.h"
#include "WallClock.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
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

[[noreturn]] void refuse(
    const std::string& file, const std::string& where, const std::string& reason, TWeatherErrorKind kind)
{
    throw TWeatherError(kind, file + ": " + (where.empty() ? "" : where + ": ") + reason);
}

// Messages quote what the file holds, never more than a few words of it.
std::string excerpt(std::string_view text)
{
    return NumberText::QuotedExcerpt(text);
}

std::string trimmed(const std::string& text)
{
    return std::string(StringToolsCls::Trim(text));
}

void addSample(TWeatherSource& source, const TQuantity& quantity, const TWeatherMoment& moment, double value,
    const std::string& where)
{
    if (!std::isfinite(value) || value < quantity.Min || value > quantity.Max)
        refuse(source.File, where,
            quantity.Label + std::string(" ") + NumberText::Shortest(value) + " " + quantity.Unit + " outside "
                + NumberText::Shortest(quantity.Min) + " to " + NumberText::Shortest(quantity.Max),
            TWeatherErrorKind::OutOfRange);
    auto& series = source.*quantity.Series;
    if (series.size() >= WeatherSource::MaxPoints)
        refuse(source.File, where,
            "more than " + std::to_string(WeatherSource::MaxPoints) + " points of " + quantity.Label,
            TWeatherErrorKind::TooManyPoints);
    series.push_back({moment, value, where});
}

// As the command line reads its numbers, whatever the locale: a point, or a
// comma (which only a quoted cell can hold); no exponent, hex or "inf".
std::optional<double> parseNumber(const std::string& text)
{
    TRegionalSettingsCls parser;
    const double value = parser.ParseReal(text, '.');
    if (parser.ErrorCode != TRegionalSettingsCls::Success)
        return std::nullopt;
    return value;
}

// Brackets nested deeper than the forecast's own few levels are refused
// before parsing: the parsed value, its copies and its destruction would
// otherwise recurse once a level.
bool nestedTooDeep(std::string_view text)
{
    int depth = 0;
    bool inString = false;
    for (std::size_t n = 0; n < text.size(); ++n) {
        const char c = text[n];
        if (inString) {
            if (c == '\\')
                ++n;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > WeatherSource::MaxJsonDepth)
                return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

// What a JSON value is, for a refusal: a string is quoted in part, anything
// else only named (an array may be the whole file).
std::string describe(const nlohmann::json& value)
{
    if (value.is_string())
        return excerpt(value.get_ref<const std::string&>());
    if (value.is_primitive())
        return value.dump();
    return std::string("an ") + value.type_name();
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

void readCsv(TWeatherSource& source, const std::vector<std::string>& header, int headerLine, TCsvReader& reader)
{
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
        refuse(source.File, "line " + std::to_string(headerLine), "unknown format: no time column",
            TWeatherErrorKind::Malformed);
    if (!columns[0] && !columns[1] && !columns[2])
        refuse(source.File, "line " + std::to_string(headerLine), "no air_temp, wind_speed or cloud_cover column",
            TWeatherErrorKind::Malformed);
    while (auto record = reader.Next()) {
        const std::string where = "line " + std::to_string(record->Line);
        if (record->UnclosedQuote)
            refuse(source.File, where, "quoted field not closed", TWeatherErrorKind::Malformed);
        // A value past the header's columns has no name: "2,5" unquoted
        // would otherwise read as 2. Empty trailing cells, as spreadsheets
        // write them, name nothing and pass.
        for (std::size_t c = header.size(); c < record->Fields.size(); ++c)
            if (!trimmed(record->Fields[c]).empty())
                refuse(source.File, where,
                    "the row has " + std::to_string(record->Fields.size()) + " fields, the header "
                        + std::to_string(header.size()) + " (a decimal comma must be quoted)",
                    TWeatherErrorKind::Malformed);
        const auto cell = [&](std::size_t c) { return c < record->Fields.size() ? trimmed(record->Fields[c]) : ""; };
        const std::string timeText = cell(*timeColumn);
        const auto moment = WeatherSource::ParseMoment(timeText);
        if (!moment)
            refuse(source.File, where, "moment " + excerpt(timeText) + " does not parse", TWeatherErrorKind::Malformed);
        for (std::size_t q = 0; q < 3; ++q) {
            if (!columns[q])
                continue;
            const std::string valueText = cell(*columns[q]);
            if (valueText.empty())
                continue;
            const auto value = parseNumber(valueText);
            if (!value)
                refuse(source.File, where,
                    std::string(Quantities[q].CsvName) + " " + excerpt(valueText) + " is not a number",
                    TWeatherErrorKind::Malformed);
            addSample(source, Quantities[q], *moment, *value, where);
        }
    }
    for (std::size_t q = 0; q < 3; ++q)
        if (columns[q] && (source.*Quantities[q].Series).empty())
            refuse(
                source.File, "", std::string(Quantities[q].CsvName) + " has no points", TWeatherErrorKind::Malformed);
}

void readForecast(const std::string& text, TWeatherSource& source)
{
    using nlohmann::json;
    if (nestedTooDeep(text))
        refuse(source.File, "", "nested more than " + std::to_string(WeatherSource::MaxJsonDepth) + " levels deep",
            TWeatherErrorKind::TooLarge);
    json root;
    try {
        root = json::parse(text);
    } catch (const json::exception& error) {
        // The parser's message ends with the bytes it stopped at: bounded.
        refuse(source.File, "", std::string("not valid JSON: ") + NumberText::QuotedExcerpt(error.what(), 160),
            TWeatherErrorKind::Malformed);
    }
    if (!root.is_object() || !root.contains("hourly") || !root["hourly"].is_object())
        refuse(source.File, "", "unknown format: no hourly forecast", TWeatherErrorKind::Malformed);
    const json& hourly = root["hourly"];
    if (!hourly.contains("time") || !hourly["time"].is_array())
        refuse(source.File, "", "unknown format: no hourly.time", TWeatherErrorKind::Malformed);
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
            refuse(source.File, "", "utc_offset_seconds is not an offset of whole seconds within 18 h of UTC",
                TWeatherErrorKind::OutOfRange);
        offset = given.get<std::int64_t>();
    }
    const json& times = hourly["time"];
    std::vector<TWeatherMoment> moments;
    for (std::size_t n = 0; n < times.size(); ++n) {
        const std::string where = "hourly.time[" + std::to_string(n) + "]";
        const auto moment
            = times[n].is_string() ? WeatherSource::ParseMoment(times[n].get<std::string>()) : std::nullopt;
        if (!moment)
            refuse(
                source.File, where, "moment " + describe(times[n]) + " does not parse", TWeatherErrorKind::Malformed);
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
            refuse(source.File, "", name + " is not an array of one value per moment of hourly.time",
                TWeatherErrorKind::Malformed);
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
                refuse(source.File, "", "wind speed unit " + excerpt(unitText) + " is neither m/s nor km/h",
                    TWeatherErrorKind::Malformed);
        }
        for (std::size_t n = 0; n < values.size(); ++n) {
            const std::string where = name + "[" + std::to_string(n) + "]";
            if (values[n].is_null())
                continue;
            if (!values[n].is_number())
                refuse(source.File, where, describe(values[n]) + " is not a number", TWeatherErrorKind::Malformed);
            addSample(source, Quantities[q], moments[n], values[n].get<double>() / divisor, where);
        }
        if ((source.*Quantities[q].Series).empty())
            refuse(source.File, "", name + " has no points", TWeatherErrorKind::Malformed);
    }
    if (!any)
        refuse(source.File, "", "no temperature_2m, wind_speed_10m or cloud_cover in hourly",
            TWeatherErrorKind::Malformed);
}

}  // namespace

std::int64_t UtcSecondsOf(const TWeatherMoment& moment, TClockMode clock)
{
    if (moment.OffsetSeconds)
        return moment.CivilSeconds - *moment.OffsetSeconds;
    const bool summer
        = clock == TClockMode::Auto ? LegalClock::IsSummerTimeOnWall(moment.CivilSeconds) : clock == TClockMode::Summer;
    return moment.CivilSeconds - LegalClock::OffsetHours(summer) * SecondsPerHour;
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
        refuse(file, "", "unknown format: the file is empty", TWeatherErrorKind::Malformed);
    if (text.size() > MaxFileBytes)
        refuse(file, "", "larger than " + std::to_string(MaxFileMiB) + " MiB", TWeatherErrorKind::TooLarge);
    if (text[first] == '{') {
        readForecast(text, source);
        return source;
    }
    std::istringstream in(text);
    TCsvReader reader(in);
    auto header = reader.Next();
    if (!header)
        refuse(file, "", "unknown format: the file is empty", TWeatherErrorKind::Malformed);
    readCsv(source, header->Fields, header->Line, reader);
    return source;
}

TWeatherSource ReadFile(const std::string& path)
{
    // Read a block at a time and never past the limit, so that a huge file
    // or an endless device costs no more than the limit.
    std::ifstream in(path, std::ios::binary);
    if (!in)
        refuse(path, "", "cannot be read", TWeatherErrorKind::Unreadable);
    std::string text;
    std::array<char, 65536> block{};
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        text.append(block.data(), static_cast<std::size_t>(in.gcount()));
        if (text.size() > MaxFileBytes)
            refuse(path, "", "larger than " + std::to_string(MaxFileMiB) + " MiB", TWeatherErrorKind::TooLarge);
    }
    if (in.bad())
        refuse(path, "", "cannot be read", TWeatherErrorKind::Unreadable);
    return ReadText(text, path);
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
                    std::string(Quantities[q].Label) + " moment not after the one before it",
                    TWeatherErrorKind::NotIncreasing);
            previous = utc;
            points.push_back({static_cast<double>(utc - laying), sample.Value});
        }
        *targets[q] = TWeatherSeries(std::move(points));
    }
    return timeline;
}

}  // namespace WeatherSource
