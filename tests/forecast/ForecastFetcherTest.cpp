#include "ForecastFetcher.h"
#include "ForecastRequest.h"
#include "LocalForecastServer.h"
#include "Scenario.h"

#include <QFile>
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

// The process's peak resident memory since the last resetPeakMemory, in
// bytes; -1 where the system does not tell.
qint64 peakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').front().toLongLong() * 1024;
        }
    }
    return -1;
}

#if defined(__SANITIZE_ADDRESS__)
#define KELVARA_FREED_MEMORY_KEPT 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELVARA_FREED_MEMORY_KEPT 1
#endif
#endif

// Resets the peak peakMemory reads; false where it cannot, or where the peak
// tells nothing: the address sanitizer keeps freed memory resident a while.
bool resetPeakMemory()
{
#ifdef KELVARA_FREED_MEMORY_KEPT
    return false;
#else
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
#endif
}

}  // namespace

class ForecastFetcherTest : public QObject {
    Q_OBJECT

private slots:
    void requestAsksForWhatTheReaderReads();
    void pastDaysReachTheWarmUp_data();
    void pastDaysReachTheWarmUp();
    void apiKeyGoesOnlyToTheService_data();
    void apiKeyGoesOnlyToTheService();
    void fetchEndsAsTheServiceAnswers_data();
    void fetchEndsAsTheServiceAnswers();
    void aNewFetchEndsTheOneRunning();
    void aFastEndlessAnswerIsCutAtTheCap();
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

void ForecastFetcherTest::pastDaysReachTheWarmUp_data()
{
    // The warm-up starts at 00:00 two days before the laying date on the
    // Brussels clock: 22:00 or 23:00 UTC the day before that. The service
    // counts whole UTC days back from today.
    QTest::addColumn<QDate>("laying");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("clock");
    QTest::addColumn<int>("pastDays");
    const auto add = [](const char* name, QDate laying, QDate today, TClockMode clock, int days) {
        QTest::newRow(name) << laying << today << static_cast<int>(clock) << days;
    };
    add("summer, today", QDate(2026, 7, 15), QDate(2026, 7, 15), TClockMode::Auto, 3);
    add("winter, tomorrow", QDate(2026, 1, 15), QDate(2026, 1, 14), TClockMode::Auto, 2);
    add("in two days", QDate(2026, 7, 17), QDate(2026, 7, 15), TClockMode::Auto, 1);
    add("in four days: a day still", QDate(2026, 7, 19), QDate(2026, 7, 15), TClockMode::Auto, 1);
    add("three days ago", QDate(2026, 7, 12), QDate(2026, 7, 15), TClockMode::Auto, 6);
    add("long ago: the service's most", QDate(2025, 7, 15), QDate(2026, 7, 15), TClockMode::Auto, 92);
    // The spring change night falls inside the warm-up, the autumn one at its start.
    add("March change night", QDate(2026, 3, 29), QDate(2026, 3, 29), TClockMode::Auto, 3);
    add("after the March change", QDate(2026, 3, 31), QDate(2026, 3, 31), TClockMode::Auto, 3);
    add("October change day", QDate(2026, 10, 27), QDate(2026, 10, 27), TClockMode::Auto, 3);
    add("forced winter clock", QDate(2026, 7, 15), QDate(2026, 7, 15), TClockMode::Winter, 3);
}

void ForecastFetcherTest::pastDaysReachTheWarmUp()
{
    QFETCH(QDate, laying);
    QFETCH(QDate, today);
    QFETCH(int, clock);
    QFETCH(int, pastDays);
    TScenario scenario;
    scenario.LayingDate = static_cast<double>(QDate(1899, 12, 30).daysTo(laying));
    scenario.LayingTime = 0.5;
    scenario.Clock = static_cast<TClockMode>(clock);
    QCOMPARE(ForecastRequest::PastDaysFor(scenario, today), pastDays);
    const QUrlQuery query(
        ForecastRequest::UrlFor(QUrl(QStringLiteral("https://meteo.example.be/v1/forecast")), 50.8, 4.21, pastDays));
    QCOMPARE(query.queryItemValue(QStringLiteral("past_days")), QString::number(pastDays));
}

void ForecastFetcherTest::apiKeyGoesOnlyToTheService_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::newRow("no key") << QByteArray();
    QTest::newRow("blank key") << QByteArray("  ");
    QTest::newRow("key") << QByteArray("k3y+s/ecret");
}

