#include "WeatherRead.h"

#include "NumberText.h"
#include "RegionalSettingsCls.h"
#include "StringTools/StringToolsCls.h"

#include <array>
#include <cmath>
#include <fstream>

namespace WeatherRead {

const TQuantity Quantities[QuantityCount] = {
    {"air_temp", "temperature_2m", "air temperature", "degC", WeatherSource::AirTempMin, WeatherSource::AirTempMax,
        &TWeatherSource::AirTemp},
    {"wind_speed", "wind_speed_10m", "wind speed", "m/s", WeatherSource::WindSpeedMin, WeatherSource::WindSpeedMax,
        &TWeatherSource::WindSpeed},
    {"cloud_cover", "cloud_cover", "cloud cover", "%", WeatherSource::CloudCoverMin, WeatherSource::CloudCoverMax,
        &TWeatherSource::CloudCover},
};

}  // namespace WeatherRead

namespace {

using WeatherRead::Refuse;

constexpr std::int64_t SecondsPerHour = 3600;

using WeatherRead::TQuantity;

std::string trimmed(const std::string& text)
{
    return std::string(StringToolsCls::Trim(text));
}

void addSample(TWeatherSource& source, const TQuantity& quantity, const TWeatherMoment& moment, double value,
    const std::string& where)
{
    if (!std::isfinite(value) || value < quantity.Min || value > quantity.Max)
        Refuse(source.File, where,
            quantity.Label + std::string(" ") + NumberText::Shortest(value) + " " + quantity.Unit + " outside "
                + NumberText::Shortest(quantity.Min) + " to " + NumberText::Shortest(quantity.Max),
            TWeatherErrorKind::OutOfRange);
    auto& series = source.*quantity.Series;
    if (series.size() >= WeatherSource::MaxPoints)
        Refuse(source.File, where,
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
std::string describe(const WeatherRead::TJson& value)
{
    if (value.is_string())
        return WeatherRead::Excerpt(value.get_ref<const std::string&>());
    if (value.is_primitive())
        return value.dump();
    return std::string("an ") + value.type_name();
}

}  // namespace

namespace WeatherRead {

void Refuse(const std::string& file, const std::string& where, const std::string& reason, TWeatherErrorKind kind)
{
    throw TWeatherError(kind, file + ": " + (where.empty() ? "" : where + ": ") + reason);
}

std::string Excerpt(std::string_view text)
{
    return NumberText::QuotedExcerpt(text);
}

std::string NameForMessage(std::string_view name)
{
    constexpr std::size_t MaxPlain = 40;
    const bool plain = !name.empty() && name.size() <= MaxPlain
        && name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-.")
            == std::string_view::npos;
    return plain ? std::string(name) : Excerpt(name);
}

std::string ReadCapped(const std::string& path)
{
    // A huge file or an endless device costs no more than the limit.
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Refuse(path, "", "cannot be read", TWeatherErrorKind::Unreadable);
    std::string text;
    std::array<char, 65536> block{};
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        text.append(block.data(), static_cast<std::size_t>(in.gcount()));
        if (text.size() > WeatherSource::MaxFileBytes)
            Refuse(path, "", "larger than " + std::to_string(WeatherSource::MaxFileMiB) + " MiB",
                TWeatherErrorKind::TooLarge);
    }
    if (in.bad())
        Refuse(path, "", "cannot be read", TWeatherErrorKind::Unreadable);
    return text;
}

bool IsForecastJson(const std::string& text, const std::string& file)
{
    std::size_t first = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    first = text.find_first_not_of(" \t\r\n", first);
    if (first == std::string::npos)
        Refuse(file, "", "unknown format: the file is empty", TWeatherErrorKind::Malformed);
    if (text.size() > WeatherSource::MaxFileBytes)
        Refuse(
            file, "", "larger than " + std::to_string(WeatherSource::MaxFileMiB) + " MiB", TWeatherErrorKind::TooLarge);
    return text[first] == '{';
}

bool IsAfter(const TWeatherMoment& a, const TWeatherMoment& b)
{
    if (a.OffsetSeconds.has_value() == b.OffsetSeconds.has_value())
        return a.OffsetSeconds ? b.CivilSeconds - *b.OffsetSeconds > a.CivilSeconds - *a.OffsetSeconds
                               : b.CivilSeconds > a.CivilSeconds;
    return UtcSecondsOf(b, TClockMode::Auto) > UtcSecondsOf(a, TClockMode::Auto);
}

TCsvLayout CsvLayout(const std::vector<std::string>& header, int headerLine, const std::string& file)
{
    TCsvLayout layout;
    layout.Width = header.size();
    std::optional<std::size_t> timeColumn;
    for (std::size_t c = 0; c < header.size(); ++c) {
        const std::string name = trimmed(header[c]);
        if (name == "time")
            timeColumn = c;
        for (std::size_t q = 0; q < QuantityCount; ++q)
            if (name == Quantities[q].CsvName)
                layout.Columns[q] = c;
    }
    if (!timeColumn)
        Refuse(
            file, "line " + std::to_string(headerLine), "unknown format: no time column", TWeatherErrorKind::Malformed);
    if (!layout.Columns[0] && !layout.Columns[1] && !layout.Columns[2])
        Refuse(file, "line " + std::to_string(headerLine), "no air_temp, wind_speed or cloud_cover column",
            TWeatherErrorKind::Malformed);
    layout.Time = *timeColumn;
    return layout;
}

std::string CsvCell(const TCsvRecord& record, std::size_t column)
{
    return column < record.Fields.size() ? trimmed(record.Fields[column]) : "";
}

void CheckCsvRow(const TCsvRecord& record, const TCsvLayout& layout, const std::string& file)
{
    const std::string where = "line " + std::to_string(record.Line);
    if (record.UnclosedQuote)
        Refuse(file, where, "quoted field not closed", TWeatherErrorKind::Malformed);
    // A value past the header's columns has no name: "2,5" unquoted would
    // otherwise read as 2. Empty trailing cells, as spreadsheets write
    // them, name nothing and pass.
    for (std::size_t c = layout.Width; c < record.Fields.size(); ++c)
        if (!trimmed(record.Fields[c]).empty())
            Refuse(file, where,
                "the row has " + std::to_string(record.Fields.size()) + " fields, the header "
                    + std::to_string(layout.Width) + " (a decimal comma must be quoted)",
                TWeatherErrorKind::Malformed);
}

TWeatherMoment CsvMoment(const TCsvRecord& record, const TCsvLayout& layout, const std::string& file)
{
    const std::string timeText = CsvCell(record, layout.Time);
    const auto moment = WeatherSource::ParseMoment(timeText);
    if (!moment)
        Refuse(file, "line " + std::to_string(record.Line), "moment " + Excerpt(timeText) + " does not parse",
            TWeatherErrorKind::Malformed);
    return *moment;
}

void AddCsvValues(
    TWeatherSource& source, const TCsvRecord& record, const TCsvLayout& layout, const TWeatherMoment& moment)
{
    const std::string where = "line " + std::to_string(record.Line);
    for (std::size_t q = 0; q < QuantityCount; ++q) {
        if (!layout.Columns[q])
            continue;
        const std::string valueText = CsvCell(record, *layout.Columns[q]);
        if (valueText.empty())
            continue;
        const auto value = parseNumber(valueText);
        if (!value)
            Refuse(source.File, where,
                std::string(Quantities[q].CsvName) + " " + Excerpt(valueText) + " is not a number",
                TWeatherErrorKind::Malformed);
        addSample(source, Quantities[q], moment, *value, where);
    }
}

void RequireCsvPoints(const TWeatherSource& source, const TCsvLayout& layout)
{
    for (std::size_t q = 0; q < QuantityCount; ++q)
        if (layout.Columns[q] && (source.*Quantities[q].Series).empty())
            Refuse(
                source.File, "", std::string(Quantities[q].CsvName) + " has no points", TWeatherErrorKind::Malformed);
}

TForecast::TForecast(const std::string& text, const std::string& file)
{
    if (nestedTooDeep(text))
        Refuse(file, "", "nested more than " + std::to_string(WeatherSource::MaxJsonDepth) + " levels deep",
            TWeatherErrorKind::TooLarge);
    TJson& root = Root;
    try {
        root = TJson::parse(text);
    } catch (const TJson::exception& error) {
        // The parser's message ends with the bytes it stopped at: bounded.
        Refuse(file, "", std::string("not valid JSON: ") + NumberText::QuotedExcerpt(error.what(), 160),
            TWeatherErrorKind::Malformed);
    }
    if (!root.is_object() || !root.contains("hourly") || !root["hourly"].is_object())
        Refuse(file, "", "unknown format: no hourly forecast", TWeatherErrorKind::Malformed);
    const TJson& hourly = root["hourly"];
    if (!hourly.contains("time") || !hourly["time"].is_array())
        Refuse(file, "", "unknown format: no hourly.time", TWeatherErrorKind::Malformed);
    std::int64_t offset = 0;
    if (root.contains("utc_offset_seconds")) {
        // Compared in its own type before any negation or conversion: an
        // unsigned 2^64 - 1 must not wrap to -1, nor -2^63 overflow.
        constexpr std::int64_t MaxOffset = 18 * SecondsPerHour;
        const TJson& given = root["utc_offset_seconds"];
        const bool within = given.is_number_unsigned()
            ? given.get<std::uint64_t>() <= static_cast<std::uint64_t>(MaxOffset)
            : given.is_number_integer() && given.get<std::int64_t>() >= -MaxOffset
                && given.get<std::int64_t>() <= MaxOffset;
        if (!within)
            Refuse(file, "", "utc_offset_seconds is not an offset of whole seconds within 18 h of UTC",
                TWeatherErrorKind::OutOfRange);
        offset = given.get<std::int64_t>();
    }
    const TJson& times = hourly["time"];
    for (std::size_t n = 0; n < times.size(); ++n) {
        const std::string where = "hourly.time[" + std::to_string(n) + "]";
        const auto moment
            = times[n].is_string() ? WeatherSource::ParseMoment(times[n].get<std::string>()) : std::nullopt;
        if (!moment)
            Refuse(file, where, "moment " + describe(times[n]) + " does not parse", TWeatherErrorKind::Malformed);
        Moments.push_back(*moment);
        if (!Moments.back().OffsetSeconds)
            Moments.back().OffsetSeconds = offset;
    }
}

double WindDivisor(const TJson& root, const std::string& key, const std::string& bareKey, const std::string& file)
{
    const TJson* units
        = root.contains("hourly_units") && root["hourly_units"].is_object() ? &root["hourly_units"] : nullptr;
    const TJson* unit = nullptr;
    if (units && units->contains(key))
        unit = &(*units)[key];
    else if (units && units->contains(bareKey))
        unit = &(*units)[bareKey];
    const std::string unitText = unit && unit->is_string() ? unit->get<std::string>() : "";
    if (unitText == "km/h")
        return 3.6;
    if (unitText != "m/s")
        Refuse(file, "", "wind speed unit " + Excerpt(unitText) + " is neither m/s nor km/h",
            TWeatherErrorKind::Malformed);
    return 1.0;
}

void AddForecastSeries(
    TWeatherSource& source, std::size_t quantity, const TForecast& forecast, const std::string& key, double divisor)
{
    const TJson& values = forecast.Root["hourly"][key];
    const std::string name = "hourly." + NameForMessage(key);
    if (!values.is_array() || values.size() != forecast.Moments.size())
        Refuse(source.File, "", name + " is not an array of one value per moment of hourly.time",
            TWeatherErrorKind::Malformed);
    for (std::size_t n = 0; n < values.size(); ++n) {
        const std::string where = name + "[" + std::to_string(n) + "]";
        if (values[n].is_null())
            continue;
        if (!values[n].is_number())
            Refuse(source.File, where, describe(values[n]) + " is not a number", TWeatherErrorKind::Malformed);
        addSample(source, Quantities[quantity], forecast.Moments[n], values[n].get<double>() / divisor, where);
    }
    if ((source.*Quantities[quantity].Series).empty())
        Refuse(source.File, "", name + " has no points", TWeatherErrorKind::Malformed);
}

}  // namespace WeatherRead
