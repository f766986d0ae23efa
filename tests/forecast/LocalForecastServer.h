#pragma once

#include "WeatherSource.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>

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
    bool FSilent = false;
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
