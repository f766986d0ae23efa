#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Comma-separated fields; a field in double quotes may hold commas (a
// decimal comma, say) and doubled quotes. Empty when a quote is left open.
std::optional<std::vector<std::string>> SplitCsvLine(std::string_view line);

// Quotes a field only when it needs it.
std::string CsvField(std::string_view text);
std::string JoinCsvLine(const std::vector<std::string>& fields);
