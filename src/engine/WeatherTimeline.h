#pragma once

#include <optional>
#include <vector>

// One measured or forecast value, at seconds elapsed since the laying.
struct TWeatherPoint {
    double ElapsedSeconds;
    double Value;
};

// One quantity over a run: at least one point, strictly increasing in time,
// every time and value finite.
class TWeatherSeries {
public:
    TWeatherSeries() = default;
    // Throws std::invalid_argument when points is empty, not strictly
    // increasing in time or holds a non-finite number.
    explicit TWeatherSeries(std::vector<TWeatherPoint> points);

    // The first value at or before the first point, the last at or after the
    // last; in between, linear between the two points around the moment.
    double ValueAt(double elapsedSeconds) const;
    const std::vector<TWeatherPoint>& Points() const { return FPoints; }

private:
    std::vector<TWeatherPoint> FPoints;
};

// Weather of a run; a quantity without a series keeps the class value or
// the modelled air temperature.
struct TWeatherTimeline {
    std::optional<TWeatherSeries> AirTemp;  // degC
    std::optional<TWeatherSeries> WindSpeed;  // m/s
    std::optional<TWeatherSeries> CloudCover;  // %
};
