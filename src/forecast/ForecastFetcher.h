#pragma once

#include "Ensemble.h"
#include "ForecastRequest.h"
#include "WeatherSource.h"

#include <QByteArray>
#include <QDateTime>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class QNetworkReply;

// Why a fetch gave no forecast, one message each for the user.
enum class TForecastFailureKind {
    Unreachable,  // no network, or the service's host not found
    Refused,  // nothing listens at the service's address
    TimedOut,
    HttpStatus,  // the service answered with an error status
    Malformed,  // an answer that is not a JSON forecast
    MemberCount,  // an ensemble's answer of fewer than 2 or more than 100 members
    TooLarge,  // an answer over the cap, cut off as it came
    Truncated,  // the connection closed before the whole answer came
    RedirectLoop,  // sent on from address to address without an end
    Cancelled,
    Other,  // any other network failure (secure connection, protocol)
};

struct TForecastFailure {
    TForecastFailureKind Kind = TForecastFailureKind::Other;
    int HttpStatus = 0;  // HttpStatus only
    QString Detail;  // the parser's or the network's own message, for the curious
    QString Service;  // the host asked
};

// Fetches the hourly forecast for a site in the background: every Fetch ends
// in exactly one fetched or failed, a new Fetch first ending the one running
// as cancelled.
class TForecastFetcher : public QObject {
    Q_OBJECT

public:
    static constexpr int DefaultTimeoutMs = 20000;
    static constexpr qint64 DefaultMaxBytes = qint64{4} * 1024 * 1024;

    explicit TForecastFetcher(QObject* parent = nullptr);
    ~TForecastFetcher() override;

    // At the service ForecastRequest::ServiceUrl gives, pastDays back.
    void Fetch(double latitudeDeg, double longitudeDeg, int pastDays = ForecastRequest::PastDays);
    // The model's ensemble, at the service EnsembleRequest::ServiceUrl gives;
    // ends in fetchedEnsemble or failed.
    void FetchEnsemble(double latitudeDeg, double longitudeDeg, const QString& model);
    void Cancel();
    bool IsFetching() const { return FReply != nullptr; }

    // The whole fetch, from the request to the last byte.
    void SetTimeoutMs(int timeoutMs) { FTimeoutMs = timeoutMs; }
    int TimeoutMs() const { return FTimeoutMs; }
    void SetMaxBytes(qint64 maxBytes) { FMaxBytes = maxBytes; }
    qint64 MaxBytes() const { return FMaxBytes; }

signals:
    // service: the host asked, also the source's name.
    void fetched(std::shared_ptr<const TWeatherSource> source, QDateTime fetchedUtc, QString service);
    void fetchedEnsemble(std::shared_ptr<const TEnsemble> ensemble, QDateTime fetchedUtc, QString service);
    void failed(TForecastFailure failure);

private:
    void Start(const QUrl& url, bool ensemble);
    void Finished();
    void Read(const QByteArray& body);
    void TakeBytes();
    void CheckAnnounced(qint64 received, qint64 total);
    void FailTooLarge();
    // Ends the running request without a word from it.
    void Drop();
    void Fail(TForecastFailureKind kind, const QString& detail, int httpStatus = 0);

    QNetworkAccessManager FNetwork;
    QNetworkReply* FReply = nullptr;
    QByteArray FBody;  // of the running fetch, as it came
    QTimer FTimer;
    QString FService;
    bool FEnsemble = false;  // what the running fetch reads
    QString FApiKey;  // of the running fetch, masked out of every detail
    int FTimeoutMs = DefaultTimeoutMs;
    qint64 FMaxBytes = DefaultMaxBytes;
};
