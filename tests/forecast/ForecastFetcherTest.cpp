#include "ForecastFetcher.h"
#include "ForecastRequest.h"
#include "LocalForecastServer.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

#include <optional>

Q_DECLARE_METATYPE(TForecastFailureKind)

namespace {

const QString ForecastFile = QStringLiteral(KELVARA_TEST_DATA "/weather/forecast-utc.json");

// What a fetcher ended with: every signal it sent.
struct TEnding {
    explicit TEnding(TForecastFetcher& fetcher)
    {
        QObject::connect(&fetcher, &TForecastFetcher::fetched, &Context,
            [this](std::shared_ptr<const TWeatherSource> source, const QDateTime&, const QString& service) {
                Source = std::move(source);
                Service = service;
                ++Signals;
            });
        QObject::connect(&fetcher, &TForecastFetcher::failed, &Context, [this](const TForecastFailure& failure) {
            Failure = failure;
            ++Signals;
        });
    }
    QObject Context;
    std::shared_ptr<const TWeatherSource> Source;
    QString Service;
    std::optional<TForecastFailure> Failure;
    int Signals = 0;
};

}  // namespace

class ForecastFetcherTest : public QObject {
    Q_OBJECT

private slots:
    void requestAsksForWhatTheReaderReads();
    void fetchEndsAsTheServiceAnswers_data();
    void fetchEndsAsTheServiceAnswers();
    void aNewFetchEndsTheOneRunning();
};

void ForecastFetcherTest::requestAsksForWhatTheReaderReads()
{
    const QUrl url = ForecastRequest::UrlFor(QUrl(QStringLiteral("https://meteo.example.be/api?key=k1")), 50.8, 4.21);
    QCOMPARE(url.host(), QStringLiteral("meteo.example.be"));
    QCOMPARE(url.path(), QStringLiteral("/api"));
    const QUrlQuery query(url);
    QCOMPARE(query.queryItemValue(QStringLiteral("key")), QStringLiteral("k1"));
    QCOMPARE(query.queryItemValue(QStringLiteral("latitude")), QStringLiteral("50.8"));
    QCOMPARE(query.queryItemValue(QStringLiteral("longitude")), QStringLiteral("4.21"));
    QCOMPARE(
        query.queryItemValue(QStringLiteral("hourly")), QStringLiteral("temperature_2m,wind_speed_10m,cloud_cover"));
    QCOMPARE(query.queryItemValue(QStringLiteral("wind_speed_unit")), QStringLiteral("ms"));
    QCOMPARE(query.queryItemValue(QStringLiteral("timezone")), QStringLiteral("UTC"));
    QCOMPARE(query.queryItemValue(QStringLiteral("past_days")), QStringLiteral("1"));

    qunsetenv(ForecastRequest::ServiceVariable);
    QCOMPARE(ForecastRequest::ServiceUrl(), QUrl(QString::fromLatin1(ForecastRequest::DefaultService)));
    const TForecastUrlOverride local(QStringLiteral("http://127.0.0.1:9/v1/forecast"));
    QCOMPARE(ForecastRequest::UrlFor(50.8, 4.21).port(), 9);
}

void ForecastFetcherTest::fetchEndsAsTheServiceAnswers_data()
{
    QTest::addColumn<QString>("serve");  // "file", "silent", "refuse", "cancel" or a literal body
    QTest::addColumn<int>("status");
    QTest::addColumn<qint64>("maxBytes");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<TForecastFailureKind>("kind");
    QTest::addColumn<int>("httpStatus");

    const qint64 cap = TForecastFetcher::DefaultMaxBytes;
    const auto ok = TForecastFailureKind::Other;  // unused when it does not fail
    QTest::newRow("recorded answer") << "file" << 200 << cap << false << ok << 0;
    QTest::newRow("not found") << "{}" << 404 << cap << true << TForecastFailureKind::HttpStatus << 404;
    QTest::newRow("server error") << "oops" << 503 << cap << true << TForecastFailureKind::HttpStatus << 503;
    QTest::newRow("malformed JSON") << R"({"hourly": {"time": [)" << 200 << cap << true
                                    << TForecastFailureKind::Malformed << 0;
    QTest::newRow("not a forecast") << R"({"error": true, "reason": "x"})" << 200 << cap << true
                                    << TForecastFailureKind::Malformed << 0;
    QTest::newRow("too large") << "file" << 200 << qint64(1000) << true << TForecastFailureKind::Malformed << 0;
    QTest::newRow("refused") << "refuse" << 0 << cap << true << TForecastFailureKind::Refused << 0;
    QTest::newRow("never answers") << "silent" << 0 << cap << true << TForecastFailureKind::TimedOut << 0;
    QTest::newRow("cancelled") << "cancel" << 0 << cap << true << TForecastFailureKind::Cancelled << 0;
}

