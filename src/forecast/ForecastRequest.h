#pragma once

#include <QDate>
#include <QString>
#include <QUrl>

struct TScenario;

// The request for the hourly forecast of a site: air temperature, wind speed
// in m/s and cloud cover, moments in UTC, from a few days back (the road's
// warm-up before a laying) to a few days ahead, as WeatherSource::ReadText
// reads it.
namespace ForecastRequest {

inline constexpr const char* DefaultService = "https://api.open-meteo.com/v1/forecast";
// The whole base address of another service (an organisation's own, a test's).
inline constexpr const char* ServiceVariable = "KELVARA_FORECAST_URL";
// A key for a service that asks one, sent as its "apikey" parameter; never
// written to a log or a message.
inline constexpr const char* ApiKeyVariable = "KELVARA_FORECAST_APIKEY";
inline constexpr const char* ApiKeyParameter = "apikey";
// At least a day back, for a laying earlier today; the service gives at most
// MaxPastDays.
inline constexpr int PastDays = 1;
inline constexpr int MaxPastDays = 92;
inline constexpr int ForecastDays = 4;

// The service's base address: the variable's value when set and not empty.
QUrl ServiceUrl();
// The key's variable, trimmed; empty when not set.
QString ApiKey();
// Days back from todayUtc (the service counts whole UTC days) that reach the
// start of the road's warm-up before the scenario's laying: 00:00 two days
// before the laying date on the clock then in force. PastDays at least,
// MaxPastDays at most.
int PastDaysFor(const TScenario& scenario, QDate todayUtc);
// That base address with the query for the coordinates (degrees north, east)
// and the key when one is given; a query the base already holds is kept.
QUrl UrlFor(const QUrl& service, double latitudeDeg, double longitudeDeg, int pastDays = PastDays,
    const QString& apiKey = QString());
// At ServiceUrl, with ApiKey.
QUrl UrlFor(double latitudeDeg, double longitudeDeg, int pastDays = PastDays);
// The address as it may be shown or logged: the key's value masked.
QString Masked(const QString& text, const QString& apiKey);
// Whether data from this host come under the public service's licence,
// which asks to be named beside them.
bool NeedsAttribution(const QString& host);

}  // namespace ForecastRequest
