#include "RoadLayerCls.h"

void TRoadLayerCls::UpdateDiffusivity()
{
    Diffusivity = Conductivity / (Density * HeatCapacity);
}

void TRoadLayerCls::UpdateFourier(int timeStepSeconds, double gridStepMetres)
{
    Fourier = timeStepSeconds * Diffusivity / (gridStepMetres * gridStepMetres);
    // Written so that NaN counts as unstable.
    Stable = Fourier >= 0.0 && Fourier < 0.5;
}
