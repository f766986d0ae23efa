#pragma once

#include <span>
#include <vector>

// A compact record of the last run, for a cooling chart: the surface and the
// new layer's highest temperature at every checked time level, the air
// temperature at each of its refreshes, and the whole depth profile every
// five minutes of simulated time.
class TCoolingHistory {
public:
    static constexpr int LevelsPerProfile = 60;  // 60 steps of 5 s
    static constexpr int LevelsPerAirRefresh = 240;  // the air is refreshed every 1200 s

    void Reset(int nodeCount, int maxLevels);
    void AddLevel(double surfaceTemp, double layerMaxTemp)
    {
        FSurfaceTemps.push_back(surfaceTemp);
        FLayerMaxTemps.push_back(layerMaxTemp);
    }
    void AddProfile(std::span<const double> nodeTemps);
    void AddAirTemp(double airTemp) { FAirTemps.push_back(airTemp); }

    int LevelCount() const { return static_cast<int>(FSurfaceTemps.size()); }
    const std::vector<double>& SurfaceTemps() const { return FSurfaceTemps; }
    const std::vector<double>& LayerMaxTemps() const { return FLayerMaxTemps; }
    // One value per refresh, taken at level n * LevelsPerAirRefresh.
    const std::vector<double>& AirTemps() const { return FAirTemps; }
    // The air temperature in force at a level: that of the last refresh.
    double AirTempAtLevel(int level) const;
    int ProfileCount() const;
    // Node temperatures 0..NodeCount-1 of profile n, taken at level n * LevelsPerProfile.
    std::span<const double> Profile(int n) const;
    // Bytes held, reserved capacity included.
    std::size_t MemoryBytes() const;

private:
    int FNodeCount = 0;
    std::vector<double> FSurfaceTemps;
    std::vector<double> FLayerMaxTemps;
    std::vector<double> FAirTemps;
    std::vector<double> FProfiles;  // ProfileCount rows of FNodeCount values
};
