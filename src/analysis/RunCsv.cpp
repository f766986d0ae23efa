#include "RunCsv.h"

#include "CoolingCurve.h"
#include "DateUtilsBD2006.h"
#include "NumberText.h"
#include "PICHourCls.h"

#include <cstdio>

namespace {

// Always a decimal point: the desktop program runs under the user's locale.
std::string temperature(double value)
{
    return NumberText::Fixed(value, 4);
}

std::string depth(double value)
{
    return NumberText::Fixed(value, 1);
}

}  // namespace

std::optional<std::string> IsoDateTime(double dateTime)
{
    const auto date = DateUtilsBD2006::DecodeDate(dateTime);
    const auto time = DateUtilsBD2006::DecodeTime(dateTime);
    if (!date || !time)
        return std::nullopt;
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", date->Year, date->Month, date->Day, time->Hour,
        time->Minute, time->Second);
    return text;
}

std::string CurveCsv(const TRunOutcome& run)
{
    std::string csv
        = "elapsed_seconds,clock,surface_temp,layer_max_temp,air_temp,wind_speed,cloud_cover,layer_mean_temp,"
          "lifts_laid\n";
    const auto liftsLaid = [&run](int elapsedSeconds) {
        return run.History ? run.History->LiftsLaidAtLevel(elapsedSeconds / TPICHourCls::TimeStep) : 1;
    };
    for (const TCurvePoint& point : CoolingCurve(run))
        csv += std::to_string(point.ElapsedSeconds) + ',' + IsoDateTime(run.Wall(point.Moment).Moment).value_or("")
            + ',' + temperature(point.SurfaceTemp) + ',' + temperature(point.LayerMaxTemp) + ','
            + temperature(point.AirTemp) + ',' + temperature(point.WindSpeed) + ',' + temperature(point.CloudCover)
            + ',' + temperature(point.LayerMeanTemp) + ',' + std::to_string(liftsLaid(point.ElapsedSeconds)) + '\n';
    return csv;
}

std::string ProfilesCsv(const TRunOutcome& run)
{
    std::string csv = "elapsed_seconds,clock,depth_cm,temp\n";
    for (const TDepthProfile& profile : DepthProfiles(run)) {
        const std::string moment
            = std::to_string(profile.ElapsedSeconds) + ',' + IsoDateTime(run.Wall(profile.Moment).Moment).value_or("");
        for (std::size_t n = 0; n < profile.Temps.size(); ++n)
            csv += moment + ',' + depth(NodeDepthCm(static_cast<int>(n) + 1)) + ',' + temperature(profile.Temps[n])
                + '\n';
    }
    return csv;
}
