#include "DateTimeConversion.h"

#include "DateUtilsBD2006.h"

namespace {

constexpr double MillisecondsPerDay = 86400000.0;

QDate Epoch()
{
    return QDate(1899, 12, 30);
}

}  // namespace

double DateTimeConversion::ToDateTime(QDate date, QTime time)
{
    const double days = static_cast<double>(Epoch().daysTo(date));
    const double fraction = time.isValid() ? time.msecsSinceStartOfDay() / MillisecondsPerDay : 0.0;
    return days + fraction;
}

double DateTimeConversion::ToDateTime(const QDateTime& dateTime)
{
    return ToDateTime(dateTime.date(), dateTime.time());
}

QDateTime DateTimeConversion::FromDateTime(double value)
{
    // The utilities' own decomposition: the same rounding to the millisecond
    // and the same day for a time that rounds up to midnight.
    const auto date = DateUtilsBD2006::DecodeDate(value);
    const auto time = DateUtilsBD2006::DecodeTime(value);
    if (!date || !time) {
        return {};
    }
    return QDateTime(QDate(date->Year, date->Month, date->Day),
        QTime(time->Hour, time->Minute, time->Second, time->Millisecond), Qt::UTC);
}
