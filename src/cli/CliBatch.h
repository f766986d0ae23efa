#pragma once

#include "CliScenario.h"

#include <iosfwd>

// Reads CSV rows of scenarios (header: thickness,laying_temp,reopen_temp,
// wind,cloud,date,time and optionally clock, in any order) and writes each
// row back with result_seconds, reopening and error. A bad row carries its
// error and the run goes on. The expert layers and bottom temperature of
// common apply to every row. Returns the exit status: 0 when every row has a
// result, 3 when some row has an error, 2 when the header is unusable.
int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, const TCliScenario& common);
