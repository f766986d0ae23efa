#pragma once

#include "CoolingCurve.h"
#include "LanguagesMgrCls.h"

#include <QString>

#include <vector>

// What the cooling chart shows under the mouse: the curve's level in force at
// moment (the last one at or before it) with its three temperatures; empty
// outside the curve.
QString HoverReadout(const std::vector<TCurvePoint>& curve, double moment, TLanguage language);
