#pragma once

#include "CoolingCurve.h"
#include "LanguagesMgrCls.h"
#include "RunOutcome.h"

#include <QString>

#include <vector>

// What the cooling chart shows under the mouse: the curve's level in force at
// moment (the last one at or before it) with its three temperatures; empty
// outside the curve.
// The moment is a run moment; the level's time is written on the wall clock.
QString HoverReadout(
    const std::vector<TCurvePoint>& curve, const TRunOutcome& outcome, double moment, TLanguage language);
