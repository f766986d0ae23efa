#include "CliTestSupport.h"

#include <gtest/gtest.h>

namespace {

const std::string DataDir = KELVARA_TEST_DATA "/weather/";
const std::vector<std::string> Laid = {"--date", "2026-12-09", "--time", "14:10"};

std::vector<std::string> with(std::vector<std::string> more)
{
    std::vector<std::string> args = Laid;
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(CliWeatherTest, AForecastFileGivesATimelineAndTheCompactionWindow)
{
    const TRun result = run(with({"--weather", DataDir + "forecast-brussels.json", "--json"}));
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_NE(result.Out.find("\"weather\":\"timeline\",\"weather_from\":\"2026-12-09T00:00:00\","
                              "\"weather_until\":\"2026-12-11T23:00:00\",\"weather_held\":false"),
        std::string::npos)
        << result.Out;
    EXPECT_NE(result.Out.find("\"compaction_until\":\"2026-12-09T14:"), std::string::npos) << result.Out;
}

TEST(CliWeatherTest, AShortTimelineIsHeldAndSaysSo)
{
    // Laid within the timeline, the layer cools past its end.
    const TRun result = run({"--date", "2026-12-09", "--time", "22:00", "--weather", DataDir + "site-weather.csv"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_NE(result.Out.find("Weather:   the timeline ends at 2026-12-10T00:30:00; its last values were held"),
        std::string::npos)
        << result.Out;
    EXPECT_NE(result.Out.find("Compaction: until "), std::string::npos);
}

// Laid before the timeline starts or after it ends: no answer on borrowed
// values, one line, and the JSON says why.
TEST(CliWeatherTest, ATimelineThatMissesTheLayingGivesNoAnswer)
{
    const std::pair<const char*, const char*> layings[] = {{"2026-12-09", "13:59"}, {"2026-12-10", "00:31"}};
    for (const auto& [date, time] : layings) {
        const std::vector<std::string> args
            = {"--date", date, "--time", time, "--weather", DataDir + "site-weather.csv"};
        const TRun text = run(args);
        EXPECT_EQ(text.Status, 2) << time;
        EXPECT_EQ(text.Out, "");
        EXPECT_EQ(text.Err,
            "kelvara-calc: weather: the timeline (2026-12-09T14:00:00 to 2026-12-10T00:30:00) does not cover the "
            "laying at "
                + std::string(date) + "T" + time + ":00; no answer is given on values from another time\n");
        std::vector<std::string> jsonArgs = args;
        jsonArgs.push_back("--json");
        const TRun json = run(jsonArgs);
        EXPECT_NE(json.Out.find("\"reopening\":null"), std::string::npos) << json.Out;
        EXPECT_NE(json.Out.find("\"weather_held\":null,\"weather_covers_laying\":false,"), std::string::npos)
            << json.Out;
    }
    const TRun covered
        = run({"--date", "2026-12-10", "--time", "00:30", "--weather", DataDir + "site-weather.csv", "--json"});
    EXPECT_NE(covered.Out.find("\"weather_covers_laying\":true"), std::string::npos) << covered.Out;
}

TEST(CliWeatherTest, RefusedCombinationsAndValuesExitWith2)
{
    const std::vector<std::vector<std::string>> cases = {
        with({"--air-temp", "2", "--weather", DataDir + "site-weather.csv"}),
        with({"--wind-speed", "61"}),
        with({"--cloud-cover", "cloudy"}),
        with({"--compaction-temp", "39"}),
        with({"--weather", DataDir + "missing.json"}),
        {"--what-if", "--cloud-cover", "50"},
        {"--batch", "--air-temp", "3"},
    };
    for (const auto& args : cases) {
        const TRun result = run(args);
        EXPECT_EQ(result.Status, 2) << args.back();
        EXPECT_FALSE(result.Err.empty());
    }
}

TEST(CliWeatherTest, ConstantsGoWithThePlanAndTheCurve)
{
    const TRun plan = run(with({"--plan", "--every", "720", "--air-temp", "2", "--wind-speed", "4", "--json"}));
    ASSERT_EQ(plan.Status, 0) << plan.Err;
    EXPECT_NE(plan.Out.find("\"weather\":\"values\""), std::string::npos);
    const TRun curve = run(with({"--air-temp", "2.5", "--cloud-cover", "40", "--curve", "-"}));
    ASSERT_EQ(curve.Status, 0) << curve.Err;
    const auto records = csvRecords(curve.Out);
    ASSERT_GT(records.size(), 2u);
    EXPECT_EQ(records[0],
        (std::vector<std::string>{"elapsed_seconds", "clock", "surface_temp", "layer_max_temp", "air_temp",
            "wind_speed", "cloud_cover", "layer_mean_temp", "lifts_laid"}));
    EXPECT_EQ(records[1][4], "2.5000");
    EXPECT_EQ(records[1][6], "40.0000");
}

TEST(CliWeatherTest, JsonInputsEchoTheWeatherUsed)
{
    const TRun constants = run(
        with({"--wind", "strong", "--wind-speed", "4.5", "--air-temp", "2", "--compaction-temp", "90", "--json"}));
    ASSERT_EQ(constants.Status, 0) << constants.Err;
    EXPECT_NE(constants.Out.find("\"wind\":null,\"cloud\":\"clear\","), std::string::npos) << constants.Out;
    EXPECT_NE(constants.Out.find("\"air_temp\":2,\"wind_speed\":4.5,\"cloud_cover\":null,\"compaction_temp\":90,"),
        std::string::npos)
        << constants.Out;
    // The file's cloud series replaces the cloud class.
    const TRun file = run(with({"--weather", DataDir + "site-weather.csv", "--json"}));
    ASSERT_EQ(file.Status, 0) << file.Err;
    EXPECT_NE(file.Out.find("\"wind\":null,\"cloud\":null,"), std::string::npos) << file.Out;
}

TEST(CliWeatherTest, BatchRowsTakeTheirConstantsAndTheFile)
{
    const std::string input = "thickness,laying_temp,reopen_temp,wind,cloud,date,time,air_temp\n"
                              "5,170,30,feeble,clear,2026-12-09,14:10,\n"
                              "5,170,30,feeble,clear,2026-12-09,14:10,-5\n";
    const TRun classes = run({"--batch"}, input);
    ASSERT_EQ(classes.Status, 0) << classes.Err;
    const auto rows = csvRecords(classes.Out);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].back(), "existing_surface_temp");
    EXPECT_EQ(rows[0][rows[0].size() - 2], "compaction_seconds");
    EXPECT_NE(rows[1][8], rows[2][8]);  // the constant changes the result
    EXPECT_FALSE(rows[1][rows[1].size() - 2].empty());

    const TRun single = run(with({"--weather", DataDir + "site-weather.csv", "--json"}));
    const TRun batch = run({"--batch", "--weather", DataDir + "site-weather.csv"}, input);
    EXPECT_NE(batch.Status, 0);  // a row without a result
    const auto timelineRows = csvRecords(batch.Out);
    EXPECT_NE(single.Out.find("\"result_seconds\":" + timelineRows[1][8] + ","), std::string::npos);
    // Row 2 gives the air as a value as well as the file: refused on its own row.
    EXPECT_NE(timelineRows[2][10].find("given both"), std::string::npos);
}

}  // namespace
