#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

// The one place where Qt's dates and times meet the utilities' date-time
// values: a double whose whole part counts days since 30 December 1899 and
// whose fraction is the time of day. Only dates from 30 December 1899 on are
// converted faithfully; the frame's pickers never go below 1900.
namespace DateTimeConversion {

double ToDateTime(QDate date, QTime time);
double ToDateTime(const QDateTime& dateTime);

// Rounded to the millisecond, so that a value such as 0.041666666666 (one
// hour less a rounding error) reads as 01:00:00.000. An invalid QDateTime for
// values that are not finite or lie outside the years 1 to 9999.
QDateTime FromDateTime(double value);

}  // namespace DateTimeConversion