void ForecastFetcherTest::apiKeyGoesOnlyToTheService()
{
    // Sent as the service's parameter when set; a failure's detail, which
    // the window may log, never holds it.
    QFETCH(QByteArray, key);
    TLocalForecastServer server;
    QVERIFY(server.Listen());
    server.Answer(500, "{}");
    const TForecastUrlOverride local(server.Url());
    if (key.isNull()) {
        qunsetenv(ForecastRequest::ApiKeyVariable);
    } else {
        qputenv(ForecastRequest::ApiKeyVariable, key);
    }
    TForecastFetcher fetcher;
    const TEnding ending(fetcher);
    fetcher.Fetch(50.8, 4.21, 3);
    QTRY_VERIFY_WITH_TIMEOUT(ending.Signals > 0, 10000);
    qunsetenv(ForecastRequest::ApiKeyVariable);
    QVERIFY(ending.Failure.has_value());
    QCOMPARE(ending.Failure->Kind, TForecastFailureKind::HttpStatus);
    QCOMPARE(server.Requests.size(), 1);
    const QByteArray request = server.Requests.front();
    QVERIFY(request.contains("&past_days=3&"));
    const QByteArray secret = key.trimmed();
    if (secret.isEmpty()) {
        QVERIFY(!request.contains("apikey"));
        return;
    }
    // Every reserved character encoded: a bare "+" would arrive as a space.
    QVERIFY2(request.contains("&apikey=k3y%2Bs%2Fecret"), request.constData());
    QVERIFY2(!ending.Failure->Detail.contains(QStringLiteral("k3y")), qPrintable(ending.Failure->Detail));
    QVERIFY(
        !ending.Failure->Detail.contains(QString::fromLatin1(QUrl::toPercentEncoding(QString::fromLatin1(secret)))));
}

