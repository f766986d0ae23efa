#pragma once

#include "WeatherSource.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QThread>

#include <atomic>

class QTcpSocket;

// A forecast service on 127.0.0.1 for tests: answers every request with one
// recorded response, or keeps silent.
class TLocalForecastServer : public QObject {
    Q_OBJECT

public:
    explicit TLocalForecastServer(QObject* parent = nullptr);
    ~TLocalForecastServer() override;

    // On a free port; false when none can be had.
    bool Listen();
    // The base address to put in KELVARA_FORECAST_URL.
    QString Url() const;
    void Answer(int status, const QByteArray& body);
    void AnswerFile(const QString& path);
    // Every request answered with these bytes as they are (head and body),
    // then the connection closed.
    void AnswerRaw(const QByteArray& response);
    // Reads requests and never answers them.
    void KeepSilent() { FSilent = true; }

    // The request lines received ("GET /v1/forecast?... HTTP/1.1").
    QList<QByteArray> Requests;

    // A port on 127.0.0.1 on which nothing listens.
    static quint16 RefusingPort();

signals:
    void requested();

private:
    void Read(QTcpSocket* socket);

    QTcpServer FServer;
    QHash<QTcpSocket*, QByteArray> FReceived;  // until the request's head is in
    int FStatus = 200;
    QByteArray FBody;
    bool FRaw = false;
    bool FSilent = false;
};

// A service on 127.0.0.1 that answers one request with an endless chunked
// answer, written from its own thread as fast as the reader takes it, as a
// remote server would whatever the reader's event loop does.
class TStreamingForecastServer : public QThread {
public:
    TStreamingForecastServer() = default;
    ~TStreamingForecastServer() override;

    // Listens on a free port; false when none can be had.
    bool Listen();
    QString Url() const;
    // The body bytes written so far.
    qint64 Streamed() const { return FStreamed.load(); }

private:
    void run() override;

    std::atomic<qint64> FStreamed{0};
    std::atomic<bool> FStop{false};
    std::atomic<int> FPort{-1};  // 0 when the listening failed
};

// Two sources hold the same samples (their names aside).
bool SameSamples(const TWeatherSource& a, const TWeatherSource& b);

// Points KELVARA_FORECAST_URL at an address while alive.
class TForecastUrlOverride {
public:
    explicit TForecastUrlOverride(const QString& url);
    ~TForecastUrlOverride();
    TForecastUrlOverride(const TForecastUrlOverride&) = delete;
    TForecastUrlOverride& operator=(const TForecastUrlOverride&) = delete;
};
