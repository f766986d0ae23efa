#include "CliBatch.h"

#include "Csv.h"

#include <array>
#include <istream>
#include <ostream>

namespace {

constexpr std::array<const char*, 7> RequiredColumns
    = {"thickness", "laying_temp", "reopen_temp", "wind", "cloud", "date", "time"};

void stripLineEnd(std::string& line)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
}

std::string rowError(const TCliOutcome& outcome)
{
    if (outcome.Error.empty() || outcome.Message == outcome.Error)
        return outcome.Message;
    return outcome.Error + ": " + outcome.Message;
}

}  // namespace

int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, const TCliScenario& common)
{
    std::string line;
    if (!std::getline(in, line)) {
        err << "kelvara-calc: --batch: no CSV header on standard input\n";
        return 2;
    }
    stripLineEnd(line);
    if (line.rfind("\xEF\xBB\xBF", 0) == 0)  // a byte-order mark left by spreadsheets
        line.erase(0, 3);
    const auto header = SplitCsvLine(line);
    if (!header) {
        err << "kelvara-calc: --batch: the CSV header has an unclosed quote\n";
        return 2;
    }
    std::array<int, RequiredColumns.size()> columnOf{};
    for (std::size_t c = 0; c < RequiredColumns.size(); ++c) {
        columnOf[c] = -1;
        for (std::size_t n = 0; n < header->size(); ++n)
            if ((*header)[n] == RequiredColumns[c])
                columnOf[c] = static_cast<int>(n);
        if (columnOf[c] < 0) {
            err << "kelvara-calc: --batch: the CSV header has no column \"" << RequiredColumns[c] << "\"\n";
            return 2;
        }
    }
    int clockColumn = -1;
    for (std::size_t n = 0; n < header->size(); ++n)
        if ((*header)[n] == "clock")
            clockColumn = static_cast<int>(n);

    std::vector<std::string> outHeader = *header;
    outHeader.insert(outHeader.end(), {"result_seconds", "reopening", "error"});
    out << JoinCsvLine(outHeader) << '\n';

    int status = 0;
    while (std::getline(in, line)) {
        stripLineEnd(line);
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        auto fields = SplitCsvLine(line);
        std::string error, resultSeconds, reopening;
        if (!fields) {
            fields = std::vector<std::string>{line};
            error = "the row has an unclosed quote";
        }
        // Short rows are padded so that every row keeps its columns.
        if (fields->size() < header->size())
            fields->resize(header->size());
        if (error.empty()) {
            TCliScenario scenario = common;
            std::string* targets[] = {&scenario.Thickness, &scenario.LayingTemp, &scenario.ReopenTemp, &scenario.Wind,
                &scenario.Cloud, &scenario.Date, &scenario.Time};
            for (std::size_t c = 0; c < RequiredColumns.size(); ++c)
                *targets[c] = (*fields)[static_cast<std::size_t>(columnOf[c])];
            scenario.Clock = clockColumn >= 0 && !(*fields)[static_cast<std::size_t>(clockColumn)].empty()
                ? (*fields)[static_cast<std::size_t>(clockColumn)]
                : "auto";
            const TCliOutcome outcome = RunScenario(scenario);
            if (outcome.Status == TCliStatus::Ok) {
                resultSeconds = std::to_string(static_cast<long long>(*outcome.ResultSeconds));
                reopening = outcome.Reopening.value_or("");
            } else {
                error = rowError(outcome);
            }
        }
        if (!error.empty())
            status = 3;
        fields->insert(fields->end(), {resultSeconds, reopening, error});
        out << JoinCsvLine(*fields) << '\n';
    }
    return status;
}
