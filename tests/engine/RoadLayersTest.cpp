#include "PICHourCls.h"
#include "RoadLayersCls.h"

#include <gtest/gtest.h>

namespace {

TEST(RoadLayer, thicknessIsWrittenInCentimetresAndStoredInMetres)
{
    TRoadLayerCls layer;
    layer.SetThicknessCm(5.5);
    EXPECT_DOUBLE_EQ(layer.Thickness, 0.055);
    EXPECT_DOUBLE_EQ(layer.ThicknessCm(), 5.5);
}

TEST(RoadLayer, stabilityBoundsOfTheExplicitScheme)
{
    TRoadLayerCls layer;
    struct {
        double Diffusivity;
        bool Stable;
    } const cases[] = {{0.0, true}, {2.5e-6 - 1e-12, true}, {2.5e-6, false}, {-1e-9, false}};
    for (const auto& c : cases) {
        layer.Diffusivity = c.Diffusivity;
        layer.UpdateFourier(5, 0.005);  // Fourier = 5 a / 0.005^2, 0.5 at a = 2.5e-6
        EXPECT_EQ(layer.Stable, c.Stable) << "Fourier " << layer.Fourier;
    }
    layer.Conductivity = 1.0;  // zero density and heat capacity: no number at all
    layer.UpdateDiffusivity();
    layer.UpdateFourier(5, 0.005);
    EXPECT_FALSE(layer.Stable);
}

TEST(RoadLayers, defaultStructureAndItsFourierNumbers)
{
    TPICHourCls engine;
    ASSERT_EQ(engine.Layers.Count(), 3);
    EXPECT_DOUBLE_EQ(engine.Layers.TotalThickness(), 105.0);
    const double expectedFourier[] = {0.1086, 0.1086, 0.1789};
    for (int j = 0; j < 3; ++j) {
        TRoadLayerCls& layer = engine.Layers.Items(j);
        layer.UpdateDiffusivity();
        layer.UpdateFourier(TPICHourCls::TimeStep, TPICHourCls::GridStep);
        EXPECT_NEAR(layer.Fourier, expectedFourier[j], 5e-5) << "layer " << j;
        EXPECT_TRUE(layer.Stable);
    }
    engine.Layers.Items(0).SetThicknessCm(1.5);
    EXPECT_DOUBLE_EQ(engine.Layers.TotalThickness(), 101.5);
}

TEST(RoadLayers, emptyListAndBadIndex)
{
    TRoadLayersCls layers;
    EXPECT_EQ(layers.TotalThickness(), 0.0);
    EXPECT_THROW(layers.Items(0), std::out_of_range);
    EXPECT_THROW(layers.Add(nullptr), std::invalid_argument);
}

}  // namespace
