#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace SolarModel {

// The clear sky's brightness summed over the dome depends on the sun's
// elevation and azimuth alone, and it is most of a run's cost. Runs of one
// analysis that refresh with the sun at the same place share the sum. The
// key is the exact bits of both angles, so a shared value is the very value
// a lone run computes. Safe to share between threads.
class TSkyBrightnessCache {
public:
    std::optional<double> Find(double elevationDeg, double azimuthDeg) const;
    void Store(double elevationDeg, double azimuthDeg, double sum);
    std::size_t Size() const;

private:
    struct TKey {
        std::uint64_t Elevation;
        std::uint64_t Azimuth;
        bool operator==(const TKey&) const = default;
    };
    struct TKeyHash {
        std::size_t operator()(const TKey& key) const noexcept
        {
            return std::hash<std::uint64_t>{}(key.Elevation * 0x9E3779B97F4A7C15ULL ^ key.Azimuth);
        }
    };
    static TKey KeyOf(double elevationDeg, double azimuthDeg);

    mutable std::mutex FMutex;
    std::unordered_map<TKey, double, TKeyHash> FSums;
};

}  // namespace SolarModel
