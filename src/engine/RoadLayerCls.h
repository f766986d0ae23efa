#pragma once

// One horizontal layer of the road structure. Thickness is stored in metres
// and read and written in centimetres.
class TRoadLayerCls {
public:
    double Thickness = 0.0;  // m
    double HeatCapacity = 0.0;  // J/(kg K)
    double Conductivity = 0.0;  // W/(m K)
    double Density = 0.0;  // kg/m3
    double Diffusivity = 0.0;  // m2/s, derived
    double Fourier = 0.0;  // mesh Fourier number, derived
    bool Stable = false;  // derived: 0 <= Fourier < 0.5

    double ThicknessCm() const { return Thickness * 100.0; }
    void SetThicknessCm(double cm) { Thickness = cm / 100.0; }

    void UpdateDiffusivity();
    // The explicit scheme is stable only for 0 <= Fourier < 0.5.
    void UpdateFourier(int timeStepSeconds, double gridStepMetres);
};
