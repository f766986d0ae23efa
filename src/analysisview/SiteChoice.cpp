#include "SiteChoice.h"

#include "LiftMoments.h"
#include "PICHourCls.h"

#include <cmath>
#include <cstdint>

std::optional<TSiteRefusal> ApplySiteChoice(const TSiteChoice& choice, TScenario& scenario)
{
    std::vector<TLift> lifts;
    std::int64_t previous = 0;
    for (std::size_t n = 0; n < choice.Lifts.size(); ++n) {
        const TSiteLift& lift = choice.Lifts[n];
        TLiftWhen when;
        if (lift.AtClockTime) {
            when.Kind = TLiftWhen::TKind::ClockTime;
            when.Hour = lift.Hour;
            when.Minute = lift.Minute;
        } else {
            when.Minutes = lift.DelayMinutes;
        }
        const LiftMoments::TResolvedWhen resolved = LiftMoments::Resolve(scenario, previous, when);
        if (!resolved.ElapsedSeconds) {
            return TSiteRefusal{n, std::nullopt, resolved.SkippedWall, 0.0};
        }
        previous = *resolved.ElapsedSeconds;
        lifts.push_back({static_cast<double>(previous), lift.ThicknessCm, lift.LayingTemp});
    }
    const TPICHourCls engine;
    if (const auto check = ScenarioInputs::CheckLifts(engine, lifts)) {
        return TSiteRefusal{check->Index, check->Refusal, 0.0, lifts[check->Index].ElapsedSeconds};
    }
    scenario.Lifts = std::move(lifts);
    scenario.RoadWarmth = choice.RoadWarmth;
    return std::nullopt;
}

std::optional<std::array<double, 4>> ExistingRoadAtLaying(const TRunOutcome& outcome)
{
    if (!outcome.History || outcome.History->ProfileCount() == 0 || outcome.Limits.empty()) {
        return std::nullopt;
    }
    // The new layer lies on the road's surface node: the road's node m is the
    // column's node (bottom of the new layer) + m - 1, and its surface is
    // what the laying covered.
    const std::span<const double> profile = outcome.History->Profile(0);
    const int interface = std::max(outcome.Limits.front(), 1);
    std::array<double, 4> temps{};
    for (std::size_t n = 0; n < temps.size(); ++n) {
        const int offset = static_cast<int>(std::lround(ExistingRoadDepthsCm[n] / (TPICHourCls::GridStep * 100.0)));
        const int node = std::min(interface + offset, TPICHourCls::BottomNode);
        temps[n] = n == 0 ? outcome.ExistingSurfaceTemp : profile[static_cast<std::size_t>(node)];
    }
    return temps;
}
