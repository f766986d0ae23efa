#include "CliScenario.h"
#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A July evening: 6 cm at 21:00, then a wearing course.
const std::vector<std::string> July14
    = {"--thickness", "6", "--laying-temp", "165", "--reopen-temp", "35", "--date", "2027-07-14", "--time", "21:00"};

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

struct TRefusalCase {
    const char* Name;
    std::vector<std::string> Args;  // after July14
    const char* Line;  // the start of the one line after "kelvara-calc: "
    bool TryHelp;  // a malformed value or a usage error
};

void PrintTo(const TRefusalCase& c, std::ostream* out)
{
    *out << c.Name;
}

class CliLiftRefusal : public testing::TestWithParam<TRefusalCase> { };

TEST_P(CliLiftRefusal, exits2WithOneLineNamingTheLift)
{
    const TRefusalCase& c = GetParam();
    const TRun r = run(with(July14, c.Args));
    EXPECT_EQ(r.Status, 2) << r.Err;
    EXPECT_EQ(r.Err.rfind(std::string("kelvara-calc: ") + c.Line, 0), 0u) << r.Err;
    EXPECT_EQ(r.Err.substr(r.Err.find('\n') + 1), c.TryHelp ? "Try 'kelvara-calc --help' for the options.\n" : "");
    EXPECT_EQ(r.Out, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, CliLiftRefusal,
    testing::Values(TRefusalCase{"fourthFurtherLift",
                        {"--lift", "4:165:+10", "--lift", "4:165:+10", "--lift", "4:165:+10", "--lift", "4:165:+10"},
                        "lift 5 \"4:165:+10\": at most 3 further lifts can be laid", false},
        TRefusalCase{"atThePreviousLift", {"--lift", "4:165:+30", "--lift", "4:165:+0"},
            "lift 3 \"4:165:+0\": +0 is not after lift 2, laid 2027-07-14T21:30:00", false},
        TRefusalCase{"beforeTheFirstLaying", {"--lift", "4:165:2027-07-14T20:59"},
            "lift 2 \"4:165:2027-07-14T20:59\": 2027-07-14T20:59 is not after lift 1, laid 2027-07-14T21:00:00", false},
        TRefusalCase{"tooThick", {"--lift", "8.5:165:+60"},
            "lift 2 \"8.5:165:+60\": thickness 8.5 is above the maximum of 8.0 cm", false},
        TRefusalCase{"tooCold", {"--lift", "4:165:+60", "--lift", "4:99,5:+60"},
            "lift 3 \"4:99,5:+60\": laying temperature 99,5 is below the minimum of 100.0 degC", false},
        TRefusalCase{"pastTheRunsEnd", {"--lift", "4:165:+2084"},
            "lift 2 \"4:165:+2084\": +2084 falls 34 h 44 min 0 s after the first laying, at or past the run's 34 h 43 "
            "min 20 s",
            false},
        TRefusalCase{"noMoment", {"--lift", "4:165"},
            "lift 2 \"4:165\": not CM:C:WHEN (WHEN +MIN, HH:MM or YYYY-MM-DDTHH:MM)", true},
        TRefusalCase{"unreadableThickness", {"--lift", "4cm:165:+60"},
            "lift 2 \"4cm:165:+60\": cannot read thickness \"4cm\" as a number", true},
        TRefusalCase{"unreadableMoment", {"--lift", "4:165:23h30"},
            "lift 2 \"4:165:23h30\": \"23h30\" is not +MIN, HH:MM or YYYY-MM-DDTHH:MM", true},
        TRefusalCase{"noValue", {"--lift"}, "--lift needs a value CM:C:WHEN", true},
        TRefusalCase{"clockTimeInAPlan", {"--plan", "--lift", "4:165:+60", "--lift", "4:165:23:00"},
            "lift 3 \"4:165:23:00\": with --plan a lift is laid +MIN after the previous one", true},
        TRefusalCase{"withBatch", {"--batch", "--lift", "4:165:+60"}, "--batch cannot be used with", true},
        TRefusalCase{"warmthTakesNoValue", {"--road-warmth=yes"}, "--road-warmth takes no value", true}),
    [](const auto& param) { return std::string(param.param.Name); });

// 28 March 2027 from 01:30: the clock goes from 02:00 to 03:00.
TEST(CliLiftRefusal, timeTheMarchChangeSkips)
{
    const TRun r = run({"--date", "2027-03-28", "--time", "01:30", "--lift", "4:165:02:30"});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Err,
        "kelvara-calc: lift 2 \"4:165:02:30\": 2027-03-28T02:30 does not exist: the legal clock goes from 02:00 "
        "winter time to 03:00 summer time\n");
}

