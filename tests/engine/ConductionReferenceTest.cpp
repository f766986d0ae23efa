// The conduction scheme against references that do not come from its code:
// the exact solution of the discrete equations for a homogeneous road, the
// conservation of heat across layers of different materials (both with the
// surface exchange off, so that only conduction moves heat), and the heat
// balance with the exchange on.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <span>
#include <vector>

namespace {

constexpr int N = TPICHourCls::LastComputedNode;
constexpr double BottomTemp = 14.0;

// The mesh Fourier number of a material, from its own values: 5 s steps and
// 0.5 cm between nodes.
double fourierOf(const TRoadLayerCls& layer)
{
    return 5.0 * layer.Conductivity / (layer.Density * layer.HeatCapacity) / (0.005 * 0.005);
}

// Volumetric heat capacity of each node's cell, per grid step: (rho c) inside
// a layer, half of it at the surface, half of each layer's at an interface.
std::vector<double> cellCapacities(const TPICHourCls& engine)
{
    std::vector<double> capacity(N + 1, 0.0);
    int layer = 0;
    const auto rhoC = [&](int j) { return engine.Layers.Items(j).Density * engine.Layers.Items(j).HeatCapacity; };
    for (int k = 1; k <= N; ++k) {
        const bool interface = k == engine.Limits[layer] && layer + 1 < engine.Layers.Count();
        capacity[k] = k == 1 ? rhoC(0) / 2.0 : interface ? (rhoC(layer) + rhoC(layer + 1)) / 2.0 : rhoC(layer);
        if (interface)
            ++layer;
    }
    return capacity;
}

void insulate(TPICHourCls& engine, double layingTemp, double reopenTemp)
{
    setStartInputs(engine);
    engine.SurfaceExchange = false;
    engine.LayingTemp = layingTemp;
    engine.ReopenTemp = reopenTemp;
    engine.BottomTemp = BottomTemp;
}

// With an insulated surface (node 0 mirrors node 2) and node N + 1 held,
// the scheme on nodes 1..N has the eigenvectors cos(lambda_n z_k), z_k =
// (k - 1) dz, lambda_n = (n + 1/2) pi / 1 m, each multiplied by g_n = 1 -
// 4 F sin^2(lambda_n dz / 2) per step. With weights 1/2 at the surface and 1
// elsewhere they are orthogonal, of norm N / 2, so level i is exactly
// sum_n a_n g_n^i cos(lambda_n z_k) with a_n the weighted cosine transform
// of the initial profile. The engine steps, this sums: they may differ only
// by rounding, some 1e-16 of 100 K a step, never amplified by a stable
// scheme: over 5000 steps a few 1e-12 K, well below the 1e-10 K allowed.
TEST(ConductionReference, homogeneousRoadFollowsTheExactDiscreteSolution)
{
    TPICHourCls engine;
    insulate(engine, 114.0, 40.0);
    for (int j = 1; j < engine.Layers.Count(); ++j) {
        engine.Layers.Items(j).HeatCapacity = engine.Layers.Items(0).HeatCapacity;
        engine.Layers.Items(j).Conductivity = engine.Layers.Items(0).Conductivity;
        engine.Layers.Items(j).Density = engine.Layers.Items(0).Density;
    }
    TRecordingProgressBar bar;
    ASSERT_EQ(computeFailure(engine, bar, dateOf(2026, 4, 15), timeOf(10, 0)), "");
    const TCoolingHistory& history = engine.History();
    ASSERT_GT(history.ProfileCount(), 50) << "the run should last hours";

    const double fourier = fourierOf(engine.Layers.Items(0));
    const double dz = 0.005;
    std::vector<double> growth(N), amplitude(N);
    std::vector<std::vector<double>> mode(N, std::vector<double>(N));
    for (int n = 0; n < N; ++n) {
        const double lambda = (n + 0.5) * std::numbers::pi;
        growth[n] = 1.0 - 4.0 * fourier * std::pow(std::sin(lambda * dz / 2.0), 2.0);
        double transform = 0.0;
        for (int k = 1; k <= N; ++k) {
            mode[n][k - 1] = std::cos(lambda * (k - 1) * dz);
            const double initial = (k <= engine.Limits[0] ? 114.0 : BottomTemp) - BottomTemp;
            transform += (k == 1 ? 0.5 : 1.0) * initial * mode[n][k - 1];
        }
        amplitude[n] = transform / (N / 2.0);
    }

    double worst = 0.0;
    for (int p = 0; p < history.ProfileCount(); ++p) {
        const int level = history.ProfileLevel(p);
        const auto profile = history.Profile(p);
        for (int k = 1; k <= N; ++k) {
            double exact = BottomTemp;
            for (int n = 0; n < N; ++n)
                exact += amplitude[n] * std::pow(growth[n], level) * mode[n][k - 1];
            worst = std::max(worst, std::abs(profile[k] - exact));
        }
    }
    EXPECT_LT(worst, 1e-10);
}

// Across the default layers (two materials, two interfaces), an insulated
// surface leaves heat only one way out, through 1 m depth. In the first
// 1.5 h the heat spreads some 5 cm into the existing road, and 1 m lies more
// than six diffusion lengths of the road base below that: the loss is below
// 1e-16 of the content. Each node holds the heat of the half cells around
// it: (rho c) dz inside a layer, half of it at the surface, half of each
// layer's at an interface (cellCapacities). That content must stay as it was
// but for the rounding of some thousand steps (1e-12 relative allowed).
TEST(ConductionReference, heatIsConservedAcrossLayerInterfaces)
{
    TPICHourCls engine;
    insulate(engine, 150.0, 60.0);
    TRecordingProgressBar bar;
    ASSERT_EQ(computeFailure(engine, bar, dateOf(2026, 4, 15), timeOf(10, 0)), "");
    const TCoolingHistory& history = engine.History();
    constexpr int lastProfile = 5400 / TPICHourCls::TimeStep / TCoolingHistory::LevelsPerProfile;
    ASSERT_GT(history.ProfileCount(), lastProfile);

    const std::vector<double> capacity = cellCapacities(engine);
    ASSERT_LT(engine.Limits[1], N) << "both interfaces lie above 1 m";
    const auto heatAbove = [&](std::span<const double> profile) {
        double heat = 0.0;
        for (int k = 1; k <= N; ++k)
            heat += capacity[k] * (profile[k] - BottomTemp);
        return heat;
    };

    const double initial = heatAbove(history.Profile(0));
    for (int p = 1; p <= lastProfile; ++p)
        EXPECT_NEAR(heatAbove(history.Profile(p)) / initial, 1.0, 1e-12) << "profile " << p;
    // The heat did cross both interfaces.
    EXPECT_GT(history.Profile(lastProfile)[engine.Limits[1] + 2], BottomTemp + 0.01);
}

// With the exchange on, the heat the road gains in a step is the step times
// the net flux into the surface (convection with the air, the sky's
// long-wave radiation, the surface's own emission at the temperature of the
// level before) plus the conduction in from the held node at 1 m. At night
// there is no sun, so the flux follows from the recorded weather and surface
// temperatures alone. The node-1 half cell takes exactly 5 s times that
// flux per step when F = 5 k / (rho c dz^2), so the balance holds to
// rounding: some 1e-16 of the heat moved per operation, accumulating over
// some 1700 steps to 1e-13 of it, a hundredth of the 1e-11 allowed (a
// Fourier number 1 % off is 1e-2 off). The bottom flux is
// read from the profiles, held between them; the heat never reaches 1 m in
// these hours, so that approximation is worth less than the rounding.
TEST(ConductionReference, heatGainedIsTheIntegratedSurfaceAndBottomFlux)
{
    TPICHourCls engine;
    setStartInputs(engine);
    engine.WindSpeed = engine.WindSpeedModerate;
    engine.CloudCover = engine.CloudCoverPartial;
    TRecordingProgressBar bar;
    // Laid at 19:00 on a December evening: over two hours of cooling, all
    // after sunset.
    ASSERT_EQ(computeFailure(engine, bar, dateOf(2026, 12, 9), timeOf(19, 0)), "");
    const TCoolingHistory& history = engine.History();
    ASSERT_GT(history.ProfileCount(), 20);

    constexpr double sigma = 5.67e-8, kelvin = 273.16, dt = 5.0, dz = 0.005;
    const std::vector<double>& surface = history.SurfaceTemps();
    const auto surfaceFlux = [&](int level) {
        const double air = history.AirTempAtLevel(level);
        const double n = history.CloudCoverAtLevel(level) / 100.0;
        const double convection = (3.36 * history.WindSpeedAtLevel(level) + 4.84) * 1.163 * 294.16 / (air + kelvin);
        const double sky = (1.0 + 0.12 * n * n) * (1.0 - 0.261 * std::exp(-7.77e-4 * air * air)) * sigma
            * std::pow(air + kelvin, 4.0);
        const double before = level == 0 ? engine.LayingTemp : surface[static_cast<std::size_t>(level - 1)];
        const double emitted = 0.9 * sigma * std::pow(before + kelvin, 4.0);
        return convection * (air - surface[static_cast<std::size_t>(level)]) + sky - emitted;
    };
    const TRoadLayerCls& base = engine.Layers.Items(engine.Layers.Count() - 1);
    const std::vector<double> capacity = cellCapacities(engine);
    const auto heat = [&](std::span<const double> profile) {
        double sum = 0.0;
        for (int k = 1; k <= N; ++k)
            sum += capacity[k] * dz * profile[k];
        return sum;
    };

    const double initial = heat(history.Profile(0));
    double gained = 0.0;  // J/m2, integrated up to the profile's level
    double moved = 0.0;  // J/m2 through the surface, either way
    int level = 0;
    for (int p = 1; p < history.ProfileCount(); ++p) {
        const double bottomFlux
            = base.Conductivity * (BottomTemp - history.Profile(p - 1)[static_cast<std::size_t>(N)]) / dz;
        for (; level < history.ProfileLevel(p); ++level) {
            const double q = surfaceFlux(level);
            gained += dt * (q + bottomFlux);
            moved += dt * std::abs(q);
        }
        EXPECT_NEAR(heat(history.Profile(p)) - initial, gained, 1e-11 * moved) << "profile " << p;
    }
    // The road did lose heat, some 1.2e7 J/m2.
    EXPECT_LT(gained, -1e7);
}

}  // namespace
