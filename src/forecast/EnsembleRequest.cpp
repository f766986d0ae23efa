#include "EnsembleRequest.h"

#include "ForecastRequest.h"

#include <QUrlQuery>

QUrl EnsembleRequest::ServiceUrl()
{
    const QString given = qEnvironmentVariable(ServiceVariable).trimmed();
    return QUrl(given.isEmpty() ? QString::fromLatin1(DefaultService) : given);
}

QUrl EnsembleRequest::UrlFor(const QUrl& service, double latitudeDeg, double longitudeDeg, const QString& model)
{
    QUrl url = service;
    QUrlQuery query(url);
    // Locale-independent, without trailing zeros: "50.8", "4.21".
    query.addQueryItem(QStringLiteral("latitude"), QString::number(latitudeDeg, 'g', 10));
    query.addQueryItem(QStringLiteral("longitude"), QString::number(longitudeDeg, 'g', 10));
    query.addQueryItem(QStringLiteral("hourly"), QStringLiteral("temperature_2m,wind_speed_10m,cloud_cover"));
    query.addQueryItem(QStringLiteral("models"), model);
    query.addQueryItem(QStringLiteral("wind_speed_unit"), QStringLiteral("ms"));
    query.addQueryItem(QStringLiteral("timezone"), QStringLiteral("UTC"));
    query.addQueryItem(QStringLiteral("past_days"), QString::number(PastDays));
    query.addQueryItem(QStringLiteral("forecast_days"), QString::number(ForecastDays));
    // The same provider's key, when an organisation has one.
    if (const QString key = ForecastRequest::ApiKey(); !key.isEmpty()) {
        query.addQueryItem(
            QString::fromLatin1(ForecastRequest::ApiKeyParameter), QString::fromLatin1(QUrl::toPercentEncoding(key)));
    }
    url.setQuery(query);
    return url;
}
