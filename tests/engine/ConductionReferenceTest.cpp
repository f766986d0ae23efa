// The conduction scheme against references that do not come from its code:
// the exact solution of the discrete equations for a homogeneous road, and
// the conservation of heat across layers of different materials. Both
// switch the surface exchange off, so that only conduction moves heat.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr int N = TPICHourCls::LastComputedNode;
constexpr double BottomTemp = 14.0;

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

    const double fourier = engine.Layers.Items(0).Fourier;
    const double dz = TPICHourCls::GridStep;
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
// layer's at an interface. That content must stay as it was but for the
// rounding of some thousand steps (1e-12 relative allowed).
TEST(ConductionReference, heatIsConservedAcrossLayerInterfaces)
{
    TPICHourCls engine;
    insulate(engine, 150.0, 60.0);
    TRecordingProgressBar bar;
    ASSERT_EQ(computeFailure(engine, bar, dateOf(2026, 4, 15), timeOf(10, 0)), "");
    const TCoolingHistory& history = engine.History();
    constexpr int lastProfile = 5400 / TPICHourCls::TimeStep / TCoolingHistory::LevelsPerProfile;
    ASSERT_GT(history.ProfileCount(), lastProfile);

    // Volumetric heat capacity of each node's cell, per grid step.
    std::vector<double> capacity(N + 1, 0.0);
    int layer = 0;
    const auto rhoC = [&](int j) { return engine.Layers.Items(j).Density * engine.Layers.Items(j).HeatCapacity; };
    for (int k = 1; k <= N; ++k) {
        const bool interface = k == engine.Limits[layer] && layer + 1 < engine.Layers.Count();
        capacity[k] = k == 1 ? rhoC(0) / 2.0 : interface ? (rhoC(layer) + rhoC(layer + 1)) / 2.0 : rhoC(layer);
        if (interface)
            ++layer;
    }
    ASSERT_EQ(layer, 2) << "both interfaces lie above 1 m";
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

}  // namespace
