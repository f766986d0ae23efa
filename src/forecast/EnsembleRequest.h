#pragma once

#include <QString>
#include <QUrl>

// The request for a site's forecast ensemble: every member's hourly air
// temperature, wind speed in m/s and cloud cover, moments in UTC, of one
// model, from past days enough for the road's warm-up to a few days ahead,
// as EnsembleSource::ReadText reads it.
namespace EnsembleRequest {

inline constexpr const char* DefaultService = "https://ensemble-api.open-meteo.com/v1/ensemble";
// The whole base address of another service (an organisation's own, a test's).
inline constexpr const char* ServiceVariable = "KELVARA_ENSEMBLE_URL";
// Hourly, 40 members over Europe at 13 km for five days: Belgium's best fit
// for a night's cooling and the two days of warm-up before it.
inline constexpr const char* DefaultModel = "dwd_icon_eu_eps";
// The models offered, as the service names them.
inline constexpr const char* Models[] = {"dwd_icon_eu_eps", "dwd_icon_d2_eps", "dwd_icon_seamless_eps",
    "ecmwf_ifs025_ensemble", "ecmwf_ifs_europe_ensemble", "ncep_gefs025"};
// The warm-up starts at 00:00 two days before the laying; a laying later
// today or tomorrow is covered from the third day back.
inline constexpr int PastDays = 3;

// The service's base address: the variable's value when set and not empty.
QUrl ServiceUrl();
// That base address with the query for the coordinates (degrees north, east)
// and the model; a query the base already holds is kept.
QUrl UrlFor(const QUrl& service, double latitudeDeg, double longitudeDeg, const QString& model);

}  // namespace EnsembleRequest
