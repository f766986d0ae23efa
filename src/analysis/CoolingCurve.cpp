#include "CoolingCurve.h"

#include "PICHourCls.h"
#include "TheTimeUtilsCls.h"

std::vector<TCurvePoint> CoolingCurve(const TRunOutcome& outcome)
{
    std::vector<TCurvePoint> points;
    if (!outcome.History)
        return points;
    const TCoolingHistory& history = *outcome.History;
    const int levels = std::min(
        history.LevelCount(), static_cast<int>(history.AirTemps().size()) * TCoolingHistory::LevelsPerAirRefresh);
    points.reserve(static_cast<std::size_t>(levels));
    for (int level = 0; level < levels; ++level) {
        const int elapsed = level * TPICHourCls::TimeStep;
        const auto n = static_cast<std::size_t>(level);
        points.push_back({elapsed, TheTimeUtilsCls::AddDuration(outcome.Laying, elapsed), history.SurfaceTemps()[n],
            history.LayerMaxTemps()[n], history.AirTempAtLevel(level), history.WindSpeedAtLevel(level),
            history.CloudCoverAtLevel(level), history.LayerMeanTemps()[n]});
    }
    return points;
}

std::vector<TDepthProfile> DepthProfiles(const TRunOutcome& outcome)
{
    std::vector<TDepthProfile> profiles;
    if (!outcome.History)
        return profiles;
    const TCoolingHistory& history = *outcome.History;
    for (int n = 0; n < history.ProfileCount(); ++n) {
        const int elapsed = history.ProfileLevel(n) * TPICHourCls::TimeStep;
        const auto nodes = history.Profile(n);
        // Node 0 lies above the surface and exists only for the boundary.
        profiles.push_back({elapsed, TheTimeUtilsCls::AddDuration(outcome.Laying, elapsed),
            std::vector<double>(nodes.begin() + 1, nodes.end())});
    }
    return profiles;
}

double NodeDepthCm(int node)
{
    return (node - 1) * TPICHourCls::GridStep * 100.0;
}
