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

// The regional short date and the time to the minute: "10/07/2026 14:30".
QString FormatMoment(double moment);
QString FormatClock(double moment);  // "14:30"
// Whole hours and minutes, the seconds dropped: "26 h 12 min".
QString FormatWait(double seconds, TLanguage language);

}  // namespace AnalysisMoments
