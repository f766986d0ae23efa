#include "LocalForecastServer.h"

#include "ForecastRequest.h"

#include <QFile>
#include <QTcpSocket>

#include <algorithm>

TLocalForecastServer::TLocalForecastServer(QObject* parent) : QObject(parent)
{
    connect(&FServer, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = FServer.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                FReceived.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

TLocalForecastServer::~TLocalForecastServer()
{
    // The connections are the server's children: gone before the buffers they
    // report to would be.
    for (QTcpSocket* socket : FServer.findChildren<QTcpSocket*>()) {
        disconnect(socket, nullptr, this, nullptr);
        delete socket;
    }
}

bool TLocalForecastServer::Listen()
{
    return FServer.listen(QHostAddress::LocalHost, 0);
}

QString TLocalForecastServer::Url() const
{
    return QStringLiteral("http://127.0.0.1:%1/v1/forecast").arg(FServer.serverPort());
}

void TLocalForecastServer::Answer(int status, const QByteArray& body)
{
    FStatus = status;
    FBody = body;
    FRaw = false;
    FSilent = false;
}

void TLocalForecastServer::AnswerRaw(const QByteArray& response)
{
    Answer(0, response);
    FRaw = true;
}

void TLocalForecastServer::AnswerFile(const QString& path)
{
    QFile file(path);
    Answer(200, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
}

void TLocalForecastServer::Read(QTcpSocket* socket)
{
    QByteArray& received = FReceived[socket];
    received += socket->readAll();
    if (!received.contains("\r\n\r\n")) {
        return;
    }
    Requests << received.left(received.indexOf("\r\n"));
    received.clear();
    emit requested();
    if (FSilent) {
        return;
    }
    if (FRaw) {
        socket->write(FBody);
        socket->disconnectFromHost();
        return;
    }
    const QByteArray reason = FStatus == 200 ? "OK" : FStatus == 404 ? "Not Found" : "Error";
    socket->write("HTTP/1.1 " + QByteArray::number(FStatus) + ' ' + reason
        + "\r\nContent-Type: application/json\r\nContent-Length: " + QByteArray::number(FBody.size())
        + "\r\nConnection: close\r\n\r\n" + FBody);
    socket->disconnectFromHost();
}

quint16 TLocalForecastServer::RefusingPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) {
        return 0;
    }
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

TStreamingForecastServer::~TStreamingForecastServer()
{
    FStop = true;
    wait();
}

bool TStreamingForecastServer::Listen()
{
    start();
    while (FPort.load() < 0) {
        QThread::msleep(1);
    }
    return FPort.load() > 0;
}

QString TStreamingForecastServer::Url() const
{
    return QStringLiteral("http://127.0.0.1:%1/v1/forecast").arg(FPort.load());
}

void TStreamingForecastServer::run()
{
    QTcpServer server;
    FPort = server.listen(QHostAddress::LocalHost, 0) ? server.serverPort() : 0;
    constexpr int waitMs = 100;
    while (!FStop && !server.waitForNewConnection(waitMs)) { }
    QTcpSocket* socket = server.nextPendingConnection();
    if (!socket) {
        return;
    }
    QByteArray head;
    while (!FStop && !head.contains("\r\n\r\n") && socket->state() == QAbstractSocket::ConnectedState) {
        socket->waitForReadyRead(waitMs);
        head += socket->readAll();
    }
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nTransfer-Encoding: chunked\r\n\r\n"
                  "c\r\n{\"filler\": \"\r\n");
    constexpr qint64 chunkBytes = 64 * 1024;
    const QByteArray chunk = QByteArray::number(chunkBytes, 16) + "\r\n" + QByteArray(chunkBytes, 'x') + "\r\n";
    // Until the reader hangs up: a few chunks waiting at most on this side.
    while (!FStop && socket->state() == QAbstractSocket::ConnectedState) {
        if (socket->bytesToWrite() < 4 * chunkBytes) {
            socket->write(chunk);
            FStreamed += chunkBytes;
        } else {
            socket->waitForBytesWritten(waitMs);
        }
    }
}

namespace {

bool sameSeries(const std::vector<TWeatherSample>& a, const std::vector<TWeatherSample>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const TWeatherSample& x, const TWeatherSample& y) {
        return x.Moment.CivilSeconds == y.Moment.CivilSeconds && x.Moment.OffsetSeconds == y.Moment.OffsetSeconds
            && x.Value == y.Value;
    });
}

}  // namespace

bool SameSamples(const TWeatherSource& a, const TWeatherSource& b)
{
    return sameSeries(a.AirTemp, b.AirTemp) && sameSeries(a.WindSpeed, b.WindSpeed)
        && sameSeries(a.CloudCover, b.CloudCover);
}

TForecastUrlOverride::TForecastUrlOverride(const QString& url)
{
    qputenv(ForecastRequest::ServiceVariable, url.toUtf8());
}

TForecastUrlOverride::~TForecastUrlOverride()
{
    qunsetenv(ForecastRequest::ServiceVariable);
}
