#pragma once

#include "CliScenario.h"

#include <iosfwd>

class TCliOutput;

// Reads CSV records of scenarios (header: thickness,laying_temp,reopen_temp,
// wind,cloud,date,time and optionally clock, in any order, each once; other
// columns are copied) and writes each back with result_seconds, reopening,
// error, duration_seconds and night. Every output row has the header's columns: a row with more or
// fewer fields than the header, or with an unclosed quote, carries its own
// error instead of a result. A bad row does not stop the run; a lost output
// does, before the next row is read. The expert layers and bottom
// temperature of common apply to every row. Returns the exit status: 0 when
// every row has a result, 3 when some row has an error, 2 when the header
// is unusable.
// Rows run on every core and are written in input order; with showProgress
// (standard error is a terminal) a batch of more than a few hundred rows
// reports how far it got.
int RunBatch(
    std::istream& in, TCliOutput& out, std::ostream& err, const TCliScenario& common, bool showProgress = false);
