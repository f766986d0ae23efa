#include "SkyBrightnessCache.h"

#include "Compat.h"

namespace SolarModel {

TSkyBrightnessCache::TKey TSkyBrightnessCache::KeyOf(double elevationDeg, double azimuthDeg)
{
    return {Compat::BitCast<std::uint64_t>(elevationDeg), Compat::BitCast<std::uint64_t>(azimuthDeg)};
}

std::optional<double> TSkyBrightnessCache::Find(double elevationDeg, double azimuthDeg) const
{
    const std::lock_guard lock(FMutex);
    const auto found = FSums.find(KeyOf(elevationDeg, azimuthDeg));
    if (found == FSums.end())
        return std::nullopt;
    return found->second;
}

void TSkyBrightnessCache::Store(double elevationDeg, double azimuthDeg, double sum)
{
    const std::lock_guard lock(FMutex);
    FSums.emplace(KeyOf(elevationDeg, azimuthDeg), sum);
}

std::size_t TSkyBrightnessCache::Size() const
{
    const std::lock_guard lock(FMutex);
    return FSums.size();
}

}  // namespace SolarModel
