#include "ForecastRequest.h"

#include <QUrlQuery>

namespace {

QString coordinate(double degrees)
{
    // Locale-independent, without trailing zeros: "50.8", "4.21".
    return QString::number(degrees, 'g', 10);
}

}  // namespace

QUrl ForecastRequest::ServiceUrl()
{
    const QString given = qEnvironmentVariable(ServiceVariable).trimmed();
    return QUrl(given.isEmpty() ? QString::fromLatin1(DefaultService) : given);
}

QUrl ForecastRequest::UrlFor(const QUrl& service, double latitudeDeg, double longitudeDeg)
{
    QUrl url = service;
    QUrlQuery query(url);
    query.addQueryItem(QStringLiteral("latitude"), coordinate(latitudeDeg));
    query.addQueryItem(QStringLiteral("longitude"), coordinate(longitudeDeg));
    query.addQueryItem(QStringLiteral("hourly"), QStringLiteral("temperature_2m,wind_speed_10m,cloud_cover"));
    query.addQueryItem(QStringLiteral("wind_speed_unit"), QStringLiteral("ms"));
    query.addQueryItem(QStringLiteral("timezone"), QStringLiteral("UTC"));
    query.addQueryItem(QStringLiteral("past_days"), QString::number(PastDays));
    query.addQueryItem(QStringLiteral("forecast_days"), QString::number(ForecastDays));
    url.setQuery(query);
    return url;
}

QUrl ForecastRequest::UrlFor(double latitudeDeg, double longitudeDeg)
{
    return UrlFor(ServiceUrl(), latitudeDeg, longitudeDeg);
}
