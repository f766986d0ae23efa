#include "EngineTestSupport.h"

#include <gtest/gtest.h>

namespace {

TWeatherTimeline weatherOf(
    std::vector<TWeatherPoint> air, std::vector<TWeatherPoint> wind, std::vector<TWeatherPoint> cloud)
{
    TWeatherTimeline weather;
    if (!air.empty())
        weather.AirTemp = TWeatherSeries(std::move(air));
    if (!wind.empty())
        weather.WindSpeed = TWeatherSeries(std::move(wind));
    if (!cloud.empty())
        weather.CloudCover = TWeatherSeries(std::move(cloud));
    return weather;
}

// Members run together must each be their lone run to the last bit: the
// result, the failure and every recorded series, whether they end early,
// late or fail; with a lift and the road's warmth, which every member has.
TEST(Members, eachMemberIsItsLoneRun)
{
    const std::vector<TWeatherTimeline> weathers = {
        weatherOf({{-3600.0, 22.0}, {40000.0, 12.0}}, {{0.0, 2.0}}, {{0.0, 0.0}, {20000.0, 80.0}}),
        weatherOf({{0.0, 8.0}}, {{0.0, 12.0}}, {}),  // cold and windy: ends first
        weatherOf({{0.0, 49.0}}, {{0.0, 0.0}}, {{0.0, 0.0}}),  // never below 35 degC: fails
        weatherOf({}, {}, {{-7200.0, 100.0}, {7200.0, 30.0}, {50000.0, 0.0}}),
        TWeatherTimeline{},
    };
    for (const bool warmth : {false, true}) {
        TPICHourCls engine;
        setStartInputs(engine, 6.0);
        engine.LayingTemp = 160.0;
        engine.ReopenTemp = 35.0;
        engine.FurtherLifts = {{3600.0, 4.0, 165.0}};
        engine.RoadWarmth = warmth;
        engine.WarmUpSummerTime = true;
        const double date = dateOf(2027, 7, 14);
        const double time = timeOf(20, 30);

        std::vector<TMemberRun> members;
        for (const TWeatherTimeline& weather : weathers)
            members.push_back({weather, {}, 0.0, 0.0, 0.0, {}});
        engine.ComputeMembers(date, time, members);

        for (std::size_t m = 0; m < weathers.size(); ++m) {
            TPICHourCls lone;
            setStartInputs(lone, 6.0);
            lone.LayingTemp = 160.0;
            lone.ReopenTemp = 35.0;
            lone.FurtherLifts = engine.FurtherLifts;
            lone.RoadWarmth = warmth;
            lone.WarmUpSummerTime = true;
            lone.Weather = weathers[m];
            TRecordingProgressBar bar;
            const std::string failure = computeFailure(lone, bar, date, time);
            const TMemberRun& member = members[m];
            SCOPED_TRACE("member " + std::to_string(m) + (warmth ? " warm" : ""));
            EXPECT_EQ(member.Failure, failure);
            if (failure.empty()) {
                EXPECT_EQ(member.ResultSeconds, lone.ResultSeconds);
            }
            EXPECT_EQ(member.AirTemp, lone.AirTemp);
            EXPECT_EQ(member.ExistingSurfaceTemp, lone.ExistingSurfaceTemp);
            const TCoolingHistory& h = member.History;
            const TCoolingHistory& l = lone.History();
            EXPECT_EQ(h.SurfaceTemps(), l.SurfaceTemps());
            EXPECT_EQ(h.LayerMaxTemps(), l.LayerMaxTemps());
            EXPECT_EQ(h.LayerMeanTemps(), l.LayerMeanTemps());
            EXPECT_EQ(h.AirTemps(), l.AirTemps());
            EXPECT_EQ(h.CloudCovers(), l.CloudCovers());
            ASSERT_EQ(h.ProfileCount(), l.ProfileCount());
            for (int p = 0; p < h.ProfileCount(); ++p)
                ASSERT_TRUE(std::equal(h.Profile(p).begin(), h.Profile(p).end(), l.Profile(p).begin())) << p;
        }
        EXPECT_EQ(members[2].Failure, TPICHourCls::FailureTooLong);
        EXPECT_LT(members[1].ResultSeconds, members[0].ResultSeconds);
    }
}

}  // namespace
