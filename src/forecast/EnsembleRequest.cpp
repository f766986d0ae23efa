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
    // The forecast's own query, the same provider's key included, on a base
    // that already asks for the model.
    QUrl withModel = service;
    QUrlQuery query(withModel);
    query.addQueryItem(QStringLiteral("models"), model);
    withModel.setQuery(query);
    return ForecastRequest::UrlFor(withModel, latitudeDeg, longitudeDeg, PastDays, ForecastRequest::ApiKey());
}
