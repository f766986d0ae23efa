#include "Csv.h"

#include <istream>

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::optional<TCsvRecord> TCsvReader::Next()
{
    for (;;) {
        TCsvRecord record;
        record.Fields.emplace_back();
        record.Line = FLine;
        bool quoted = false;
        bool blank = true;  // nothing but spaces and tabs so far
        int c = FIn.get();
        if (c == std::char_traits<char>::eof())
            return std::nullopt;
        for (; c != std::char_traits<char>::eof(); c = FIn.get()) {
            const char ch = static_cast<char>(c);
            // A CR alone is a line end too, as older spreadsheets write them.
            if (ch == '\n' || (ch == '\r' && FIn.peek() != '\n'))
                ++FLine;
            if (quoted) {
                if (ch == '"' && FIn.peek() == '"') {
                    record.Fields.back() += '"';
                    FIn.get();
                } else if (ch == '"') {
                    quoted = false;
                } else {
                    record.Fields.back() += ch;
                }
                continue;
            }
            if (ch == '\n')
                break;
            if (ch == '\r') {
                if (FIn.peek() == '\n')
                    continue;
                break;
            }
            if (ch != ' ' && ch != '\t')
                blank = false;
            if (ch == '"')
                quoted = true;
            else if (ch == ',')
                record.Fields.emplace_back();
            else
                record.Fields.back() += ch;
        }
        record.UnclosedQuote = quoted;
        if (!FStarted) {
            FStarted = true;
            if (record.Fields.front().rfind(ByteOrderMark, 0) == 0)
                record.Fields.front().erase(0, ByteOrderMark.size());
        }
        if (!blank)
            return record;
        if (c == std::char_traits<char>::eof())
            return std::nullopt;
    }
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
