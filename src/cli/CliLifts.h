#pragma once

#include "CliScenario.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The further lifts as the command line and its batch give them:
// "CM:C:WHEN" each, WHEN "+MIN", "HH:MM" or "YYYY-MM-DDTHH:MM". Lifts are
// numbered from the new layer, lift 1, so the first --lift is lift 2.

// Reads, resolves and checks the lifts into scenario.Lifts, whose laying
// date, time and clock are already read; the refusal of the first lift that
// fails, naming it.
std::optional<std::pair<TCliStatus, std::string>> ReadLifts(const std::vector<std::string>& texts, TScenario& scenario);

// A batch cell: the lifts separated by spaces.
std::vector<std::string> SplitLiftList(std::string_view cell);

// With --plan each lift is laid a delay after the previous one: the refusal
// of the first lift given otherwise.
std::optional<std::string> PlanLiftRefusal(const std::vector<std::string>& texts);
