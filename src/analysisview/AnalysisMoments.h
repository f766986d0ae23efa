#pragma once

#include "LanguagesMgrCls.h"

#include <QDateTime>
#include <QString>

// Date-time values (days since 30 December 1899, the fraction the time of
// day) as the charts and texts of the analysis show them: on the local clock,
// which is the run's own clock when the program runs in Belgium.
namespace AnalysisMoments {

// Invalid for a value that is not finite or lies outside the years 1900 to 9999.
QDateTime ToDateTime(double moment);
// Milliseconds since the epoch, the unit of a date-time axis; 0 when invalid.
qint64 ToMsSinceEpoch(double moment);
double FromMsSinceEpoch(qint64 ms);

// A clock axis's span: from the whole hour at or before from to a whole
// number of round steps (1, 2, 3, 4, 6, 8, 12, 24 or 48 h) reaching to, at
// most maxTicks steps when the span allows.
struct TClockSpan {
    double Start = 0.0;
    double End = 0.0;
    int StepHours = 1;
    int TickCount() const;
};
TClockSpan RoundClockSpan(double from, double to, int maxSteps = 8);

// The regional short date and the time to the minute: "10/07/2026 14:30".
QString FormatMoment(double moment);
QString FormatClock(double moment);  // "14:30"
// Whole hours and minutes, the seconds dropped: "26 h 12 min".
QString FormatWait(double seconds, TLanguage language);

}  // namespace AnalysisMoments
