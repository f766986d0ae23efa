#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

const std::vector<std::string> July10 = {"--date", "2026-07-10", "--time", "14:30"};

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(CliWhatIf, nineCellsInOrderEachAsItsSingleRun)
{
    const TRun r = run(with(July10, {"--what-if", "--json"}));
    ASSERT_EQ(r.Status, 0) << r.Err;
    const auto winds = members(r.Out, "wind");
    const auto clouds = members(r.Out, "cloud");
    const auto seconds = members(r.Out, "result_seconds");
    ASSERT_EQ(seconds.size(), 9u) << r.Out;
    const char* windNames[] = {"feeble", "moderate", "strong"};
    const char* cloudNames[] = {"clear", "partial", "covered"};
    for (std::size_t n = 0; n < 9; ++n) {
        // The first wind and cloud are the echoed inputs.
        EXPECT_EQ(winds[n + 1], std::string("\"") + windNames[n / 3] + "\"");
        EXPECT_EQ(clouds[n + 1], std::string("\"") + cloudNames[n % 3] + "\"");
        const TRun single = run(with(July10, {"--json", "--wind", windNames[n / 3], "--cloud", cloudNames[n % 3]}));
        EXPECT_EQ(seconds[n], members(single.Out, "result_seconds").at(0)) << n;
        EXPECT_EQ(members(r.Out, "night")[n], members(single.Out, "night").at(0)) << n;
    }

    const TRun text = run(with(July10, {"--what-if"}));
    EXPECT_NE(text.Out.find("feeble    2026-07-11 00:15*"), std::string::npos) << text.Out;
}

