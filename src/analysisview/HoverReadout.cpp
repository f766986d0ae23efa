#include "HoverReadout.h"

#include "AnalysisMoments.h"
#include "AnalysisTexts.h"
#include "PICHourCls.h"
#include "RegionalFormat.h"

#include <algorithm>
#include <cmath>

QString HoverReadout(
    const std::vector<TCurvePoint>& curve, const TRunOutcome& outcome, double moment, TLanguage language)
{
    if (curve.empty() || !std::isfinite(moment) || moment < curve.front().Moment) {
        return {};
    }
    // A step beyond the last level the run ended: nothing to read there.
    constexpr double LevelDays = TPICHourCls::TimeStep / 86400.0;
    if (moment >= curve.back().Moment + LevelDays) {
        return {};
    }
    const auto after = std::upper_bound(curve.begin(), curve.end(), moment,
        [](double value, const TCurvePoint& point) { return value < point.Moment; });
    const TCurvePoint& point = *std::prev(after);
    QString readout = AnalysisTexts::Text(language, TAnalysisText::Hover)
                          .arg(AnalysisMoments::FormatSeconds(outcome, point.Moment)
                                  + AnalysisMoments::ClockNote(outcome, point.Moment, language),
                              RegionalFormat::FormatReal(point.LayerMaxTemp),
                              RegionalFormat::FormatReal(point.SurfaceTemp), RegionalFormat::FormatReal(point.AirTemp));
    if (outcome.Lifts.size() > 1) {
        // A lift is on the road from its own level on.
        const auto laid = std::count_if(outcome.Lifts.begin(), outcome.Lifts.end(),
            [&point](const TLiftOutcome& lift) { return lift.ElapsedSeconds <= point.ElapsedSeconds; });
        readout += AnalysisTexts::Text(language, TAnalysisText::HoverLiftsLaid).arg(laid);
    }
    return readout;
}
