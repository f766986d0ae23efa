#pragma once

#include <QUrl>

// The request for the hourly forecast of a site: air temperature, wind speed
// in m/s and cloud cover, moments in UTC, from a day back (a laying earlier
// today) to a few days ahead, as WeatherSource::ReadText reads it.
namespace ForecastRequest {

inline constexpr const char* DefaultService = "https://api.open-meteo.com/v1/forecast";
// The whole base address of another service (an organisation's own, a test's).
inline constexpr const char* ServiceVariable = "KELVARA_FORECAST_URL";
inline constexpr int PastDays = 1;
inline constexpr int ForecastDays = 4;

// The service's base address: the variable's value when set and not empty.
QUrl ServiceUrl();
// That base address with the query for the coordinates (degrees north, east);
// a query the base already holds is kept.
QUrl UrlFor(const QUrl& service, double latitudeDeg, double longitudeDeg);
QUrl UrlFor(double latitudeDeg, double longitudeDeg);

}  // namespace ForecastRequest