TEST(CliPlan, slotsAreSingleRunsAndTheDeadlineNamesTheLatest)
{
    const TRun r
        = run({"--plan", "--every", "360", "--date", "2026-07-10", "--reopen-by", "2026-07-11T00:18", "--json"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const auto layings = members(r.Out, "laying");
    const auto reopenings = members(r.Out, "reopening");
    const auto meets = members(r.Out, "meets_deadline");
    ASSERT_EQ(layings.size(), 4u) << r.Out;
    EXPECT_EQ(layings[3], "\"2026-07-10T18:00:00\"");
    for (std::size_t n = 0; n < 4; ++n) {
        const std::string time = layings[n].substr(12, 5);
        const TRun single = run({"--date", "2026-07-10", "--time", time, "--json"});
        EXPECT_EQ(reopenings[n], members(single.Out, "reopening").at(0)) << time;
        EXPECT_EQ(meets[n], reopenings[n] <= "\"2026-07-11T00:18:00\"" ? "true" : "false") << time;
    }
    // Laid at 06:00 the layer reopens before midnight; at noon, after it.
    EXPECT_EQ(meets, (std::vector<std::string>{"true", "true", "false", "false"}));
    EXPECT_EQ(members(r.Out, "latest_laying_for_deadline").at(0), "\"2026-07-10T06:00:00\"");

    // Before 1900 date-time values run backwards within a day; the deadline
    // must still be met by exactly the slots that reopen by it.
    const TRun old
        = run({"--plan", "--every", "240", "--date", "1850-07-10", "--reopen-by", "1850-07-10T06:00", "--json"});
    ASSERT_EQ(old.Status, 0) << old.Err;
    const auto oldReopenings = members(old.Out, "reopening");
    const auto oldMeets = members(old.Out, "meets_deadline");
    ASSERT_EQ(oldMeets.size(), 6u) << old.Out;
    for (std::size_t n = 0; n < 6; ++n)
        EXPECT_EQ(oldMeets[n], oldReopenings[n] <= "\"1850-07-10T06:00:00\"" ? "true" : "false") << oldReopenings[n];
    EXPECT_EQ(members(old.Out, "latest_laying_for_deadline").at(0), "\"1850-07-10T00:00:00\"");

    const TRun noDeadline = run({"--plan", "--date", "2026-07-10", "--json"});
    EXPECT_EQ(members(noDeadline.Out, "laying").size(), 48u);
    EXPECT_TRUE(members(noDeadline.Out, "meets_deadline").empty());
    EXPECT_EQ(members(noDeadline.Out, "latest_laying_for_deadline").at(0), "null");
}

// The curve ends on the first level whose layer maximum meets the reopening
// temperature, at the result.
TEST(CliCurve, endsAtTheReopeningLevel)
{
    const TRun r = run(with(July10, {"--curve", "-"}));
    ASSERT_EQ(r.Status, 0) << r.Err;
    const auto rows = csvRecords(r.Out);
    ASSERT_GT(rows.size(), 2u);
    EXPECT_EQ(rows[0],
        (std::vector<std::string>{"elapsed_seconds", "clock", "surface_temp", "layer_max_temp", "air_temp",
            "wind_speed", "cloud_cover", "layer_mean_temp", "lifts_laid"}));
    EXPECT_EQ(rows[1][1], "2026-07-10T14:30:00");
    EXPECT_EQ(rows.back()[0], members(run(with(July10, {"--json"})).Out, "result_seconds").at(0));
    // Read as the file is written, whatever the test's locale.
    const auto number = [](const std::string& text) {
        double value = std::nan("");
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    };
    EXPECT_LE(number(rows.back()[3]), 30.0);
    EXPECT_GT(number(rows[rows.size() - 2][3]), 30.0);
}

TEST(CliCurve, filesAreWholeOrAbsent)
{
    const auto dir = std::filesystem::temp_directory_path() / ("kelvara-cli-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string profiles = (dir / "profiles.csv").string();
    const TRun r = run(with(July10, {"--profiles", profiles}));
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("Reopening:"), std::string::npos) << "the report still goes to standard output";
    std::ifstream in(profiles);
    std::string header, first;
    std::getline(in, header);
    std::getline(in, first);
    EXPECT_EQ(header, "elapsed_seconds,clock,depth_cm,temp");
    EXPECT_EQ(first, "0,2026-07-10T14:30:00,0.0,170.0000");

    const std::string unwritable = (dir / "missing" / "curve.csv").string();
    const TRun refused = run(with(July10, {"--curve", unwritable}));
    EXPECT_EQ(refused.Status, 2);
    EXPECT_EQ(std::count(refused.Err.begin(), refused.Err.end(), '\n'), 1) << refused.Err;
    EXPECT_EQ(refused.Out, "") << "nothing computed for a file that cannot be written";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "only profiles.csv";
    std::filesystem::remove_all(dir);
}

class CliAnalysisRefusal : public testing::TestWithParam<std::vector<std::string>> { };

TEST_P(CliAnalysisRefusal, exitsTwoWithOneLine)
{
    const TRun r = run(GetParam());
    EXPECT_EQ(r.Status, 2);
    const bool json = std::find(GetParam().begin(), GetParam().end(), "--json") != GetParam().end();
    if (json)
        EXPECT_EQ(r.Out.rfind("{\"error\":\"usage\"", 0), 0u) << r.Out;
    else
        EXPECT_EQ(r.Out, "");
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 2) << "the error and the pointer to --help: " << r.Err;
}

INSTANTIATE_TEST_SUITE_P(Options, CliAnalysisRefusal,
    testing::Values(std::vector<std::string>{"--plan", "--every", "7"},
        std::vector<std::string>{"--plan", "--every", "1440"}, std::vector<std::string>{"--plan", "--every", "30min"},
        std::vector<std::string>{"--plan", "--reopen-by", "2026-07-11"},
        std::vector<std::string>{"--plan", "--reopen-by", "2026-02-30T06:00"},
        std::vector<std::string>{"--every", "30"}, std::vector<std::string>{"--what-if", "--plan"},
        std::vector<std::string>{"--what-if", "--curve", "c.csv"}, std::vector<std::string>{"--curve", "-", "--json"},
        std::vector<std::string>{"--curve", "-", "--profiles", "-"}, std::vector<std::string>{"--batch", "--plan"}));

}  // namespace
