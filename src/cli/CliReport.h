#pragma once

#include "CliScenario.h"

#include <string>
#include <string_view>

// Human-readable lines of a success: laying, reopening and duration.
std::string TextReport(const TCliOutcome& outcome);

// The one line on standard error of a failed outcome.
std::string FailureLine(const TCliOutcome& outcome);

// One JSON object with the inputs and either the result or the error.
std::string JsonReport(const TCliScenario& scenario, const TCliOutcome& outcome);

// Members for a larger object: "inputs":{...}, and the result
// ("result_seconds", "reopening", "duration_seconds", "night") with
// "error" and "message" on failure.
std::string JsonInputs(const TCliScenario& scenario, const TCliOutcome& outcome);
std::string JsonResult(const TCliOutcome& outcome);

// {"error":"usage","message":...}: a usage error with --json.
std::string JsonUsageError(std::string_view message);

// Shortest text that reads back as the same double; "null" when not finite.
std::string JsonNumber(double value);
// A JSON string of text; bytes that are not UTF-8 each become U+FFFD, so
// that echoed input never makes the output invalid.
std::string JsonString(std::string_view text);
