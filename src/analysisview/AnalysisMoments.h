#pragma once

#include "LanguagesMgrCls.h"
#include "RunOutcome.h"

#include <QDateTime>
#include <QString>

// Date-time values (days since 30 December 1899, the fraction the time of
// day) as the charts and texts of the analysis show them. They are moments of
// the site, whatever the computer's time zone: every QDateTime made here is
// in UTC, so that no system zone shifts or reformats it. Run moments are
// written on the site's wall clock through the run's outcome.
namespace AnalysisMoments {

// 1 January 10000 00:00, the first moment past the calendar.
inline constexpr double CalendarEnd = 2958466.0;
inline constexpr double OneSecond = 1.0 / 86400.0;

// The date and time of the value as they read, in Qt::UTC. Invalid for a value
// that is not finite or lies outside the years 1900 to 9999.
QDateTime ToDateTime(double moment);
// A run moment as the site's wall clock shows it.
QDateTime WallDateTime(const TRunOutcome& outcome, double runMoment);
// Milliseconds of a chart's time axis: continuous in run time (the value read
// as UTC); 0 when invalid.
qint64 ToMsSinceEpoch(double moment);
double FromMsSinceEpoch(qint64 ms);

// A clock axis's span: from the whole hour at or before from to a whole
// number of round steps (1, 2, 3, 4, 6, 8, 12, 24 or 48 h) reaching to, at
// most maxSteps steps when the span allows.
struct TClockSpan {
    double Start = 0.0;
    double End = 0.0;
    int StepHours = 1;
};
TClockSpan RoundClockSpan(double from, double to, int maxSteps = 8);

// An instant as the site's legal clock reads it, a date-time value.
double LegalClockOf(const QDateTime& instant);

// The regional short date and the time to the minute: "10/07/2026 14:30".
QString FormatMoment(double moment);
QString FormatClock(double moment);  // "14:30"
// The same for a run moment, on the wall clock.
QString FormatMoment(const TRunOutcome& outcome, double runMoment);
QString FormatClock(const TRunOutcome& outcome, double runMoment);
QString FormatSeconds(const TRunOutcome& outcome, double runMoment);  // "14:30:05"
// " (heure d'été)" or " (heure d'hiver)": the clock a moment is read on.
QString ClockMark(bool summerTime, TLanguage language);
// The mark where the wall clock at the run moment is no longer the laying's,
// or where the moment lies in the repeated hour (on either of its clocks);
// empty otherwise.
QString ClockNote(const TRunOutcome& outcome, double runMoment, TLanguage language);
// The mark of a wall-clock reading in the repeated hour, taken as the program
// takes such a reading (in summer time); empty otherwise.
QString WallNote(double wallMoment, TClockMode clock, TLanguage language);
// The minute a moment is written with (FormatClock's), counted from the
// epoch of the Qt::UTC reading; 0 for an invalid moment.
long long ShownMinute(double moment);
// Whole hours and minutes, the seconds dropped: "26 h 12 min".
QString FormatWait(double seconds, TLanguage language);

}  // namespace AnalysisMoments
