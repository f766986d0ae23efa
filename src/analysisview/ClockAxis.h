#pragma once

#include "RunOutcome.h"

#include <QCategoryAxis>

// A time axis whose tick labels the program writes itself, on the site's wall
// clock: positions stay continuous in run time (AnalysisMoments' axis
// milliseconds), so that no system time zone moves a point or a label.
namespace ClockAxis {

// Ticks every stepHours from start to end (run moments); a tick shows the
// wall-clock hour, with the regional date where the day is not that of the
// previous tick (and on the first tick when withDate): under the hour on a
// horizontal axis (dateBelow), before it on a vertical one.
QCategoryAxis* Make(QObject* parent, const TRunOutcome& outcome, double start, double end, int stepHours, bool withDate,
    bool dateBelow = true);

}  // namespace ClockAxis
