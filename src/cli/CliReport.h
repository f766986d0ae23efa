#pragma once

#include "CliScenario.h"

#include <iosfwd>

// Human-readable lines: laying, reopening and duration; or the failure.
void WriteTextReport(std::ostream& out, std::ostream& err, const TCliOutcome& outcome);

// One JSON object with the inputs and either the result or the error.
void WriteJsonReport(std::ostream& out, const TCliScenario& scenario, const TCliOutcome& outcome);

// Shortest text that reads back as the same double; "null" when not finite.
std::string JsonNumber(double value);
std::string JsonString(std::string_view text);
