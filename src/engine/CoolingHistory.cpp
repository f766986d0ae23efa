#include "CoolingHistory.h"

#include <stdexcept>

namespace {

double atRefreshOf(const std::vector<double>& values, int level, const char* what)
{
    const auto refresh = static_cast<std::size_t>(level / TCoolingHistory::LevelsPerAirRefresh);
    if (level < 0 || refresh >= values.size())
        throw std::out_of_range(what);
    return values[refresh];
}

}  // namespace

void TCoolingHistory::Reset(int nodeCount, int maxLevels)
{
    FNodeCount = nodeCount;
    // Reserved once for the longest run, so no run reallocates mid-way.
    const auto levels = static_cast<std::size_t>(maxLevels);
    for (auto* perLevel : {&FSurfaceTemps, &FLayerMaxTemps, &FLayerMeanTemps}) {
        perLevel->clear();
        perLevel->reserve(levels);
    }
    for (auto* perRefresh : {&FAirTemps, &FWindSpeeds, &FCloudCovers}) {
        perRefresh->clear();
        perRefresh->reserve(levels / LevelsPerAirRefresh + 1);
    }
    FProfiles.clear();
    FProfileLevels.clear();
    FLiftLevels.clear();
    const std::size_t profiles = levels / LevelsPerProfile + 2;
    FProfiles.reserve(profiles * static_cast<std::size_t>(nodeCount));
    FProfileLevels.reserve(profiles);
}

void TCoolingHistory::AddProfile(std::span<const double> nodeTemps, int level)
{
    FProfiles.insert(FProfiles.end(), nodeTemps.begin(), nodeTemps.end());
    FProfileLevels.push_back(level);
}

int TCoolingHistory::ProfileLevel(int n) const
{
    if (n < 0 || n >= ProfileCount())
        throw std::out_of_range("TCoolingHistory::ProfileLevel: no such profile");
    return FProfileLevels[static_cast<std::size_t>(n)];
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
    return atRefreshOf(FAirTemps, level, "TCoolingHistory::AirTempAtLevel: no such level");
}

double TCoolingHistory::WindSpeedAtLevel(int level) const
{
    return atRefreshOf(FWindSpeeds, level, "TCoolingHistory::WindSpeedAtLevel: no such level");
}

double TCoolingHistory::CloudCoverAtLevel(int level) const
{
    return atRefreshOf(FCloudCovers, level, "TCoolingHistory::CloudCoverAtLevel: no such level");
}

std::size_t TCoolingHistory::MemoryBytes() const
{
    std::size_t values = FProfiles.capacity();
    for (const auto* series :
        {&FSurfaceTemps, &FLayerMaxTemps, &FLayerMeanTemps, &FAirTemps, &FWindSpeeds, &FCloudCovers})
        values += series->capacity();
    return sizeof(*this) + sizeof(double) * values + sizeof(int) * (FProfileLevels.capacity() + FLiftLevels.capacity());
}

int TCoolingHistory::LiftsLaidAtLevel(int level) const
{
    int laid = 1;
    for (const int liftLevel : FLiftLevels)
        if (liftLevel <= level)
            ++laid;
    return laid;
}
