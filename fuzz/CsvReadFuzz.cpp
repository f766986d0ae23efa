// CsvReadFuzz: any bytes as CSV. Records come with one field at least and
// lines that never go back; a record read without an unclosed quote, written
// again with JoinCsvLine, reads back as the same fields.
#include "Csv.h"
#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

bool blank(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    TCsvReader reader(in);
    int line = 0;
    while (const auto record = reader.Next()) {
        KELVARA_FUZZ_CHECK(!record->Fields.empty());
        KELVARA_FUZZ_CHECK(record->Line >= 1 && record->Line > line);
        line = record->Line;
        const std::string written = JoinCsvLine(record->Fields);
        // A blank line is skipped and a byte-order mark that opens the input
        // dropped, quoted or not: neither can come back as it was.
        if (record->UnclosedQuote || blank(written) || record->Fields.front().rfind("\xEF\xBB\xBF", 0) == 0)
            continue;
        std::istringstream again(written + "\n");
        TCsvReader rereader(again);
        const auto reread = rereader.Next();
        KELVARA_FUZZ_CHECK(reread && reread->Fields == record->Fields && !reread->UnclosedQuote);
        KELVARA_FUZZ_CHECK(!rereader.Next());
    }
    return 0;
}
