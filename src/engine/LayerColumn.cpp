#include "LayerColumn.h"

#include "Truncation.h"

#include <cmath>

TPICLimits TLayerColumn::BottomNodes(const TRoadLayersCls& layers)
{
    TPICLimits limits(static_cast<std::size_t>(layers.Count()));
    // The snapped depth is a multiple of 0.5 cm and 100 * GridStep is
    // exactly 0.5 in double, so grid-aligned depths divide into whole
    // numbers; dividing by 100 and then by GridStep would turn 14.5 cm into
    // 28.999999999999996.
    constexpr double cmPerNode = 100.0 * GridStep;
    double depthCm = 0.0;
    for (int j = 0; j < layers.Count(); ++j) {
        depthCm += layers.Items(j).ThicknessCm();
        auto& limit = limits[static_cast<std::size_t>(j)];
        if (depthCm > 100.0) {
            limit = BottomNode;
            continue;
        }
        const double whole = std::trunc(depthCm);
        const double fraction = depthCm - whole;
        const double snapped = fraction <= 0.25 ? whole : fraction <= 0.75 ? whole + 0.5 : whole + 1.0;
        limit = TruncToInt(snapped / cmPerNode) + 1;
    }
    return limits;
}

void TLayerColumn::SetLayers(const TRoadLayersCls& layers)
{
    constexpr int N = LastComputedNode;
    const int layerCount = layers.Count();
    FLimits = BottomNodes(layers);

    // A layer's number holds from the node below the previous layer's
    // bottom down to its own bottom.
    double f = layers.Items(0).Fourier;
    for (int k = 1; k <= N; ++k) {
        if (k > 1) {
            for (int j = 0; j + 1 < layerCount; ++j)
                if (FLimits[static_cast<std::size_t>(j)] + 1 == k)
                    f = layers.Items(j + 1).Fourier;
        }
        FFourier[static_cast<std::size_t>(k)] = f;
        FCentreWeight[static_cast<std::size_t>(k)] = 1.0 - 2.0 * f;
    }

    FInterfaces.clear();
    for (int j = 0; j + 1 < layerCount; ++j) {
        const int m = FLimits[static_cast<std::size_t>(j)];
        if (m < 1 || m > N)
            continue;
        const TRoadLayerCls& upper = layers.Items(j);
        const TRoadLayerCls& lower = layers.Items(j + 1);
        const double kappa = upper.Conductivity / lower.Conductivity;
        const double rho = (lower.Fourier / upper.Fourier) * kappa;
        FInterfaces.push_back(
            {m, 2.0 * lower.Fourier, kappa, (1.0 - 2.0 * upper.Fourier) * rho + 1.0 - 2.0 * lower.Fourier, rho + 1.0});
    }
    FTopConductivity = layers.Items(0).Conductivity;
}

void TLayerColumn::LayTopLayer(double layingTemp, double bottomTemp)
{
    const int topBottom = FLimits[0];
    double* current = Current();
    for (int k = 1; k <= LastComputedNode; ++k)
        current[k] = k <= topBottom ? layingTemp : bottomTemp;
}

void TLayerColumn::LayOn(const double* road, double layingTemp)
{
    // A layer has a positive thickness, so its bottom is node 1 or deeper;
    // held there so that no other list can read outside the level.
    const int topBottom = FLimits[0] > 1 ? FLimits[0] : 1;
    const int shift = topBottom - 1;
    double* current = Current();
    // Downwards from the deepest node, so that when road is the current
    // level every source is read before it is overwritten.
    for (int k = LastComputedNode; k > topBottom; --k)
        current[k] = road[k - shift];
    const int laid = topBottom < LastComputedNode ? topBottom : LastComputedNode;
    for (int k = 1; k <= laid; ++k)
        current[k] = layingTemp;
}

void TLayerColumn::PlaceLift(const TRoadLayersCls& layers, double layingTemp)
{
    SetLayers(layers);
    LayOn(Current(), layingTemp);
}

namespace {

// The two levels never overlap; saying so lets the compiler vectorise
// without changing any operation.
#if defined(__GNUC__)
__attribute__((always_inline))
#endif
inline void
updateInterior(const double* __restrict current, double* __restrict next, const double* __restrict fourier,
    const double* __restrict centreWeight)
{
    for (int k = 1; k <= TLayerColumn::LastComputedNode; ++k)
        next[k] = fourier[k] * current[k - 1] + centreWeight[k] * current[k] + fourier[k] * current[k + 1];
}

void updateInteriorPortable(const double* current, double* next, const double* fourier, const double* centreWeight)
{
    updateInterior(current, next, fourier, centreWeight);
}

// Wider vector units where the processor has them, chosen at run time: the
// same multiplications and additions in the same order, contraction off,
// so the same numbers on any amd64 processor.
#if defined(__GNUC__) && defined(__x86_64__)
#define KELVARA_WIDE_KERNEL 1
__attribute__((target("avx2"))) void updateInteriorWide(
    const double* current, double* next, const double* fourier, const double* centreWeight)
{
    updateInterior(current, next, fourier, centreWeight);
}
#endif

LayerKernels::TInteriorUpdate chosenInterior()
{
#ifdef KELVARA_WIDE_KERNEL
    // Run during static initialisation, before the library's own set-up.
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2"))
        return updateInteriorWide;
#endif
    return updateInteriorPortable;
}

const LayerKernels::TInteriorUpdate ChosenInterior = chosenInterior();

}  // namespace

namespace LayerKernels {

TInteriorUpdate Portable()
{
    return updateInteriorPortable;
}

TInteriorUpdate Chosen()
{
    return ChosenInterior;
}

}  // namespace LayerKernels

void TLayerColumn::StepInterior()
{
    ChosenInterior(Current(), Next(), FFourier.data(), FCentreWeight.data());
}

void TLayerColumn::StepInterfaces()
{
    const double* current = Current();
    double* next = Next();
    for (const TInterface& face : FInterfaces) {
        const int m = face.Node;
        next[m]
            = (face.TwoFl * current[m + 1] + face.CentreFactor * current[m] + face.TwoFl * face.Kappa * current[m - 1])
            / face.RhoPlusOne;
    }
}
