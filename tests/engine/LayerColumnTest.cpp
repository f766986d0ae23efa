#include "LayerColumn.h"
#include "PICHourCls.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

struct TMaterial {
    double Cm, HeatCapacity, Conductivity, Density;
};

TRoadLayersCls layersOf(const std::vector<TMaterial>& materials)
{
    TRoadLayersCls layers;
    for (const TMaterial& m : materials) {
        auto layer = std::make_unique<TRoadLayerCls>();
        layer->SetThicknessCm(m.Cm);
        layer->HeatCapacity = m.HeatCapacity;
        layer->Conductivity = m.Conductivity;
        layer->Density = m.Density;
        layer->UpdateDiffusivity();
        layer->UpdateFourier(TLayerColumn::TimeStep, TLayerColumn::GridStep);
        layers.Add(std::move(layer));
    }
    return layers;
}

double fourierOf(const TMaterial& m)
{
    return m.Conductivity / (m.Density * m.HeatCapacity) * 5.0 / (0.005 * 0.005);
}

// One column for every structure: a new layer list must replace all of the
// previous one's grid, as a lift laid during a run will.
TEST(LayerColumn, layerListGivesBottomNodesFourierNumbersAndInterfaces)
{
    struct TCase {
        const char* Name;
        std::vector<TMaterial> Materials;
        TPICLimits Limits;
    } const cases[] = {
        {"default road", {{5.0, 921.0, 1.2, 2400.0}, {10.0, 921.0, 1.2, 2400.0}, {90.0, 837.0, 1.31, 1750.0}},
            {11, 31, 201}},
        {"four materials",
            {{3.5, 900.0, 1.5, 2300.0}, {0.5, 1000.0, 0.8, 2000.0}, {40.0, 837.0, 1.31, 1750.0},
                {60.0, 800.0, 2.0, 2200.0}},
            {8, 9, 89, 201}},
        {"boundary on the bottom node",
            {{5.0, 921.0, 1.2, 2400.0}, {95.0, 800.0, 0.9, 2100.0}, {10.0, 837.0, 1.31, 1750.0}}, {11, 201, 201}},
        {"one layer", {{120.0, 921.0, 1.2, 2400.0}}, {201}},
    };
    TLayerColumn column;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        column.SetLayers(layersOf(c.Materials));
        ASSERT_EQ(column.Limits(), c.Limits);
        // Node k lies (k - 1) / 2 cm deep and takes the number of the layer
        // that holds that depth, a boundary node its upper layer's.
        for (int k = 1; k <= TLayerColumn::LastComputedNode; ++k) {
            double bottomCm = 0.0;
            std::size_t j = 0;
            for (; j < c.Materials.size(); ++j) {
                bottomCm += c.Materials[j].Cm;
                if ((k - 1) * 0.5 <= bottomCm)
                    break;
            }
            const double f = fourierOf(c.Materials[j]);
            EXPECT_DOUBLE_EQ(column.Fourier(k), f) << "node " << k;
            EXPECT_DOUBLE_EQ(column.CentreWeight(k), 1.0 - 2.0 * f) << "node " << k;
        }
        std::vector<int> expectedNodes;
        for (std::size_t j = 0; j + 1 < c.Limits.size(); ++j)
            if (c.Limits[j] <= TLayerColumn::LastComputedNode)
                expectedNodes.push_back(c.Limits[j]);
        ASSERT_EQ(column.Interfaces().size(), expectedNodes.size());
        for (std::size_t n = 0; n < expectedNodes.size(); ++n) {
            const TLayerColumn::TInterface& face = column.Interfaces()[n];
            const TMaterial& upper = c.Materials[n];
            const TMaterial& lower = c.Materials[n + 1];
            const double fu = fourierOf(upper), fl = fourierOf(lower);
            const double kappa = upper.Conductivity / lower.Conductivity;
            const double rho = fl / fu * kappa;
            EXPECT_EQ(face.Node, expectedNodes[n]);
            EXPECT_DOUBLE_EQ(face.TwoFl, 2.0 * fl);
            EXPECT_DOUBLE_EQ(face.Kappa, kappa);
            EXPECT_DOUBLE_EQ(face.RhoPlusOne, rho + 1.0);
            EXPECT_NEAR(face.CentreFactor, (1.0 - 2.0 * fu) * rho + 1.0 - 2.0 * fl, 1e-12);
        }
    }
}

TEST(LayerColumn, topLayerLaidDownToItsBottomNodeOnTheExistingRoad)
{
    TLayerColumn column;
    column.SetLayers(layersOf({{3.0, 921.0, 1.2, 2400.0}, {100.0, 837.0, 1.31, 1750.0}}));
    column.LayTopLayer(150.0, 12.0);
    for (int k = 1; k <= TLayerColumn::LastComputedNode; ++k)
        EXPECT_EQ(column.Current()[k], k <= 7 ? 150.0 : 12.0) << "node " << k;
    // The next level is written by a step and becomes the current one.
    column.SetInsulatedBoundaries(12.0);
    column.StepInterior();
    column.StepInterfaces();
    column.Advance();
    EXPECT_LT(column.Current()[7], 150.0);
    EXPECT_GT(column.Current()[8], 12.0);
    EXPECT_DOUBLE_EQ(column.Current()[1], 150.0) << "insulated: the surface keeps its heat for a step";
}

}  // namespace

namespace {

// Whichever kernel the processor gets, the same numbers to the last bit,
// on values of every magnitude a run meets.
TEST(LayerColumn, widestKernelGivesThePortableNumbers)
{
    std::array<double, TLayerColumn::NodeCount> current{}, fourier{}, weight{}, portable{}, chosen{};
    unsigned state = 12345;
    const auto next = [&state] {
        state = state * 1103515245U + 12345U;
        return static_cast<double>(state >> 8U) / 16777216.0;
    };
    for (int k = 0; k < TLayerColumn::NodeCount; ++k) {
        current[k] = -40.0 + 250.0 * next() + 1e-9 * next();
        fourier[k] = 0.49 * next();
        weight[k] = 1.0 - 2.0 * fourier[k];
    }
    LayerKernels::Portable()(current.data(), portable.data(), fourier.data(), weight.data());
    LayerKernels::Chosen()(current.data(), chosen.data(), fourier.data(), weight.data());
    for (int k = 1; k <= TLayerColumn::LastComputedNode; ++k)
        ASSERT_EQ(std::bit_cast<std::uint64_t>(portable[k]), std::bit_cast<std::uint64_t>(chosen[k])) << "node " << k;
}

}  // namespace
