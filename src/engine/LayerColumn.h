#pragma once

#include "RoadLayersCls.h"

#include <array>
#include <vector>

using TPICLimits = std::vector<int>;

// The interior update of one level, nodes 1 to LastComputedNode, from the
// current level, the Fourier numbers and 1 - 2F.
namespace LayerKernels {
using TInteriorUpdate
    = void (*)(const double* current, double* next, const double* fourier, const double* centreWeight);
// For any processor; and the one the column uses, the widest the processor
// has. Both give the same numbers.
TInteriorUpdate Portable();
TInteriorUpdate Chosen();
}  // namespace LayerKernels

// The road's depth grid under the explicit scheme: what a layer list makes
// of it (each layer's bottom node, the Fourier number of every computed node
// and the interfaces' constants) and the two time levels the scheme reads
// and writes. Node 0 is fictitious above the surface, node 1 the surface,
// node BottomNode lies 1 m deep and is held at the existing road's
// temperature.
//
// A lift laid during a run is a new layer list on the same grid: SetLayers
// again with it, then the current level's nodes moved down by the lift's.
class TLayerColumn {
public:
    static constexpr double GridStep = 0.005;  // m between depth nodes
    static constexpr int TimeStep = 5;  // s per step
    static constexpr int LastComputedNode = 200;  // Trunc(1 / GridStep)
    static constexpr int BottomNode = 201;  // Trunc(1 / GridStep + 1)
    static constexpr int NodeCount = BottomNode + 1;

    // Interface between layer j (upper) and j + 1 (lower) at node Node.
    struct TInterface {
        int Node;
        double TwoFl;  // 2 F_l
        double Kappa;  // k_u / k_l
        double CentreFactor;  // (1 - 2 F_u) rho + 1 - 2 F_l
        double RhoPlusOne;
    };

    // Node at the bottom of each layer: cumulative depths snap to the nearest
    // 0.5 cm, and anything deeper than 1 m ends on BottomNode.
    static TPICLimits BottomNodes(const TRoadLayersCls& layers);

    // The grid of a non-empty layer list whose Fourier numbers are up to date.
    void SetLayers(const TRoadLayersCls& layers);
    const TPICLimits& Limits() const { return FLimits; }
    // F and 1 - 2F of computed node k (1 to LastComputedNode).
    double Fourier(int k) const { return FFourier[static_cast<std::size_t>(k)]; }
    double CentreWeight(int k) const { return FCentreWeight[static_cast<std::size_t>(k)]; }
    // Only the interfaces on computed nodes: a boundary at or below the
    // bottom node has nothing to update.
    const std::vector<TInterface>& Interfaces() const { return FInterfaces; }

    // The current level of a freshly laid top layer: its nodes down to
    // Limits()[0] at layingTemp, the others down to LastComputedNode at
    // bottomTemp.
    void LayTopLayer(double layingTemp, double bottomTemp);
    // The current level of a top layer laid on a road (node temperatures
    // 0..NodeCount-1, the current level itself allowed): nodes 1 to
    // Limits()[0] take layingTemp and every node k below takes road's node
    // k - (Limits()[0] - 1), so that the road moves down by the layer's
    // nodes; those pushed past LastComputedNode are dropped and the bottom
    // node keeps its value.
    void LayOn(const double* road, double layingTemp);
    // A lift laid on the current level: the grid becomes that of layers (the
    // lift first), and the lift is laid on the road as it stands.
    void PlaceLift(const TRoadLayersCls& layers, double layingTemp);
    double* Current() { return FLevels[FCurrentLevel].data(); }
    const double* Current() const { return FLevels[FCurrentLevel].data(); }

    // The current level's bottom node and fictitious node: the conductive
    // flux at the surface equals heatInput - convection * surface, W/m2.
    void SetBoundaries(double bottomTemp, double heatInput, double convection)
    {
        double* current = Current();
        current[BottomNode] = bottomTemp;
        current[0] = current[2] + 2.0 * GridStep * (heatInput - convection * current[1]) / FTopConductivity;
    }
    // The same with no flux through the surface.
    void SetInsulatedBoundaries(double bottomTemp)
    {
        double* current = Current();
        current[BottomNode] = bottomTemp;
        current[0] = current[2];
    }
    // The next level of nodes 1 to LastComputedNode, then of the interface
    // nodes, from the current level.
    void StepInterior();
    void StepInterfaces();
    // The next level becomes the current one.
    void Advance() { FCurrentLevel = 1 - FCurrentLevel; }

private:
    double* Next() { return FLevels[1 - FCurrentLevel].data(); }

    TPICLimits FLimits;
    std::array<double, NodeCount> FFourier{};
    std::array<double, NodeCount> FCentreWeight{};  // 1 - 2F
    std::vector<TInterface> FInterfaces;
    double FTopConductivity = 0.0;
    std::array<std::array<double, NodeCount>, 2> FLevels{};
    std::size_t FCurrentLevel = 0;
};
