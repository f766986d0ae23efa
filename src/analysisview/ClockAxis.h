#pragma once

#include "LanguagesMgrCls.h"
#include "RunOutcome.h"

#include <QCategoryAxis>

// A time axis whose tick labels the program writes itself, on the site's wall
// clock: positions stay continuous in run time (AnalysisMoments' axis
// milliseconds), so that no system time zone moves a point or a label.
namespace ClockAxis {

// Ticks every stepHours from start to end (run moments); a tick shows the
// wall-clock hour, with the regional date where the day is not that of the
// previous tick (and on the first tick when withDate): under the hour on a
// horizontal axis (dateBelow), before it on a vertical one. A tick in the
// hour the October change repeats carries the mark of its clock.
QCategoryAxis* Make(QObject* parent, const TRunOutcome& outcome, double start, double end, int stepHours, bool withDate,
    bool dateBelow, TLanguage language);

}  // namespace ClockAxis
