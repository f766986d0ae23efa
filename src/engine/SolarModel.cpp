#include "SolarModel.h"

#include "SkyBrightnessCache.h"

#include <array>
#include <cmath>
#include <numbers>

namespace SolarModel {

namespace {

constexpr double Pi = std::numbers::pi;

// The sky dome is summed over 5 x 5 degree elements: 18 rings of elevation
// and 72 sectors of azimuth, at the elements' centres.
constexpr int SkyRings = 18;
constexpr int SkySectors = 72;
constexpr double SkyElementDeg = 5.0;

// Per-ring values that do not depend on the sun: sin and cos of the
// elevation and the sky gradation 1 - exp(-0.32 / sin(theta)).
struct TSkyRing {
    double SinTheta;
    double CosTheta;
    double Gradation;
};

const std::array<TSkyRing, SkyRings>& skyRings()
{
    static const std::array<TSkyRing, SkyRings> rings = [] {
        std::array<TSkyRing, SkyRings> r{};
        for (int ring = 0; ring < SkyRings; ++ring) {
            const double theta = DegToRad(SkyElementDeg / 2 + SkyElementDeg * ring);
            const double sinTheta = std::sin(theta);
            r[static_cast<std::size_t>(ring)] = {sinTheta, std::cos(theta), 1.0 - std::exp(-0.32 / sinTheta)};
        }
        return r;
    }();
    return rings;
}

// Coefficients a_g0..a_g4 of K_g (g = 1..5), in tenths of a degree.
using TAirCoefficients = std::array<std::array<double, 5>, 5>;

constexpr TAirCoefficients ClearSkyAir = {{
    {108.1, -100.21, -9.74, -21.76, 4.72},
    {-35.58, 18.06, 4.79, -0.22, 0.2},
    {9.28, 2.92, -3.32, -2.17, 0.55},
    {-26.54, 12.54, 4.44, -3.88, -2.27},
    {1.88, 5.69, -0.94, -0.94, 1.36},
}};
constexpr TAirCoefficients PartlyCoveredAir = {{
    {101.81, -74.52, -2.64, -24.24, 3.95},
    {-23.62, 14.73, 2.09, -0.59, 0.38},
    {6.05, 1.02, -2.1, -1.4, 0.11},
    {-15.13, 8.37, 2.01, -2.62, -0.79},
    {3.54, 2.25, -0.82, -0.28, 1.05},
}};
constexpr TAirCoefficients CoveredAir = {{
    {96.86, -59.82, -0.62, -25.2, 5.36},
    {-12.17, 7.31, 0.72, -0.21, -0.1},
    {2.35, 0.05, -0.92, -0.4, 0.33},
    {-8.43, 2.23, 0.51, -1.03, -1.04},
    {1.73, -0.18, -0.72, 0.02, 0.16},
}};

constexpr double RadiansPerDay = 0.017167172970436028;  // 2 pi / 366
constexpr double RadiansPerHour = 0.26179938779914946;  // pi / 12

// Radians to degrees as the formulas write it: times 180, then over pi.
double radToDeg(double radians)
{
    return radians * 180.0 / Pi;
}

// Brightness of the clear sky summed over the dome, relative to the zenith,
// for the sun at elevation h (hRad, its sine and cosine) and azimuth (deg).
// cos(A - psi) depends on the sector alone, so it is taken once per sector
// rather than once per element.
double skyBrightnessSum(double hRad, double sinH, double cosH, double azimuth)
{
    std::array<double, SkySectors> cosAzimuthOffset{};
    for (int sector = 0; sector < SkySectors; ++sector) {
        const double psi = SkyElementDeg / 2 + SkyElementDeg * sector;
        cosAzimuthOffset[static_cast<std::size_t>(sector)] = std::cos(DegToRad(azimuth - psi));
    }
    const double normaliser = (0.91 + 10.0 * std::exp(-3.0 * (Pi / 2.0 - hRad)) + 0.45 * std::pow(sinH, 2.0)) * 0.27385;
    double skySum = 0.0;
    for (const TSkyRing& ring : skyRings()) {
        for (const double cosOffset : cosAzimuthOffset) {
            const double cosGamma = ring.SinTheta * sinH + ring.CosTheta * cosH * cosOffset;
            const double gamma = ArcCosSeries(cosGamma);
            // The cosine of the series result, not cosGamma itself.
            const double cosSeriesGamma = std::cos(gamma);
            const double scattering = 0.91 + 10.0 * std::exp(-3.0 * gamma) + 0.45 * std::pow(cosSeriesGamma, 2.0);
            skySum += (scattering * ring.Gradation / normaliser) * ring.CosTheta * ring.SinTheta;
        }
    }
    return skySum;
}

}  // namespace

double DegToRad(double degrees)
{
    return degrees * (Pi / 180.0);
}

// The powers are products rather than pow(): the sky sum evaluates the
// series 1296 times a refresh, and pow() made it most of a run's cost. The
// two differ by an ulp at most.
double ArcSinSeries(double x)
{
    const double x3 = x * x * x;
    return x + x3 / 6.0 + 3.0 * (x3 * x * x) / 40.0;
}

double ArcCosSeries(double x)
{
    const double x3 = x * x * x;
    return Pi / 2.0 - x - x3 / 6.0 - 3.0 * (x3 * x * x) / 40.0;
}

TSolarSetup Setup(const TSite& site, int dayOfYear, int hour, int minute, double clockOffset, double clearFraction)
{
    TSolarSetup s;
    s.ClockHours = hour + minute / 60.0;
    const double m = 0.9856 * dayOfYear + 357.0;
    const double c = 1.914 * std::sin(DegToRad(m)) + 0.02 * std::sin(DegToRad(2.0 * m));
    const double l = 280.0 + c + 0.9856 * dayOfYear;
    const double r = -2.466 * std::sin(DegToRad(2.0 * l)) + 0.053 * std::sin(DegToRad(4.0 * l));
    s.EquationOfTime = (c + r) * 4.0 / 60.0;
    s.StartSolarTime = s.ClockHours - clockOffset + site.LongitudeDeg / 15.0 - s.EquationOfTime;
    s.DeclinationDeg = 23.45 * std::sin(DegToRad(0.98 * (dayOfYear + 284)));
    const double sunsetHourAngleDeg
        = radToDeg(ArcCosSeries(-std::tan(DegToRad(site.LatitudeDeg)) * std::tan(DegToRad(s.DeclinationDeg))));
    s.Sunrise = 12.0 - sunsetHourAngleDeg / 15.0;
    s.Sunset = 12.0 + sunsetHourAngleDeg / 15.0;
    s.EarthSunFactor = 1.0 + 0.03344 * std::cos(DegToRad(0.9856 * dayOfYear - 2.8));
    s.PartialExponent = PartialExponent(clearFraction);
    return s;
}

double PartialExponent(double clearFraction)
{
    return 1.0 + 0.36 * clearFraction;
}

double SolarTimeOfStep(const TSolarSetup& setup, int step, int timeStepSeconds)
{
    double t = (step / 60.0) * (timeStepSeconds / 60.0) + setup.StartSolarTime;
    // At most a few days pass in a run; the guard keeps a non-finite start
    // from looping forever.
    while (t > 24.0 && std::isfinite(t))
        t -= 24.0;
    return t;
}

bool IsDaytime(const TSolarSetup& setup, double solarTime)
{
    return setup.Sunrise < solarTime && solarTime < setup.Sunset;
}

TIrradiance Refresh(const TSite& site, const TSolarSetup& setup, int month, double clearFraction, double solarTime,
    TSkyBrightnessCache* skyCache)
{
    const double phi = DegToRad(site.LatitudeDeg);
    const double delta = DegToRad(setup.DeclinationDeg);
    const double omega = (solarTime - 12.0) * 15.0;
    const double h = radToDeg(
        ArcSinSeries(std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(DegToRad(omega))));
    const double hRad = DegToRad(h);
    const double sinH = std::sin(hRad);
    const double cosH = std::cos(hRad);
    const double azimuth = radToDeg(ArcSinSeries(std::cos(delta) * std::sin(DegToRad(omega)) / cosH));

    const double airMass = 1.0 / (sinH + 0.15 * std::pow(h + 3.885, -1.253));
    const double turbidity = 3.372 + 0.053 * h - 0.296 * std::cos(DegToRad(30.0 * month));
    const double opticalFactor = 1.4899 - 2.1099 * cosH + 0.6322 * std::cos(DegToRad(2.0 * h))
        + 0.0252 * std::cos(DegToRad(3.0 * h)) - 1.0022 * sinH + 1.0077 * std::sin(DegToRad(2.0 * h))
        - 0.2606 * std::sin(DegToRad(3.0 * h));
    const double c = clearFraction;
    const double e0 = setup.EarthSunFactor;
    const double beam = site.SolarConstant * e0 * std::exp(-airMass * opticalFactor * turbidity) * sinH;
    const double partialBeam = std::pow(c, setup.PartialExponent) * beam;
    const double zenith
        = 0.44347 + 0.8785 * h - 0.01322 * std::pow(h, 2.0) + 3.434e-4 * std::pow(h, 3.0) + 0.03644 * turbidity;
    const double coveredFactor = 81.23 * sinH * (1.0 + 0.36 * sinH);
    const double q = c * ((1.0 - std::exp(-0.0956 * h)) * 1.023 * (1.0 - c) + 0.5);
    const double r = 1.37 + 0.71 * sinH;

    double skySum = 0.0;
    if (const auto shared = skyCache ? skyCache->Find(h, azimuth) : std::nullopt) {
        skySum = *shared;
    } else {
        skySum = skyBrightnessSum(hRad, sinH, cosH, azimuth);
        if (skyCache)
            skyCache->Store(h, azimuth, skySum);
    }

    // 0.0076154 is the solid angle of one 5 x 5 degree element.
    const double clearDiffuse = e0 * zenith * 0.0076154 * skySum;
    const double coveredDiffuse = e0 * coveredFactor * 2.444;
    const double partialDiffuse = (std::pow(q, 2.0) * (1.0 - r) + r * q) * clearDiffuse + (1.0 - q) * coveredDiffuse;
    return {beam + clearDiffuse, coveredDiffuse, partialBeam + partialDiffuse};
}

TAirSet AirSetFor(double clearFraction)
{
    return clearFraction >= 0.8 ? TAirSet::Clear : clearFraction > 0.2 ? TAirSet::PartlyCovered : TAirSet::Covered;
}

TAirTemperature::TAirTemperature(int dayOfYear, double clearFraction)
    : TAirTemperature(dayOfYear, AirSetFor(clearFraction))
{
}

TAirTemperature::TAirTemperature(int dayOfYear, TAirSet set)
{
    const TAirCoefficients& a = set == TAirSet::Clear ? ClearSkyAir
        : set == TAirSet::PartlyCovered               ? PartlyCoveredAir
                                                      : CoveredAir;
    const double d = dayOfYear * RadiansPerDay;
    for (std::size_t g = 0; g < 5; ++g)
        FK[g] = a[g][0] + a[g][1] * std::cos(d) + a[g][2] * std::cos(2.0 * d) + a[g][3] * std::sin(d)
            + a[g][4] * std::sin(2.0 * d);
}

double TAirTemperature::At(double solarTime, double longitudeDeg, double equationOfTime) const
{
    const double tau = (solarTime - longitudeDeg / 15.0 - equationOfTime) * RadiansPerHour;
    return (FK[0] + FK[1] * std::cos(tau) + FK[2] * std::cos(2.0 * tau) + FK[3] * std::sin(tau)
               + FK[4] * std::sin(2.0 * tau))
        / 10.0;
}

}  // namespace SolarModel
