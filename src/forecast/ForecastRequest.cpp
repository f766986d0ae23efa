#include "ForecastRequest.h"

#include "RoadWarmUp.h"
#include "Scenario.h"
#include "WallClock.h"

#include <QUrlQuery>

#include <algorithm>
#include <cmath>

namespace {

QString coordinate(double degrees)
{
    // Locale-independent, without trailing zeros: "50.8", "4.21".
    return QString::number(degrees, 'g', 10);
}

// Day 0 of date-time values, as QDate counts them.
const QDate DateTimeEpoch(1899, 12, 30);

}  // namespace

QUrl ForecastRequest::ServiceUrl()
{
    const QString given = qEnvironmentVariable(ServiceVariable).trimmed();
    return QUrl(given.isEmpty() ? QString::fromLatin1(DefaultService) : given);
}

QString ForecastRequest::ApiKey()
{
    return qEnvironmentVariable(ApiKeyVariable).trimmed();
}

int ForecastRequest::PastDaysFor(const TScenario& scenario, QDate todayUtc)
{
    const auto start
        = WarmUpStartOf(scenario.LayingDate, scenario.LayingTime, SummerTimeOf(scenario), WarmUpSummerTimeOf(scenario));
    if (!start || !todayUtc.isValid()) {
        return PastDays;
    }
    const double startUtc = WallClock::ToUtc(start->Date, start->ClockOffset);
    const qint64 startDay = static_cast<qint64>(std::floor(startUtc));
    const qint64 days = DateTimeEpoch.daysTo(todayUtc) - startDay;
    return static_cast<int>(std::clamp<qint64>(days, PastDays, MaxPastDays));
}

QUrl ForecastRequest::UrlFor(
    const QUrl& service, double latitudeDeg, double longitudeDeg, int pastDays, const QString& apiKey)
{
    QUrl url = service;
    QUrlQuery query(url);
    query.addQueryItem(QStringLiteral("latitude"), coordinate(latitudeDeg));
    query.addQueryItem(QStringLiteral("longitude"), coordinate(longitudeDeg));
    query.addQueryItem(QStringLiteral("hourly"), QStringLiteral("temperature_2m,wind_speed_10m,cloud_cover"));
    query.addQueryItem(QStringLiteral("wind_speed_unit"), QStringLiteral("ms"));
    query.addQueryItem(QStringLiteral("timezone"), QStringLiteral("UTC"));
    query.addQueryItem(QStringLiteral("past_days"), QString::number(std::clamp(pastDays, PastDays, MaxPastDays)));
    query.addQueryItem(QStringLiteral("forecast_days"), QString::number(ForecastDays));
    if (!apiKey.isEmpty()) {
        // Encoded whole: a "+" left as it is would reach the service as a space.
        query.addQueryItem(QString::fromLatin1(ApiKeyParameter), QString::fromLatin1(QUrl::toPercentEncoding(apiKey)));
    }
    url.setQuery(query);
    return url;
}

QUrl ForecastRequest::UrlFor(double latitudeDeg, double longitudeDeg, int pastDays)
{
    return UrlFor(ServiceUrl(), latitudeDeg, longitudeDeg, pastDays, ApiKey());
}

QString ForecastRequest::Masked(const QString& text, const QString& apiKey)
{
    if (apiKey.isEmpty()) {
        return text;
    }
    QString masked = text;
    // Raw and as the query encodes it: either may appear in a network message.
    masked.replace(apiKey, QStringLiteral("***"));
    masked.replace(QString::fromLatin1(QUrl::toPercentEncoding(apiKey)), QStringLiteral("***"));
    return masked;
}

bool ForecastRequest::NeedsAttribution(const QString& host)
{
    const QString defaultHost = QUrl(QString::fromLatin1(DefaultService)).host();
    // The service's other hosts (its paid tier's) serve the same licensed data.
    const QString domain = defaultHost.section(QLatin1Char('.'), -2);
    const QString asked = host.toLower();
    return asked == domain || asked.endsWith(QLatin1Char('.') + domain);
}
