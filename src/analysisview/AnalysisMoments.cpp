#include "AnalysisMoments.h"

#include "AnalysisTexts.h"
#include "DateTimeConversion.h"
#include "RegionalFormat.h"
#include "WallClock.h"

#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace {

// 1 January 1900 as a date-time value.
constexpr double FirstMoment = 2.0;

}  // namespace

QDateTime AnalysisMoments::ToDateTime(double moment)
{
    if (!(moment >= FirstMoment && moment < CalendarEnd)) {
        return {};
    }
    const QDateTime clock = DateTimeConversion::FromDateTime(moment);
    return {clock.date(), clock.time(), Qt::UTC};
}

QDateTime AnalysisMoments::WallDateTime(const TRunOutcome& outcome, double runMoment)
{
    return ToDateTime(outcome.Wall(runMoment).Moment);
}

qint64 AnalysisMoments::ToMsSinceEpoch(double moment)
{
    const QDateTime dateTime = ToDateTime(moment);
    return dateTime.isValid() ? dateTime.toMSecsSinceEpoch() : 0;
}

double AnalysisMoments::FromMsSinceEpoch(qint64 ms)
{
    const QDateTime dateTime = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    return DateTimeConversion::ToDateTime(dateTime.date(), dateTime.time());
}

double AnalysisMoments::LegalClockOf(const QDateTime& instant)
{
    const double utc = DateTimeConversion::ToDateTime(instant.toUTC());
    return WallClock::ToWallClock(utc, 0.0, TClockMode::Auto).Moment;
}

QString AnalysisMoments::FormatMoment(double moment)
{
    const QDateTime dateTime = ToDateTime(moment);
    return RegionalFormat::FormatDate(dateTime.date()) + QLatin1Char(' ') + FormatClock(moment);
}

QString AnalysisMoments::FormatClock(double moment)
{
    return ToDateTime(moment).time().toString(QStringLiteral("HH:mm"));
}

QString AnalysisMoments::FormatMoment(const TRunOutcome& outcome, double runMoment)
{
    return FormatMoment(outcome.Wall(runMoment).Moment);
}

QString AnalysisMoments::FormatClock(const TRunOutcome& outcome, double runMoment)
{
    return FormatClock(outcome.Wall(runMoment).Moment);
}

QString AnalysisMoments::FormatSeconds(const TRunOutcome& outcome, double runMoment)
{
    return WallDateTime(outcome, runMoment).time().toString(QStringLiteral("HH:mm:ss"));
}

QString AnalysisMoments::ClockMark(bool summerTime, TLanguage language)
{
    return QStringLiteral(" (%1)").arg(
        AnalysisTexts::Text(language, summerTime ? TAnalysisText::SummerTime : TAnalysisText::WinterTime));
}

QString AnalysisMoments::ClockNote(const TRunOutcome& outcome, double runMoment, TLanguage language)
{
    const WallClock::TWallMoment wall = outcome.Wall(runMoment);
    if (wall.SummerTime == outcome.Wall(outcome.Laying).SummerTime
        && !WallClock::InRepeatedHour(wall.Moment, outcome.Clock)) {
        return {};
    }
    return ClockMark(wall.SummerTime, language);
}

QString AnalysisMoments::WallNote(double wallMoment, TClockMode clock, TLanguage language)
{
    if (!WallClock::InRepeatedHour(wallMoment, clock)) {
        return {};
    }
    return ClockMark(WallClock::WallOffsetHours(wallMoment, clock) == WallClock::OffsetHours(true), language);
}

long long AnalysisMoments::ShownMinute(double moment)
{
    const QDateTime dateTime = ToDateTime(moment);
    if (!dateTime.isValid()) {
        return 0;
    }
    // Seconds dropped, as the clock shows them; before 1970 too.
    constexpr qint64 MsPerMinute = 60000;
    const qint64 ms = dateTime.toMSecsSinceEpoch();
    return ms >= 0 ? ms / MsPerMinute : -((-ms + MsPerMinute - 1) / MsPerMinute);
}

QString AnalysisMoments::FormatWait(double seconds, TLanguage language)
{
    // A run never lasts more than a few days; anything else is not a wait.
    constexpr double LongestWait = 1e8;
    const double wholeMinutes = std::isfinite(seconds) ? std::floor(std::clamp(seconds, 0.0, LongestWait) / 60.0) : 0.0;
    const auto minutes = static_cast<long long>(wholeMinutes);
    return AnalysisTexts::Text(language, TAnalysisText::WaitFormat)
        .arg(minutes / 60)
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

AnalysisMoments::TClockSpan AnalysisMoments::RoundClockSpan(double from, double to, int maxSteps)
{
    constexpr double HoursPerDay = 24.0;
    TClockSpan span;
    span.Start = std::floor(from * HoursPerDay) / HoursPerDay;
    const double end = std::max(std::ceil(to * HoursPerDay) / HoursPerDay, span.Start + 1.0 / HoursPerDay);
    const auto hours = static_cast<int>(std::lround((end - span.Start) * HoursPerDay));
    for (const int step : {1, 2, 3, 4, 6, 8, 12, 24, 48}) {
        span.StepHours = step;
        if (hours <= step * maxSteps) {
            break;
        }
    }
    const int steps = (hours + span.StepHours - 1) / span.StepHours;
    span.End = span.Start + steps * span.StepHours / HoursPerDay;
    return span;
}
