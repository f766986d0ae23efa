#include "ForecastFetcher.h"

#include "ForecastRequest.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

constexpr int MaxRedirects = 5;

TForecastFailureKind kindOf(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyNotFoundError:
        return TForecastFailureKind::Unreachable;
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::ProxyConnectionRefusedError:
        return TForecastFailureKind::Refused;
    case QNetworkReply::TimeoutError:
    case QNetworkReply::ProxyTimeoutError:
        return TForecastFailureKind::TimedOut;
    default:
        return TForecastFailureKind::Other;
    }
}

}  // namespace

TForecastFetcher::TForecastFetcher(QObject* parent) : QObject(parent)
{
    FTimer.setSingleShot(true);
    connect(&FTimer, &QTimer::timeout, this, [this] {
        Drop();
        Fail(TForecastFailureKind::TimedOut, QString());
    });
}

TForecastFetcher::~TForecastFetcher()
{
    Drop();
}

void TForecastFetcher::Fetch(double latitudeDeg, double longitudeDeg)
{
    if (IsFetching()) {
        Cancel();
    }
    const QUrl url = ForecastRequest::UrlFor(latitudeDeg, longitudeDeg);
    FService = url.host();
    QNetworkRequest request(url);
    // Never from https down to http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(MaxRedirects);
    request.setRawHeader("Accept", "application/json");
    FReply = FNetwork.get(request);
    connect(FReply, &QNetworkReply::readyRead, this, &TForecastFetcher::CheckSize);
    connect(FReply, &QNetworkReply::finished, this, &TForecastFetcher::Finished);
    FTimer.start(FTimeoutMs);
}

void TForecastFetcher::Cancel()
{
    if (!IsFetching()) {
        return;
    }
    Drop();
    Fail(TForecastFailureKind::Cancelled, QString());
}

void TForecastFetcher::Drop()
{
    FTimer.stop();
    if (!FReply) {
        return;
    }
    QNetworkReply* reply = FReply;
    FReply = nullptr;
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
}

void TForecastFetcher::Fail(TForecastFailureKind kind, const QString& detail, int httpStatus)
{
    emit failed(TForecastFailure{kind, httpStatus, detail, FService});
}

void TForecastFetcher::CheckSize()
{
    // A runaway answer is cut off before it fills the memory.
    if (FReply && FReply->bytesAvailable() > FMaxBytes) {
        Drop();
        Fail(TForecastFailureKind::Malformed, QStringLiteral("answer larger than %1 bytes").arg(FMaxBytes));
    }
}

void TForecastFetcher::Finished()
{
    if (!FReply) {
        return;
    }
    QNetworkReply* reply = FReply;
    FReply = nullptr;
    FTimer.stop();
    reply->deleteLater();
    disconnect(reply, nullptr, this, nullptr);

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299)) {
        Fail(TForecastFailureKind::HttpStatus, reply->errorString(), status.toInt());
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        Fail(kindOf(reply->error()), reply->errorString());
        return;
    }
    const QByteArray body = reply->readAll();
    if (body.size() > FMaxBytes) {
        Fail(TForecastFailureKind::Malformed, QStringLiteral("answer larger than %1 bytes").arg(FMaxBytes));
        return;
    }
    try {
        auto source = std::make_shared<const TWeatherSource>(
            WeatherSource::ReadText(body.toStdString(), FService.toStdString()));
        emit fetched(std::move(source), QDateTime::currentDateTimeUtc(), FService);
    } catch (const TWeatherError& error) {
        Fail(TForecastFailureKind::Malformed, QString::fromUtf8(error.what()));
    }
}
