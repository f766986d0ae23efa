#pragma once

#include "LanguagesMgrCls.h"
#include "PICHourCls.h"
#include "Scenario.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>

struct TEnsemble;
struct TWeatherSource;

enum class TWeatherKind { Classes, Values, Forecast, Ensemble };

// Where a forecast came from: a file, or a service at a moment.
struct TWeatherOrigin {
    QString FilePath;  // an imported file; empty for a download
    QString Service;  // the host asked
    QDateTime FetchedUtc;
    double LatitudeDeg = 0.0;  // the site asked for, north
    double LongitudeDeg = 0.0;  // east
    bool operator==(const TWeatherOrigin&) const = default;
};

// The weather the site manager chose for the analysis, as a value.
struct TWeatherChoice {
    TWeatherKind Kind = TWeatherKind::Classes;
    // Values only; a quantity not given keeps its class (the air: the model).
    std::optional<double> AirTemp;  // degC
    std::optional<double> WindSpeed;  // m/s
    std::optional<double> CloudCover;  // %
    // A forecast; of an ensemble, its top member's, whose hours are shown.
    std::shared_ptr<const TWeatherSource> Source;
    // Forecast and ensemble.
    TWeatherOrigin Origin;
    // Ensemble only: its members, the model asked of the service (empty for
    // a file) and the wall-clock moment the members are counted ready by.
    std::shared_ptr<const TEnsemble> Ensemble;
    QString Model;
    std::optional<double> Target;
    double CompactionTemp = TPICHourCls::CompactionTempDefault;  // degC, whatever the kind
    bool operator==(const TWeatherChoice&) const = default;
};

// Puts the choice into a scenario: with the classes, no measured weather at
// all; with values, those given; with a forecast, its source. The
// compaction-end temperature always. An ensemble puts in its top member's
// weather (the control's), whose run is the one drawn.
void ApplyWeatherChoice(const TWeatherChoice& choice, TScenario& scenario);

// "Source : fichier « meteo.csv »" or "Source : api.open-meteo.com (50,80 °N,
// 4,21 °E), téléchargée le 09/12/2026 05:12" (the site's wall clock), and
// the same of an ensemble with its members and model; empty for the classes
// and values.
QString WeatherOriginText(const TWeatherChoice& choice, TLanguage language);

// The line the public forecast service's licence asks beside its data:
// for a download from it, empty for anything else.
QString WeatherAttributionText(const TWeatherChoice& choice, TLanguage language);