void ForecastFetcherTest::fetchEndsAsTheServiceAnswers_data()
{
    // "file", "silent", "refuse", "cancel", a whole answer from "HTTP/" on,
    // or a literal JSON body
    QTest::addColumn<QByteArray>("serve");
    QTest::addColumn<int>("status");
    QTest::addColumn<qint64>("maxBytes");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<TForecastFailureKind>("kind");
    QTest::addColumn<int>("httpStatus");

    const qint64 cap = TForecastFetcher::DefaultMaxBytes;
    const auto ok = TForecastFailureKind::Other;  // unused when it does not fail
    QFile file(ForecastFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray forecast = file.readAll();
    // An answer with these head lines, the body and its announced length.
    const auto answer = [](const char* head, const QByteArray& body, qint64 length) {
        return QByteArray(head) + "\r\nContent-Length: " + QByteArray::number(length) + "\r\nConnection: close\r\n\r\n"
            + body;
    };
    const char* json10 = "HTTP/1.0 200 OK\r\nContent-Type: application/json";
    const char* json11 = "HTTP/1.1 200 OK\r\nContent-Type: application/json";
    const QByteArray csv = "time,air_temp\n2026-12-09T10:00,2.0\n2026-12-09T11:00,2.5\n";
    const QByteArray deflated = qCompress(forecast).mid(4);  // a zlib stream without Qt's size prefix

    QTest::newRow("recorded answer") << QByteArray("file") << 200 << cap << false << ok << 0;
    QTest::newRow("charset given") << answer(
        "HTTP/1.1 200 OK\r\nContent-Type: application/json; charset=utf-8", forecast, forecast.size())
                                   << 200 << cap << false << ok << 0;
    QTest::newRow("compressed") << answer("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Encoding: "
                                          "deflate",
        deflated, deflated.size())
                                << 200 << cap << false << ok << 0;
    QTest::newRow("not found") << QByteArray("{}") << 404 << cap << true << TForecastFailureKind::HttpStatus << 404;
    QTest::newRow("server error") << QByteArray("oops") << 503 << cap << true << TForecastFailureKind::HttpStatus
                                  << 503;
    QTest::newRow("malformed JSON") << QByteArray(R"({"hourly": {"time": [)") << 200 << cap << true
                                    << TForecastFailureKind::Malformed << 0;
    QTest::newRow("not a forecast") << QByteArray(R"({"error": true, "reason": "x"})") << 200 << cap << true
                                    << TForecastFailureKind::Malformed << 0;
    QTest::newRow("CSV answer") << answer("HTTP/1.1 200 OK\r\nContent-Type: text/csv", csv, csv.size()) << 200 << cap
                                << true << TForecastFailureKind::Malformed << 0;
    QTest::newRow("CSV called JSON") << answer(json11, csv, csv.size()) << 200 << cap << true
                                     << TForecastFailureKind::Malformed << 0;
    QTest::newRow("JSON called CSV") << answer("HTTP/1.1 200 OK\r\nContent-Type: text/csv", forecast, forecast.size())
                                     << 200 << cap << true << TForecastFailureKind::Malformed << 0;
    QTest::newRow("no type") << answer("HTTP/1.1 200 OK", forecast, forecast.size()) << 200 << cap << true
                             << TForecastFailureKind::Malformed << 0;
    // The whole forecast came, whitespace did not: still an answer cut short.
    QTest::newRow("HTTP/1.0 cut short") << answer(json10, forecast + "\n", forecast.size() + 100) << 200 << cap << true
                                        << TForecastFailureKind::Truncated << 0;
    QTest::newRow("HTTP/1.0 cut in half") << answer(json10, forecast.left(forecast.size() / 2), forecast.size()) << 200
                                          << cap << true << TForecastFailureKind::Truncated << 0;
    QTest::newRow("HTTP/1.1 cut short") << answer(json11, forecast + "\n", forecast.size() + 100) << 200 << cap << true
                                        << TForecastFailureKind::Truncated << 0;
    QTest::newRow("chunked cut short")
        << "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nTransfer-Encoding: chunked\r\n\r\n"
            + QByteArray::number(forecast.size(), 16) + "\r\n" + forecast + "\r\n"
        << 200 << cap << true << TForecastFailureKind::Truncated << 0;
    QTest::newRow("redirect loop") << answer("HTTP/1.1 302 Found\r\nLocation: /v1/forecast", {}, 0) << 302 << cap
                                   << true << TForecastFailureKind::RedirectLoop << 0;
    QTest::newRow("too large") << QByteArray("file") << 200 << qint64(1000) << true << TForecastFailureKind::TooLarge
                               << 0;
    QTest::newRow("too large, length untold") << QByteArray(json10) + "\r\n\r\n" + forecast << 200 << qint64(1000)
                                              << true << TForecastFailureKind::TooLarge << 0;
    QTest::newRow("refused") << QByteArray("refuse") << 0 << cap << true << TForecastFailureKind::Refused << 0;
    QTest::newRow("never answers") << QByteArray("silent") << 0 << cap << true << TForecastFailureKind::TimedOut << 0;
    QTest::newRow("cancelled") << QByteArray("cancel") << 0 << cap << true << TForecastFailureKind::Cancelled << 0;
}

void ForecastFetcherTest::fetchEndsAsTheServiceAnswers()
{
    QFETCH(QByteArray, serve);
    QFETCH(int, status);
    QFETCH(qint64, maxBytes);
    QFETCH(bool, fails);
    QFETCH(TForecastFailureKind, kind);
    QFETCH(int, httpStatus);

    TLocalForecastServer server;
    QVERIFY(server.Listen());
    if (serve == "file") {
        server.AnswerFile(ForecastFile);
    } else if (serve == "silent" || serve == "cancel") {
        server.KeepSilent();
    } else if (serve.startsWith("HTTP/")) {
        server.AnswerRaw(serve);
    } else {
        server.Answer(status, serve);
    }
    const QString url = serve == "refuse"
        ? QStringLiteral("http://127.0.0.1:%1/v1/forecast").arg(TLocalForecastServer::RefusingPort())
        : server.Url();
    const TForecastUrlOverride local(url);

    TForecastFetcher fetcher;
    fetcher.SetTimeoutMs(serve == "silent" ? 500 : 8000);
    fetcher.SetMaxBytes(maxBytes);
    const TEnding ending(fetcher);
    QSignalSpy requested(&server, &TLocalForecastServer::requested);
    fetcher.Fetch(50.8, 4.21);
    QVERIFY(fetcher.IsFetching());
    if (serve == "cancel") {
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

void ForecastFetcherTest::aFastEndlessAnswerIsCutAtTheCap()
{
    // An answer that never ends, faster than the event loop reads it: cut
    // off once over the cap, the memory held meanwhile a few times the cap at
    // most (the answer itself, the network layer's bounded buffer).
    TStreamingForecastServer server;
    QVERIFY(server.Listen());
    const TForecastUrlOverride local(server.Url());
    TForecastFetcher fetcher;
    fetcher.SetTimeoutMs(30000);
    const TEnding ending(fetcher);
    const bool measured = resetPeakMemory();
    const qint64 before = peakMemory();
    fetcher.Fetch(50.8, 4.21);
    QTRY_VERIFY_WITH_TIMEOUT(ending.Signals > 0, 30000);
    QVERIFY(ending.Failure.has_value());
    QCOMPARE(ending.Failure->Kind, TForecastFailureKind::TooLarge);
    const qint64 cap = fetcher.MaxBytes();
    if (measured && before > 0) {
        const qint64 growth = peakMemory() - before;
        QVERIFY2(growth < 3 * cap, qPrintable(QStringLiteral("peak memory grew by %1 bytes").arg(growth)));
    }
    // The connection's own buffers aside, the server could send little more.
    QVERIFY2(
        server.Streamed() < cap + 16 * 1024 * 1024, qPrintable(QStringLiteral("%1 bytes sent").arg(server.Streamed())));
}

QTEST_GUILESS_MAIN(ForecastFetcherTest)
#include "ForecastFetcherTest.moc"
