#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TCsvRecord {
    std::vector<std::string> Fields;
    bool UnclosedQuote = false;  // the input ended inside a quoted field
    int Line = 0;  // of the record's first character, from 1
};

// Comma-separated records. A field in double quotes may hold commas (a
// decimal comma, say), doubled quotes and line breaks; a record ends with
// LF, CR LF or a CR alone. Blank lines are skipped, and so is a byte-order mark at the
// start (spreadsheets leave one).
class TCsvReader {
public:
    explicit TCsvReader(std::istream& in) : FIn(in) { }

    // The next record, or nothing at the end of the input.
    std::optional<TCsvRecord> Next();

private:
    std::istream& FIn;
    int FLine = 1;
    bool FStarted = false;
};

// Quotes a field only when it needs it.
std::string CsvField(std::string_view text);
std::string JoinCsvLine(const std::vector<std::string>& fields);
