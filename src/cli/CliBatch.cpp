#include "CliBatch.h"

#include "CliLifts.h"
#include "CliOutput.h"
#include "Csv.h"
#include "NumberText.h"
#include "ScenarioBatch.h"
#include "StringTools/StringToolsCls.h"

#include <algorithm>
#include <array>
#include <istream>
#include <ostream>
#include <set>
#include <string_view>

namespace {

constexpr std::array<const char*, 7> RequiredColumns
    = {"thickness", "laying_temp", "reopen_temp", "wind", "cloud", "date", "time"};
constexpr const char* ClockColumn = "clock";
// Optional: the row's weather constants; an empty cell keeps the class or the model.
constexpr std::array<const char*, 3> WeatherColumns = {"air_temp", "wind_speed", "cloud_cover"};
// Optional: the row's further lifts (as --lift, separated by spaces) and
// whether the existing road is warmed (an empty cell keeps --road-warmth).
constexpr const char* LiftsColumn = "lifts";
constexpr const char* WarmthColumn = "road_warmth";
constexpr std::array<const char*, 8> ResultColumns = {"result_seconds", "reopening", "error", "duration_seconds",
    "night", "reopening_summer_time", "compaction_seconds", "existing_surface_temp"};
using TResultFields = std::array<std::string, ResultColumns.size()>;
constexpr std::size_t ErrorField = 2;

// Rows are read, run on every core and written a chunk at a time: enough
// to keep the cores busy, few enough that a lost output stops the work soon.
constexpr std::size_t ChunkRows = 64;
// Progress is worth showing from a few seconds of work on.
constexpr std::size_t ProgressFromRows = 300;

std::string rowError(const TCliOutcome& outcome)
{
    if (outcome.Error.empty() || outcome.Message == outcome.Error)
        return outcome.Message;
    return outcome.Error + ": " + outcome.Message;
}

struct TColumns {
    std::array<std::size_t, RequiredColumns.size()> Required{};
    std::optional<std::size_t> Clock;
    std::optional<std::size_t> Lifts;
    std::optional<std::size_t> Warmth;
    std::array<std::optional<std::size_t>, WeatherColumns.size()> Weather;
};

// The position of each column the batch reads, or why the header is unusable.
std::optional<std::string> findColumns(const TCsvRecord& header, TColumns& columns)
{
    if (header.UnclosedQuote)
        return "the CSV header has an unclosed quote";
    // Matched trimmed, as the weather CSV's header: " air_temp " is the
    // column air_temp, not an unknown one whose values are dropped.
    std::vector<std::string> names;
    for (const std::string& field : header.Fields)
        names.emplace_back(StringToolsCls::Trim(field));
    std::set<std::string_view> seen;
    for (const std::string& name : names) {
        // Spreadsheets end a header with empty columns; those are copied as
        // they are, however many.
        if (!name.empty() && !seen.insert(name).second)
            return "the CSV header has the column \"" + name + "\" twice";
        for (const char* result : ResultColumns)
            if (name == result)
                return "the CSV header has the column \"" + name + "\", which the batch adds to its output";
    }
    const auto position = [&](const char* name) -> std::optional<std::size_t> {
        const auto at = std::find(names.begin(), names.end(), name);
        if (at == names.end())
            return std::nullopt;
        return static_cast<std::size_t>(at - names.begin());
    };
    for (std::size_t c = 0; c < RequiredColumns.size(); ++c) {
        const auto at = position(RequiredColumns[c]);
        if (!at)
            return std::string("the CSV header has no column \"") + RequiredColumns[c] + "\"";
        columns.Required[c] = *at;
    }
    columns.Clock = position(ClockColumn);
    columns.Lifts = position(LiftsColumn);
    columns.Warmth = position(WarmthColumn);
    for (std::size_t c = 0; c < WeatherColumns.size(); ++c)
        columns.Weather[c] = position(WeatherColumns[c]);
    return std::nullopt;
}

// The scenario of one row, or its error.
TCliReading readRow(const TCsvRecord& row, std::size_t width, const TColumns& columns, TCliScenario scenario)
{
    TCliReading reading;
    if (row.UnclosedQuote) {
        reading.Outcome.Message = "the row starting on line " + std::to_string(row.Line) + " has an unclosed quote";
        reading.Outcome.Status = TCliStatus::Malformed;
        return reading;
    }
    if (row.Fields.size() != width) {
        reading.Outcome.Message
            = "the row has " + std::to_string(row.Fields.size()) + " fields, the header " + std::to_string(width);
        reading.Outcome.Status = TCliStatus::Malformed;
        return reading;
    }
    std::string* targets[] = {&scenario.Thickness, &scenario.LayingTemp, &scenario.ReopenTemp, &scenario.Wind,
        &scenario.Cloud, &scenario.Date, &scenario.Time};
    for (std::size_t c = 0; c < RequiredColumns.size(); ++c)
        *targets[c] = row.Fields[columns.Required[c]];
    scenario.Clock = columns.Clock && !row.Fields[*columns.Clock].empty() ? row.Fields[*columns.Clock] : "auto";
    std::string* weather[] = {&scenario.AirTemp, &scenario.WindSpeed, &scenario.CloudCover};
    for (std::size_t c = 0; c < WeatherColumns.size(); ++c)
        if (columns.Weather[c])
            *weather[c] = row.Fields[*columns.Weather[c]];
    if (columns.Lifts)
        scenario.Lifts = SplitLiftList(row.Fields[*columns.Lifts]);
    if (columns.Warmth && !row.Fields[*columns.Warmth].empty())
        scenario.RoadWarmth = row.Fields[*columns.Warmth];
    return ReadScenario(scenario);
}

TResultFields resultFields(const TCliOutcome& outcome)
{
    if (outcome.Status != TCliStatus::Ok)
        return {"", "", rowError(outcome), "", "", "", "", ""};
    return {std::to_string(static_cast<long long>(*outcome.ResultSeconds)), outcome.Reopening.value_or(""), "",
        std::to_string(static_cast<long long>(*outcome.DurationSeconds)), *outcome.Night ? "true" : "false",
        *outcome.ReopeningSummerTime ? "true" : "false",
        outcome.CompactionSeconds ? std::to_string(static_cast<long long>(*outcome.CompactionSeconds)) : "",
        outcome.ExistingSurfaceTemp ? NumberText::Fixed(*outcome.ExistingSurfaceTemp, 1) : ""};
}

// Reads, runs and writes one chunk of rows. False once the output is lost.
bool runChunk(std::vector<TCsvRecord>& rows, std::size_t width, const TColumns& columns, const TCliScenario& common,
    TCliOutput& out, int& status)
{
    std::vector<TCliReading> readings;
    std::vector<TScenario> scenarios;
    for (const TCsvRecord& row : rows) {
        readings.push_back(readRow(row, width, columns, common));
        if (readings.back().Scenario)
            scenarios.push_back(*readings.back().Scenario);
    }
    TBatchSettings settings;
    // Unrelated rows rarely see the sun at the same place.
    settings.ShareSky = false;
    const std::vector<TRunOutcome> runs = *RunScenarios(scenarios, settings);
    std::size_t nextRun = 0;
    std::string text;
    for (std::size_t n = 0; n < rows.size(); ++n) {
        TCliOutcome& outcome = readings[n].Outcome;
        if (readings[n].Scenario)
            AddRun(outcome, runs[nextRun++]);
        const TResultFields result = resultFields(outcome);
        if (!result[ErrorField].empty())
            status = 3;
        // Extra fields are dropped and missing ones left empty, so that no
        // value ever stands under another column's name.
        std::vector<std::string>& fields = rows[n].Fields;
        fields.resize(width);
        fields.insert(fields.end(), result.begin(), result.end());
        text += JoinCsvLine(fields) + '\n';
    }
    return out.Write(text) && out.Flush();
}

}  // namespace

