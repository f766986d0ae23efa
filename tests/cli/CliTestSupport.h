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
