#pragma once

#include <span>
#include <vector>

// A compact record of the last run, for a cooling chart: the surface, the
// highest temperature of every new lift laid so far and the top lift's mean
// at every checked time level, the levels the further lifts were laid at, the
// air temperature, wind speed and cloud cover at each air refresh, and the
// whole depth profile every five minutes of simulated time.
class TCoolingHistory {
public:
    static constexpr int LevelsPerProfile = 60;  // 60 steps of 5 s
    static constexpr int LevelsPerAirRefresh = 240;  // the air is refreshed every 1200 s

    void Reset(int nodeCount, int maxLevels);
    void AddLevel(double surfaceTemp, double layerMaxTemp, double layerMeanTemp)
    {
        FSurfaceTemps.push_back(surfaceTemp);
        FLayerMaxTemps.push_back(layerMaxTemp);
        FLayerMeanTemps.push_back(layerMeanTemp);
    }
    // The profile at a level: every LevelsPerProfile levels, and the last level.
    void AddProfile(std::span<const double> nodeTemps, int level);
    // A further lift laid at level, after the previous one.
    void AddLift(int level) { FLiftLevels.push_back(level); }
    // The weather in use from an air refresh on.
    void AddAirRefresh(double airTemp, double windSpeed, double cloudCover)
    {
        FAirTemps.push_back(airTemp);
        FWindSpeeds.push_back(windSpeed);
        FCloudCovers.push_back(cloudCover);
    }

    int LevelCount() const { return static_cast<int>(FSurfaceTemps.size()); }
    const std::vector<double>& SurfaceTemps() const { return FSurfaceTemps; }
    const std::vector<double>& LayerMaxTemps() const { return FLayerMaxTemps; }
    // Mean of the top lift's nodes, surface to its bottom interface node
    // (at most the last computed node), summed downwards.
    const std::vector<double>& LayerMeanTemps() const { return FLayerMeanTemps; }
    // One value per refresh, taken at level n * LevelsPerAirRefresh.
    const std::vector<double>& AirTemps() const { return FAirTemps; }
    const std::vector<double>& WindSpeeds() const { return FWindSpeeds; }  // m/s
    const std::vector<double>& CloudCovers() const { return FCloudCovers; }  // %
    // The value in force at a level: that of the last refresh. Throw
    // std::out_of_range for a level without one.
    double AirTempAtLevel(int level) const;
    double WindSpeedAtLevel(int level) const;
    double CloudCoverAtLevel(int level) const;
    // The level of every further lift laid, in laying order.
    const std::vector<int>& LiftLevels() const { return FLiftLevels; }
    // The lifts on the road at a level, the first included.
    int LiftsLaidAtLevel(int level) const;
    int ProfileCount() const;
    // Node temperatures 0..NodeCount-1 of profile n, taken at ProfileLevel(n):
    // n * LevelsPerProfile, but for a last profile at the run's last level.
    std::span<const double> Profile(int n) const;
    int ProfileLevel(int n) const;
    // Bytes held, reserved capacity included.
    std::size_t MemoryBytes() const;

private:
    int FNodeCount = 0;
    std::vector<double> FSurfaceTemps;
    std::vector<double> FLayerMaxTemps;
    std::vector<double> FLayerMeanTemps;
    std::vector<double> FAirTemps;
    std::vector<double> FWindSpeeds;
    std::vector<double> FCloudCovers;
    std::vector<double> FProfiles;  // ProfileCount rows of FNodeCount values
    std::vector<int> FProfileLevels;
    std::vector<int> FLiftLevels;
};
