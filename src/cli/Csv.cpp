#include "Csv.h"

std::optional<std::vector<std::string>> SplitCsvLine(std::string_view line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t n = 0; n < line.size(); ++n) {
        const char c = line[n];
        if (quoted) {
            if (c == '"' && n + 1 < line.size() && line[n + 1] == '"') {
                fields.back() += '"';
                ++n;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    if (quoted)
        return std::nullopt;
    return fields;
}

std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string JoinCsvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t n = 0; n < fields.size(); ++n) {
        if (n)
            line += ',';
        line += CsvField(fields[n]);
    }
    return line;
}
