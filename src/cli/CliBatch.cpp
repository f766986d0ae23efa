#include "CliBatch.h"

#include "CliOutput.h"
#include "Csv.h"

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
constexpr std::array<const char*, 3> ResultColumns = {"result_seconds", "reopening", "error"};

std::string rowError(const TCliOutcome& outcome)
{
    if (outcome.Error.empty() || outcome.Message == outcome.Error)
        return outcome.Message;
    return outcome.Error + ": " + outcome.Message;
}

struct TColumns {
    std::array<std::size_t, RequiredColumns.size()> Required{};
    std::optional<std::size_t> Clock;
};

// The position of each column the batch reads, or why the header is unusable.
std::optional<std::string> findColumns(const TCsvRecord& header, TColumns& columns)
{
    if (header.UnclosedQuote)
        return "the CSV header has an unclosed quote";
    const std::vector<std::string>& names = header.Fields;
    std::set<std::string_view> seen;
    for (const std::string& name : names) {
        if (!seen.insert(name).second)
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
    return std::nullopt;
}

// The result columns of one well-formed row.
std::array<std::string, 3> runRow(
    const std::vector<std::string>& fields, const TColumns& columns, TCliScenario scenario)
{
    std::string* targets[] = {&scenario.Thickness, &scenario.LayingTemp, &scenario.ReopenTemp, &scenario.Wind,
        &scenario.Cloud, &scenario.Date, &scenario.Time};
    for (std::size_t c = 0; c < RequiredColumns.size(); ++c)
        *targets[c] = fields[columns.Required[c]];
    scenario.Clock = columns.Clock && !fields[*columns.Clock].empty() ? fields[*columns.Clock] : "auto";
    const TCliOutcome outcome = RunScenario(scenario);
    if (outcome.Status != TCliStatus::Ok)
        return {"", "", rowError(outcome)};
    return {std::to_string(static_cast<long long>(*outcome.ResultSeconds)), outcome.Reopening.value_or(""), ""};
}

}  // namespace

int RunBatch(std::istream& in, TCliOutput& out, std::ostream& err, const TCliScenario& common)
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
    while (std::optional<TCsvRecord> row = reader.Next()) {
        std::array<std::string, 3> result;
        if (row->UnclosedQuote)
            result[2] = "the row starting on line " + std::to_string(row->Line) + " has an unclosed quote";
        else if (row->Fields.size() != width)
            result[2]
                = "the row has " + std::to_string(row->Fields.size()) + " fields, the header " + std::to_string(width);
        else
            result = runRow(row->Fields, columns, common);
        if (!result[2].empty())
            status = 3;
        // Extra fields are dropped and missing ones left empty, so that no
        // value ever stands under another column's name.
        row->Fields.resize(width);
        row->Fields.insert(row->Fields.end(), result.begin(), result.end());
        // Flushed row by row: a lost output stops the batch at once.
        if (!out.Write(JoinCsvLine(row->Fields) + '\n') || !out.Flush())
            return status;
    }
    return status;
}
