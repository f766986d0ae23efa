#pragma once

// Sun, sky and air at the road surface, modelled from the date, the clock
// time and the site. Angles are in degrees unless a name says otherwise.
namespace SolarModel {

// Three-term series that stand for arc sine and arc cosine, used as they are,
// without range reduction (ArcCosSeries(1) is about 0.329, not 0).
double ArcSinSeries(double x);
double ArcCosSeries(double x);

double DegToRad(double degrees);

struct TSite {
    double LatitudeDeg;
    double LongitudeDeg;
    double SolarConstant;  // W/m2
};

// Values fixed for one run.
struct TSolarSetup {
    double ClockHours = 0.0;  // hour + minute / 60 of laying
    double EquationOfTime = 0.0;  // h
    double StartSolarTime = 0.0;  // h
    double DeclinationDeg = 0.0;
    double Sunrise = 0.0;  // h, true solar time
    double Sunset = 0.0;
    double EarthSunFactor = 0.0;  // E0
    double PartialExponent = 0.0;  // p = 1 + 0.36 c
};

// p of the partly covered beam for the clear-sky fraction c; a run whose
// cloud cover changes takes it afresh at every irradiance refresh.
double PartialExponent(double clearFraction);

TSolarSetup Setup(const TSite& site, int dayOfYear, int hour, int minute, double clockOffset, double clearFraction);

// True solar time of day of step i, in hours (24 subtracted while above 24).
double SolarTimeOfStep(const TSolarSetup& setup, int step, int timeStepSeconds);
bool IsDaytime(const TSolarSetup& setup, double solarTime);

// Global irradiance on the road for each cloud class, W/m2.
struct TIrradiance {
    double Clear = 0.0;
    double Overcast = 0.0;
    double Partial = 0.0;
};

class TSkyBrightnessCache;

// Recomputes the held beam and diffuse values at solar time t (daytime).
// With a cache, the sky's brightness sum is taken from it or stored in it.
TIrradiance Refresh(const TSite& site, const TSolarSetup& setup, int month, double clearFraction, double solarTime,
    TSkyBrightnessCache* skyCache = nullptr);

// The air-temperature coefficient sets, by cloudiness band.
enum class TAirSet { Clear, PartlyCovered, Covered };
// Clear from a clear-sky fraction of 0.8, covered up to 0.2.
TAirSet AirSetFor(double clearFraction);

// Harmonic air-temperature model, coefficients chosen by the clear-sky
// fraction; fixed for a run except for the solar time.
class TAirTemperature {
public:
    TAirTemperature(int dayOfYear, double clearFraction);
    TAirTemperature(int dayOfYear, TAirSet set);
    // degC at solar time t.
    double At(double solarTime, double longitudeDeg, double equationOfTime) const;

private:
    double FK[5];
};

}  // namespace SolarModel
