#include "CoolingHistory.h"

#include <stdexcept>

void TCoolingHistory::Reset(int nodeCount, int maxLevels)
{
    FNodeCount = nodeCount;
    FSurfaceTemps.clear();
    FLayerMaxTemps.clear();
    FProfiles.clear();
    FAirTemps.clear();
    // Reserved once for the longest run, so no run reallocates mid-way.
    const auto levels = static_cast<std::size_t>(maxLevels);
    FSurfaceTemps.reserve(levels);
    FLayerMaxTemps.reserve(levels);
    FAirTemps.reserve(levels / LevelsPerAirRefresh + 1);
    const std::size_t profiles = levels / LevelsPerProfile + 1;
    FProfiles.reserve(profiles * static_cast<std::size_t>(nodeCount));
}

void TCoolingHistory::AddProfile(std::span<const double> nodeTemps)
{
    FProfiles.insert(FProfiles.end(), nodeTemps.begin(), nodeTemps.end());
}

int TCoolingHistory::ProfileCount() const
{
    return FNodeCount == 0 ? 0 : static_cast<int>(FProfiles.size()) / FNodeCount;
}

std::span<const double> TCoolingHistory::Profile(int n) const
{
    if (n < 0 || n >= ProfileCount())
        throw std::out_of_range("TCoolingHistory::Profile: no such profile");
    const auto width = static_cast<std::size_t>(FNodeCount);
    return std::span<const double>(FProfiles).subspan(static_cast<std::size_t>(n) * width, width);
}

double TCoolingHistory::AirTempAtLevel(int level) const
{
    const auto refresh = static_cast<std::size_t>(level / LevelsPerAirRefresh);
    if (level < 0 || refresh >= FAirTemps.size())
        throw std::out_of_range("TCoolingHistory::AirTempAtLevel: no such level");
    return FAirTemps[refresh];
}

std::size_t TCoolingHistory::MemoryBytes() const
{
    return sizeof(*this)
        + sizeof(double)
        * (FSurfaceTemps.capacity() + FLayerMaxTemps.capacity() + FAirTemps.capacity() + FProfiles.capacity());
}