// The command line hands the resolved moments to the run: on the laying's
// date and clock, each after the previous lift.
TEST(CliLiftMoments, resolvedFromTheLayingAndThePreviousLift)
{
    struct TCase {
        const char* Date;
        const char* Time;
        const char* Clock;
        std::vector<std::string> Lifts;
        std::vector<double> Elapsed;
    };
    const TCase cases[] = {
        {"2027-07-14", "21:00", "auto", {"4:165:+120", "3:160:01:00", "3:160:2027-07-15T02:15"}, {7200, 14400, 18900}},
        {"2027-07-14", "21:00", "auto", {"4:165:20:30"}, {84600}},  // the next evening
        // 01:30 summer time; 03:30 is winter time on the automatic clock.
        {"2027-10-31", "01:30", "auto", {"4:165:02:30", "4:165:03:30"}, {3600, 10800}},
        {"2027-10-31", "01:30", "winter", {"4:165:02:30", "4:165:03:30"}, {3600, 7200}},
    };
    for (const TCase& c : cases) {
        TCliScenario scenario;
        scenario.Date = c.Date;
        scenario.Time = c.Time;
        scenario.Clock = c.Clock;
        scenario.Lifts = c.Lifts;
        const TCliReading reading = ReadScenario(scenario);
        ASSERT_TRUE(reading.Scenario) << reading.Outcome.Message;
        std::vector<double> elapsed;
        for (const TLift& lift : reading.Scenario->Lifts)
            elapsed.push_back(lift.ElapsedSeconds);
        EXPECT_EQ(elapsed, c.Elapsed) << c.Date << ' ' << c.Clock << ' ' << c.Lifts.front();
        EXPECT_EQ(reading.Scenario->Lifts.back().ThicknessCm, c.Lifts.size() == 3 ? 3.0 : 4.0);
    }
}

TEST(CliLiftBatch, rowsTakeTheirLiftsAndWarmth)
{
    const std::string header = "thickness,laying_temp,reopen_temp,wind,cloud,date,time,lifts,road_warmth\n";
    const std::string laying = "6,165,35,feeble,clear,2027-07-14,21:00,";
    const TRun r = run({"--batch"},
        header + laying + "4:165:+120,true\n" + laying + " 4:165:+120  3:160:01:00 ,\n" + laying + "9:165:+120,false\n"
            + laying + ",maybe\n" + laying + ",\n");
    EXPECT_EQ(r.Status, 3) << "two rows are refused";
    const auto rows = csvRecords(r.Out);
    ASSERT_EQ(rows.size(), 6u) << r.Out;
    EXPECT_EQ(rows[0].back(), "existing_surface_temp");
    constexpr std::size_t result = 9, error = 11;
    const auto single = [](const std::vector<std::string>& more) {
        return members(run(with(July14, with(more, {"--json"}))).Out, "result_seconds").at(0);
    };
    EXPECT_EQ(rows[1][result], single({"--lift", "4:165:+120", "--road-warmth"}));
    EXPECT_EQ(rows[2][result], single({"--lift", "4:165:+120", "--lift", "3:160:01:00"}));
    EXPECT_EQ(rows[3][error].rfind("lift 2 \"9:165:+120\": thickness 9 is above", 0), 0u) << rows[3][error];
    EXPECT_EQ(rows[4][error], "road warmth: \"maybe\" is not true or false");
    EXPECT_EQ(rows[5][result], single({}));
    EXPECT_EQ(rows[5].back(), "14.0") << "the uniform road is at the bottom temperature";

    // --road-warmth is every row's default; a row's own cell decides for it.
    const TRun warm = run({"--batch", "--road-warmth"}, header + laying + ",\n" + laying + ",false\n");
    const auto warmRows = csvRecords(warm.Out);
    ASSERT_EQ(warmRows.size(), 3u) << warm.Err;
    EXPECT_EQ(warmRows[1][result], single({"--road-warmth"}));
    EXPECT_EQ(warmRows[2][result], rows[5][result]);
}

