#include "DateTimeConversion.h"

#include <cmath>

namespace {

constexpr double MillisecondsPerDay = 86400000.0;
// Beyond this many days either way QDate cannot represent the value and the
// conversion to an integer would overflow.
constexpr double MaxDays = 1.0e9;

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
    if (!std::isfinite(value) || std::fabs(value) > MaxDays) {
        return {};
    }
    const double wholeDays = std::trunc(value);
    auto days = static_cast<qint64>(wholeDays);
    auto milliseconds = static_cast<qint64>(std::llround(std::fabs(value - wholeDays) * MillisecondsPerDay));
    if (milliseconds >= static_cast<qint64>(MillisecondsPerDay)) {
        milliseconds -= static_cast<qint64>(MillisecondsPerDay);
        ++days;
    }
    return QDateTime(Epoch().addDays(days), QTime::fromMSecsSinceStartOfDay(static_cast<int>(milliseconds)), Qt::UTC);
}
