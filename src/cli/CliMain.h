#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

struct TCliNow {
    std::string Date;  // YYYY-MM-DD
    std::string Time;  // HH:MM
};

// The whole command-line program over the given streams; returns the exit
// status. now supplies the default laying moment; showProgress lets a long
// batch count its rows on err (a terminal).
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
    const std::function<TCliNow()>& now, bool showProgress = false);

// The local clock.
TCliNow LocalNow();
