#pragma once

// The pieces of the weather file readers that the timeline and the ensemble
// readers share, so that both read a file by the same rules. Internal to the
// analysis library.

#include "Csv.h"
#include "WeatherSource.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace WeatherRead {

struct TQuantity {
    const char* CsvName;  // "air_temp"
    const char* ForecastKey;  // "temperature_2m"
    const char* Label;  // "air temperature", for messages
    const char* Unit;
    double Min;
    double Max;
    std::vector<TWeatherSample> TWeatherSource::*Series;
};

inline constexpr std::size_t QuantityCount = 3;  // air temperature, wind speed, cloud cover
inline constexpr std::size_t WindQuantity = 1;
extern const TQuantity Quantities[QuantityCount];

[[noreturn]] void Refuse(
    const std::string& file, const std::string& where, const std::string& reason, TWeatherErrorKind kind);

// Messages quote what the file holds, never more than a few words of it.
std::string Excerpt(std::string_view text);
// A name from the file as it is when it is a short plain word, else quoted.
std::string NameForMessage(std::string_view name);

// The file's bytes, read a block at a time and never past MaxFileBytes.
std::string ReadCapped(const std::string& path);
// Whether the text is a forecast JSON rather than a CSV; refuses an empty or
// an oversized text.
bool IsForecastJson(const std::string& text, const std::string& file);

// The moment "b" strictly after "a" where that does not depend on the run's
// clock: both on UTC when both carry an offset, both on the wall clock when
// neither does, else on the legal clock.
bool IsAfter(const TWeatherMoment& a, const TWeatherMoment& b);

struct TCsvLayout {
    std::size_t Width = 0;  // the header's fields
    std::size_t Time = 0;
    std::optional<std::size_t> Columns[QuantityCount];
};

// Refuses a header without a time column or without any quantity.
TCsvLayout CsvLayout(const std::vector<std::string>& header, int headerLine, const std::string& file);
// The record's trimmed cell, empty past its end.
std::string CsvCell(const TCsvRecord& record, std::size_t column);
// Refuses an unclosed quote and values past the header's columns.
void CheckCsvRow(const TCsvRecord& record, const TCsvLayout& layout, const std::string& file);
TWeatherMoment CsvMoment(const TCsvRecord& record, const TCsvLayout& layout, const std::string& file);
// The row's values into the source; an empty cell is no point.
void AddCsvValues(
    TWeatherSource& source, const TCsvRecord& record, const TCsvLayout& layout, const TWeatherMoment& moment);
// Refuses a column of the layout without any point in the source.
void RequireCsvPoints(const TWeatherSource& source, const TCsvLayout& layout);

// Ordered, so that a reader sees the keys in the file's order.
using TJson = nlohmann::ordered_json;

// A forecast JSON parsed: refuses deep nesting, invalid JSON, a JSON without
// hourly.time and a bad utc_offset_seconds. Parsed where it is kept, never
// moved nor copied.
struct TForecast {
    TForecast(const std::string& text, const std::string& file);
    TForecast(const TForecast&) = delete;
    TForecast& operator=(const TForecast&) = delete;

    TJson Root;
    std::vector<TWeatherMoment> Moments;  // hourly.time, each with its offset
};

// What a wind speed is divided by for m/s: hourly_units of the key, else of
// its quantity's bare key; refuses units other than m/s and km/h.
double WindDivisor(const TJson& root, const std::string& key, const std::string& bareKey, const std::string& file);
// The values of hourly.<key> into the source's series of the quantity; a
// null is no point; refuses a series without points.
void AddForecastSeries(
    TWeatherSource& source, std::size_t quantity, const TForecast& forecast, const std::string& key, double divisor);

}  // namespace WeatherRead