int RunBatch(std::istream& in, TCliOutput& out, std::ostream& err, const TCliScenario& common, bool showProgress)
{
    TCsvReader reader(in);
    const std::optional<TCsvRecord> header = reader.Next();
    if (!header) {
        err << "kelvara-calc: --batch: no CSV header on standard input\n";
        return 2;
    }
    TColumns columns;
    if (const auto problem = findColumns(*header, columns)) {
        err << "kelvara-calc: --batch: " << *problem << '\n';
        return 2;
    }
    const std::size_t width = header->Fields.size();
    std::vector<std::string> outHeader = header->Fields;
    outHeader.insert(outHeader.end(), ResultColumns.begin(), ResultColumns.end());
    if (!out.Write(JoinCsvLine(outHeader) + '\n') || !out.Flush())
        return 0;

    int status = 0;
    std::size_t done = 0;
    for (;;) {
        std::vector<TCsvRecord> chunk;
        while (chunk.size() < ChunkRows)
            if (std::optional<TCsvRecord> row = reader.Next())
                chunk.push_back(std::move(*row));
            else
                break;
        if (chunk.empty() || !runChunk(chunk, width, columns, common, out, status))
            break;
        done += chunk.size();
        if (showProgress && done > ProgressFromRows)
            err << "\rkelvara-calc: " << done << " rows done" << std::flush;
    }
    if (showProgress && done > ProgressFromRows)
        err << '\n';
    return status;
}