void ForecastFetcherTest::fetchEndsAsTheServiceAnswers()
{
    QFETCH(QString, serve);
    QFETCH(int, status);
    QFETCH(qint64, maxBytes);
    QFETCH(bool, fails);
    QFETCH(TForecastFailureKind, kind);
    QFETCH(int, httpStatus);

    TLocalForecastServer server;
    QVERIFY(server.Listen());
    if (serve == QLatin1String("file")) {
        server.AnswerFile(ForecastFile);
    } else if (serve == QLatin1String("silent") || serve == QLatin1String("cancel")) {
        server.KeepSilent();
    } else {
        server.Answer(status, serve.toUtf8());
    }
    const QString url = serve == QLatin1String("refuse")
        ? QStringLiteral("http://127.0.0.1:%1/v1/forecast").arg(TLocalForecastServer::RefusingPort())
        : server.Url();
    const TForecastUrlOverride local(url);

    TForecastFetcher fetcher;
    fetcher.SetTimeoutMs(serve == QLatin1String("silent") ? 500 : 8000);
    fetcher.SetMaxBytes(maxBytes);
    const TEnding ending(fetcher);
    QSignalSpy requested(&server, &TLocalForecastServer::requested);
    fetcher.Fetch(50.8, 4.21);
    QVERIFY(fetcher.IsFetching());
    if (serve == QLatin1String("cancel")) {
        QVERIFY(requested.wait(5000));
        fetcher.Cancel();
    }
    QTRY_VERIFY_WITH_TIMEOUT(ending.Signals > 0, 10000);
    QTest::qWait(50);  // nothing more comes after the ending
    QVERIFY(!fetcher.IsFetching());
    QCOMPARE(ending.Signals, 1);
    QCOMPARE(ending.Failure.has_value(), fails);
    if (fails) {
        QCOMPARE(ending.Failure->Kind, kind);
        QCOMPARE(ending.Failure->HttpStatus, httpStatus);
        QCOMPARE(ending.Failure->Service, QStringLiteral("127.0.0.1"));
        if (kind == TForecastFailureKind::Malformed) {
            QVERIFY(!ending.Failure->Detail.isEmpty());
        }
        return;
    }
    QCOMPARE(ending.Service, QStringLiteral("127.0.0.1"));
    QCOMPARE(QString::fromStdString(ending.Source->File), QStringLiteral("127.0.0.1"));
    QVERIFY(SameSamples(*ending.Source, WeatherSource::ReadFile(ForecastFile.toStdString())));
    QCOMPARE(ending.Source->AirTemp.size(), std::size_t(48));
    QCOMPARE(server.Requests.size(), 1);
    QVERIFY(server.Requests.front().startsWith("GET /v1/forecast?latitude=50.8&longitude=4.21&"));
}

void ForecastFetcherTest::aNewFetchEndsTheOneRunning()
{
    TLocalForecastServer server;
    QVERIFY(server.Listen());
    server.KeepSilent();
    const TForecastUrlOverride local(server.Url());
    TForecastFetcher fetcher;
    QList<TForecastFailureKind> failures;
    int fetched = 0;
    connect(&fetcher, &TForecastFetcher::failed, this, [&](const TForecastFailure& f) { failures << f.Kind; });
    connect(&fetcher, &TForecastFetcher::fetched, this, [&] { ++fetched; });

    fetcher.Fetch(50.8, 4.21);
    QSignalSpy requested(&server, &TLocalForecastServer::requested);
    QVERIFY(requested.wait(5000));
    server.AnswerFile(ForecastFile);
    fetcher.Fetch(51.0, 5.0);
    QCOMPARE(failures, QList<TForecastFailureKind>{TForecastFailureKind::Cancelled});
    QTRY_COMPARE_WITH_TIMEOUT(fetched, 1, 5000);
    QCOMPARE(failures.size(), 1);
    QVERIFY(server.Requests.back().contains("latitude=51&longitude=5&"));

    // Idle, Cancel says nothing.
    fetcher.Cancel();
    QTest::qWait(50);
    QCOMPARE(failures.size(), 1);
    QCOMPARE(fetched, 1);
}

QTEST_GUILESS_MAIN(ForecastFetcherTest)
#include "ForecastFetcherTest.moc"
