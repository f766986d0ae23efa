#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// Number, date and time formats of the user's regional settings, read from
// the default QLocale at every call so that a changed locale is followed.
namespace RegionalFormat {

// The regional decimal separator as the number parser takes it: a comma
// where the locale writes one, otherwise a point, since users type only those
// two (a locale's own separator, such as the Arabic U+066B, becomes a point).
char DecimalSeparator();

// One decimal ("%.1f"): Latin digits, a minus sign '-', no digit grouping and
// DecimalSeparator(), so that every number the frame shows is one it accepts.
QString FormatReal(double value);

// The locale's short date with a four-digit year and two-digit day and month,
// in the locale's order and separators: "10/07/2026".
QString ShortDateFormat();
QString WithFullYear(const QString& format);
// Hours, minutes and seconds: the long time format without its time zone.
// Where that format spells its units out in words (Belgian French writes
// 15 h 25 min 10 s) it is too wide for the 70 px result field and the time
// picker and would hide the hour: the short time format with seconds after
// the minutes stands in for it (15:25:10).
QString LongTimeFormat();

QString FormatDate(QDate date);
QString FormatTime(QTime time);

// A date/time format without its unquoted time-zone fields ('t' runs) and
// the blanks they leave at either end.
QString WithoutTimeZone(const QString& format);

// True when the format holds quoted literal text.
bool HasQuotedText(const QString& format);

// The format with a seconds field ("ss") after its minutes, joined by the
// separator that precedes the minutes (":" when there is none); unchanged
// when it already shows seconds.
QString WithSeconds(const QString& format);

}  // namespace RegionalFormat
