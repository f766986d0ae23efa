#pragma once

#include "EnsembleResult.h"
#include "LanguagesMgrCls.h"
#include "Scenario.h"

#include <QChart>

// Every member's hottest point against the clock, thin and translucent, the
// control (or, without one, the median member) bold over them; the reopening
// threshold dashed, the target time as a vertical line and the nights
// shaded. For the window and the report alike; the caller owns the chart.
namespace EnsembleChart {

// Object names, and the property that holds a member line's index.
inline constexpr const char* MemberName = "member";
inline constexpr const char* BoldName = "boldMember";
inline constexpr const char* ThresholdName = "threshold";
inline constexpr const char* TargetName = "target";
inline constexpr const char* MemberProperty = "memberIndex";
// Points kept per member: a plot is a few hundred pixels wide, and 51
// members of 25 000 levels each would not draw at a usable speed.
inline constexpr int MaxPointsPerMember = 720;

QChart* Build(const TEnsembleResult& result, const TScenario& scenario, TLanguage language);
// The member drawn bold: the control, else the median's member.
std::size_t BoldMember(const TEnsembleResult& result);

}  // namespace EnsembleChart
