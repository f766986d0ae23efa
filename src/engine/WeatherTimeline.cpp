#include "WeatherTimeline.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

TWeatherSeries::TWeatherSeries(std::vector<TWeatherPoint> points) : FPoints(std::move(points))
{
    if (FPoints.empty())
        throw std::invalid_argument("TWeatherSeries: no point");
    for (std::size_t k = 0; k < FPoints.size(); ++k) {
        const TWeatherPoint& point = FPoints[k];
        if (!std::isfinite(point.ElapsedSeconds) || !std::isfinite(point.Value))
            throw std::invalid_argument("TWeatherSeries: a time or value is not a finite number");
        if (k > 0 && !(point.ElapsedSeconds > FPoints[k - 1].ElapsedSeconds))
            throw std::invalid_argument("TWeatherSeries: times not strictly increasing");
    }
}

double TWeatherSeries::ValueAt(double elapsedSeconds) const
{
    if (FPoints.empty())
        throw std::logic_error("TWeatherSeries: no point");
    if (!(elapsedSeconds > FPoints.front().ElapsedSeconds))
        return FPoints.front().Value;
    if (elapsedSeconds >= FPoints.back().ElapsedSeconds)
        return FPoints.back().Value;
    // The first point after the moment; the one before it is at or before.
    const auto after = std::upper_bound(FPoints.begin(), FPoints.end(), elapsedSeconds,
        [](double s, const TWeatherPoint& point) { return s < point.ElapsedSeconds; });
    const TWeatherPoint& k0 = *(after - 1);
    const TWeatherPoint& k1 = *after;
    return k0.Value
        + (k1.Value - k0.Value) * (elapsedSeconds - k0.ElapsedSeconds) / (k1.ElapsedSeconds - k0.ElapsedSeconds);
}
