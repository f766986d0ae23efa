#pragma once

#include "CliMain.h"
#include "Csv.h"

#include <sstream>
#include <string>
#include <vector>

// The whole program in process, laid "now" at midsummer noon.
struct TRun {
    int Status;
    std::string Out, Err;
};

inline TRun run(std::vector<std::string> args, const std::string& input = "")
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = RunCli(args, in, out, err, [] { return TCliNow{"2026-06-21", "12:00"}; });
    return {status, out.str(), err.str()};
}

inline std::vector<std::vector<std::string>> csvRecords(const std::string& text)
{
    std::istringstream in(text);
    TCsvReader reader(in);
    std::vector<std::vector<std::string>> records;
    while (auto record = reader.Next())
        records.push_back(record->Fields);
    return records;
}

// Every value of a JSON member, in order of appearance: a string with its
// quotes, or the text up to the next comma or closing bracket.
inline std::vector<std::string> members(const std::string& json, const std::string& name)
{
    std::vector<std::string> values;
    const std::string key = "\"" + name + "\":";
    for (std::size_t at = json.find(key); at != std::string::npos; at = json.find(key, at + 1)) {
        const std::size_t start = at + key.size();
        const std::size_t end = json[start] == '"' ? json.find('"', start + 1) + 1 : json.find_first_of(",}]", start);
        values.push_back(json.substr(start, end - start));
    }
    return values;
}
