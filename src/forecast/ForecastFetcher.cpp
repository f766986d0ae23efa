#include "ForecastFetcher.h"

#include "EnsembleRequest.h"
#include "ForecastRequest.h"

#include <QNetworkReply>
#include <QNetworkRequest>

#include <utility>

namespace {

constexpr int MaxRedirects = 5;
// What the network layer may hold for us before we take it: with a bound set,
// it stops reading the connection until we do, so that a fast answer cannot
// pile up in memory behind the cap.
constexpr qint64 ReadBufferBytes = qint64{64} * 1024;

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
    case QNetworkReply::RemoteHostClosedError:
        return TForecastFailureKind::Truncated;
    case QNetworkReply::TooManyRedirectsError:
        return TForecastFailureKind::RedirectLoop;
    default:
        return TForecastFailureKind::Other;
    }
}

// The service answers JSON: application/json or a +json type, parameters aside.
bool isJsonType(const QString& contentType)
{
    const QString type = contentType.section(QLatin1Char(';'), 0, 0).trimmed().toLower();
    return type == QLatin1String("application/json") || type.endsWith(QLatin1String("+json"));
}

// A JSON object, as the forecast is; the reader would take a CSV too.
bool looksLikeJsonObject(const QByteArray& body)
{
    qsizetype at = body.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (at < body.size() && (body[at] == ' ' || body[at] == '\t' || body[at] == '\r' || body[at] == '\n')) {
        ++at;
    }
    return at < body.size() && body[at] == '{';
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

void TForecastFetcher::Fetch(double latitudeDeg, double longitudeDeg, int pastDays)
{
    Start(ForecastRequest::UrlFor(latitudeDeg, longitudeDeg, pastDays), false);
}

void TForecastFetcher::FetchEnsemble(double latitudeDeg, double longitudeDeg, const QString& model)
{
    Start(EnsembleRequest::UrlFor(EnsembleRequest::ServiceUrl(), latitudeDeg, longitudeDeg, model), true);
}

void TForecastFetcher::Start(const QUrl& url, bool ensemble)
{
    if (IsFetching()) {
        Cancel();
    }
    FEnsemble = ensemble;
    FApiKey = ForecastRequest::ApiKey();
    FService = url.host();
    QNetworkRequest request(url);
    // Never from https down to http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(MaxRedirects);
    request.setRawHeader("Accept", "application/json");
    FBody.clear();
    FReply = FNetwork.get(request);
    FReply->setReadBufferSize(ReadBufferBytes);
    connect(FReply, &QNetworkReply::readyRead, this, &TForecastFetcher::TakeBytes);
    connect(FReply, &QNetworkReply::downloadProgress, this, &TForecastFetcher::CheckAnnounced);
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
    FBody = QByteArray();
}

void TForecastFetcher::Fail(TForecastFailureKind kind, const QString& detail, int httpStatus)
{
    // The network's messages quote the address asked, key and all.
    emit failed(TForecastFailure{kind, httpStatus, ForecastRequest::Masked(detail, FApiKey), FService});
}

void TForecastFetcher::TakeBytes()
{
    // A runaway answer is cut off as it comes, before it fills the memory.
    if (!FReply) {
        return;
    }
    FBody += FReply->read(FMaxBytes + 1 - FBody.size());
    if (FBody.size() > FMaxBytes) {
        FailTooLarge();
    }
}

void TForecastFetcher::CheckAnnounced(qint64 received, qint64 total)
{
    // An answer announced over the cap is not worth starting on.
    if (FReply && (total > FMaxBytes || received > FMaxBytes)) {
        FailTooLarge();
    }
}

void TForecastFetcher::FailTooLarge()
{
    Drop();
    Fail(TForecastFailureKind::TooLarge, QStringLiteral("answer larger than %1 bytes").arg(FMaxBytes));
}

void TForecastFetcher::Finished()
{
    if (!FReply) {
        return;
    }
    TakeBytes();
    if (!FReply) {
        return;  // over the cap
    }
    QNetworkReply* reply = FReply;
    FReply = nullptr;
    FTimer.stop();
    reply->deleteLater();
    disconnect(reply, nullptr, this, nullptr);
    const QByteArray body = std::exchange(FBody, QByteArray());

    // A loop ends on a redirect status: said as the loop it is.
    if (reply->error() == QNetworkReply::TooManyRedirectsError) {
        Fail(TForecastFailureKind::RedirectLoop, reply->errorString());
        return;
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299)) {
        Fail(TForecastFailureKind::HttpStatus, reply->errorString(), status.toInt());
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        Fail(kindOf(reply->error()), reply->errorString());
        return;
    }
    // An HTTP/1.0 answer ends when the connection closes, early or not: the
    // announced length tells.
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != body.size()) {
        Fail(TForecastFailureKind::Truncated,
            QStringLiteral("%1 of %2 bytes received").arg(body.size()).arg(length.toLongLong()));
        return;
    }
    const QString type = reply->header(QNetworkRequest::ContentTypeHeader).toString();
    if (!isJsonType(type) || !looksLikeJsonObject(body)) {
        Fail(TForecastFailureKind::Malformed, QStringLiteral("not a JSON answer (type \"%1\")").arg(type.left(40)));
        return;
    }
    Read(body);
}

void TForecastFetcher::Read(const QByteArray& body)
{
    try {
        if (FEnsemble) {
            auto ensemble = std::make_shared<const TEnsemble>(
                EnsembleSource::ReadText(body.toStdString(), FService.toStdString()));
            emit fetchedEnsemble(std::move(ensemble), QDateTime::currentDateTimeUtc(), FService);
        } else {
            auto source = std::make_shared<const TWeatherSource>(
                WeatherSource::ReadText(body.toStdString(), FService.toStdString()));
            emit fetched(std::move(source), QDateTime::currentDateTimeUtc(), FService);
        }
    } catch (const TWeatherError& error) {
        Fail(error.Kind() == TWeatherErrorKind::MemberCount ? TForecastFailureKind::MemberCount
                                                            : TForecastFailureKind::Malformed,
            QString::fromUtf8(error.what()));
    }
}