TEST(CliLiftJson, everyLiftWithItsMoments)
{
    const TRun r = run(with(July14, {"--lift", "4:165:+120", "--road-warmth", "--json"}));
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("\"road_warmth\":true,\"lifts\":[\"4:165:+120\"]"), std::string::npos) << r.Out;
    EXPECT_EQ(members(r.Out, "thickness"), (std::vector<std::string>{"6", "6", "4"})) << "the input, then each lift";
    EXPECT_EQ(members(r.Out, "laid"), (std::vector<std::string>{"\"2027-07-14T21:00:00\"", "\"2027-07-14T23:00:00\""}));
    EXPECT_EQ(members(r.Out, "laid_summer_time"), (std::vector<std::string>{"true", "true"}));
    EXPECT_EQ(members(r.Out, "elapsed_seconds"), (std::vector<std::string>{"0", "7200"}));
    EXPECT_EQ(members(r.Out, "compaction_seconds").size(), 3u) << "the first lift's, then each lift's";
    EXPECT_EQ(members(r.Out, "compaction_until").size(), 3u);
    const auto base = members(r.Out, "base_mean_temp");
    ASSERT_EQ(base.size(), 1u) << "only for a lift on a lift";
    EXPECT_EQ(base[0].size() - base[0].find('.'), 2u) << "one decimal: " << base[0];
    const auto surface = members(r.Out, "existing_surface_temp");
    ASSERT_EQ(surface.size(), 1u);
    EXPECT_NE(surface[0], "14.0") << "a July road is warmer than the uniform one";

    const TRun text = run(with(July14, {"--lift", "4:165:+120", "--road-warmth"}));
    EXPECT_NE(
        text.Out.find("\nLift 1:    6 cm at 165 degC, laid 2027-07-14T21:00:00; compaction until"), std::string::npos)
        << text.Out;
    EXPECT_NE(
        text.Out.find("\nLift 2:    4 cm at 165 degC, laid 2027-07-14T23:00:00 on lift 1 at "), std::string::npos);
    EXPECT_NE(text.Out.find("\nExisting road: " + surface[0] + " degC at the surface"), std::string::npos);
}

// What-if and plan runs keep the lifts: each plan slot lays them its delays later.
TEST(CliLiftAnalyses, whatIfAndPlanKeepTheLifts)
{
    const TRun whatIf = run(with(July14, {"--lift", "4:165:+120", "--what-if", "--json"}));
    ASSERT_EQ(whatIf.Status, 0) << whatIf.Err;
    const auto laid = members(whatIf.Out, "laid");
    EXPECT_EQ(laid.size(), 18u);
    EXPECT_EQ(std::count(laid.begin(), laid.end(), "\"2027-07-14T23:00:00\""), 9);

    const TRun plan = run({"--date", "2027-07-14", "--plan", "--every", "720", "--lift", "4:165:+120", "--json"});
    ASSERT_EQ(plan.Status, 0) << plan.Err;
    EXPECT_EQ(members(plan.Out, "laid"),
        (std::vector<std::string>{"\"2027-07-14T00:00:00\"", "\"2027-07-14T02:00:00\"", "\"2027-07-14T12:00:00\"",
            "\"2027-07-14T14:00:00\""}));
}

TEST(CliLiftCurve, liftsLaidCountFromTheLiftsLevel)
{
    const TRun r = run(with(July14, {"--lift", "4:165:+120", "--curve", "-"}));
    ASSERT_EQ(r.Status, 0) << r.Err;
    const auto rows = csvRecords(r.Out);
    ASSERT_GT(rows.size(), 1442u);
    EXPECT_EQ(rows[0].back(), "lifts_laid");
    // Row n + 1 is level n, n x 5 s after the laying.
    EXPECT_EQ(rows[1440][0], "7195");
    EXPECT_EQ(rows[1440].back(), "1");
    EXPECT_EQ(rows[1441].back(), "2");
    EXPECT_EQ(rows.back().back(), "2");
}

}  // namespace
