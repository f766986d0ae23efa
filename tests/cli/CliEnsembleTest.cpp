#include "CliEnsemble.h"
#include "CliTestSupport.h"
#include "DateUtilsBD2006.h"
#include "TheTimeUtilsCls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>

namespace {

const std::string Ensemble = KELVARA_TEST_DATA "/weather/ensemble-brussels.json";
const std::vector<std::string> July14 = {"--date", "2027-07-14", "--time", "16:00", "--ensemble", Ensemble};

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

double number(const std::string& text)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
    return value;
}

struct TRefusal {
    std::vector<std::string> Args;
    std::string Line;  // the start of the error line after "kelvara-calc: "
};

class CliEnsembleRefusal : public testing::TestWithParam<TRefusal> { };

TEST_P(CliEnsembleRefusal, exitsTwoWithItsLine)
{
    const TRun r = run(GetParam().Args);
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err.rfind("kelvara-calc: " + GetParam().Line, 0), 0u) << r.Err;
}

const std::string Gives = "--ensemble gives each run the weather of one forecast and cannot be used with ";
INSTANTIATE_TEST_SUITE_P(Options, CliEnsembleRefusal,
    testing::Values(TRefusal{with(July14, {"--weather", "site.csv"}), Gives + "--weather"},
        TRefusal{with(July14, {"--air-temp", "20"}), Gives + "--air-temp"},
        TRefusal{with(July14, {"--wind-speed", "3"}), Gives + "--wind-speed"},
        TRefusal{with(July14, {"--cloud-cover", "50"}), Gives + "--cloud-cover"},
        TRefusal{with(July14, {"--what-if"}),
            "--what-if varies the wind and cloud classes and cannot be used with --ensemble"},
        TRefusal{{"--batch", "--ensemble", Ensemble}, "--batch cannot be used with --ensemble"},
        TRefusal{with(July14, {"--curve", "c.csv"}), "--curve and --profiles go with a single forecast"},
        TRefusal{with(July14, {"--profiles", "-"}), "--curve and --profiles go with a single forecast"},
        TRefusal{{"--what-if", "--reopen-by", "2026-07-11T06:00"}, "--reopen-by goes with a single run or --plan"},
        TRefusal{{"--batch", "--reopen-by", "2026-07-11T06:00"}, "--reopen-by goes with a single run or --plan"}));

// A refused file is the reader's one line, with or without --json.
TEST(CliEnsembleFile, aRefusedFileIsOneLine)
{
    const auto dir = std::filesystem::temp_directory_path() / "kelvara-cli-ensemble";
    std::filesystem::create_directories(dir);
    const std::string lone = (dir / "lone.csv").string();
    std::ofstream(lone) << "time,member,air_temp\n2027-07-14T12:00,control,20\n2027-07-14T13:00,control,21\n";
    // The second member's timeline starts two days after the laying.
    const std::string late = (dir / "late.csv").string();
    std::ofstream(late) << "time,member,air_temp\n2027-07-14T11:00,control,20\n2027-07-15T13:00,control,21\n"
                           "2027-07-16T11:00,late one,20\n2027-07-16T13:00,late one,21\n";
    const TRun lateText = run({"--date", "2027-07-14", "--time", "12:00", "--ensemble", late});
    EXPECT_EQ(lateText.Err.rfind("kelvara-calc: late one: weather: the timeline", 0), 0u) << lateText.Err;
    for (const std::string& file : {lone, (dir / "missing.json").string(), late}) {
        const TRun text = run({"--date", "2027-07-14", "--time", "12:00", "--ensemble", file});
        EXPECT_EQ(text.Status, 2) << file;
        EXPECT_EQ(text.Out, "");
        EXPECT_EQ(text.Err.rfind("kelvara-calc: ", 0), 0u) << text.Err;
        EXPECT_EQ(std::count(text.Err.begin(), text.Err.end(), '\n'), 1) << text.Err;
        const TRun json = run({"--date", "2027-07-14", "--time", "12:00", "--ensemble", file, "--json"});
        EXPECT_EQ(json.Status, 2);
        EXPECT_EQ(members(json.Out, "error").at(0), "\"refused\"") << json.Out;
        EXPECT_EQ(json.Err, text.Err);
    }
    std::filesystem::remove_all(dir);
}

// Laid 2026-07-10 at 12:00 the layer reopens at 2026-07-11T00:20:35: at or
// before the target counts, a minute short does not.
TEST(CliReopenBy, aSingleRunSaysWhetherItIsReady)
{
    const std::pair<const char*, bool> targets[] = {{"2026-07-11T00:20", false}, {"2026-07-11T00:21", true}};
    for (const auto& [target, ready] : targets) {
        const std::vector<std::string> args = {"--date", "2026-07-10", "--time", "12:00", "--reopen-by", target};
        const TRun text = run(args);
        ASSERT_EQ(text.Status, 0) << text.Err;
        const std::string line = std::string("Target:    ") + (ready ? "ready by " : "not ready by ") + (target + 11);
        EXPECT_NE(text.Out.find("\n" + line + "\n"), std::string::npos) << text.Out;
        const TRun json = run(with(args, {"--json"}));
        EXPECT_EQ(members(json.Out, "ready_by").at(0), std::string("\"") + target + ":00\"") << json.Out;
        EXPECT_EQ(members(json.Out, "meets_deadline").at(0), ready ? "true" : "false");
    }
}

// Nearest rank with failures last: of four members the 90 % is the fourth,
// a failure, so none; ready at or before the target.
TEST(CliEnsembleSummary, aFailedRankHasNoValue)
{
    const double laying = TheTimeUtilsCls::JoinDateAndTime(
        *DateUtilsBD2006::EncodeDate(2027, 7, 14), *DateUtilsBD2006::EncodeTime(16, 0, 0, 0));
    TEnsemble ensemble;
    TEnsembleOutcome outcome;
    for (const auto& [name, seconds] :
        {std::pair("control", 3600.0), {"member01", 7200.0}, {"member02", -1.0}, {"member03", 5400.0}}) {
        ensemble.Members.push_back({name, nullptr});
        TRunOutcome& member = outcome.Runs.emplace_back();
        member.Laying = laying;
        member.SummerTime = true;
        member.ClockOffset = 2.0;
        if (seconds < 0) {
            member.Failure = "TPICHourCls/3";
            continue;
        }
        member.ResultSeconds = seconds;
        member.Reopening = TheTimeUtilsCls::AddDuration(laying, seconds);
    }
    const double target = TheTimeUtilsCls::AddDuration(laying, 7200.0);
    SummariseEnsemble(outcome, target);
    TCliOutcome read;
    read.SummerTime = true;
    EXPECT_EQ(EnsembleText(read, outcome, target),
        "Forecasts: 4, 1 without a reopening, reopening 2027-07-14 17:00 to no reopening (10-90 %), median "
        "2027-07-14 17:30; ready by 18:00 in 3 of 4 forecasts\n");
    const std::string json = "{" + EnsembleJson(read, ensemble, outcome, target, true) + "}";
    EXPECT_EQ(members(json, "seconds_p10").at(0), "3600");
    EXPECT_EQ(members(json, "seconds_p50").at(0), "5400");
    EXPECT_EQ(members(json, "seconds_p90").at(0), "null");
    EXPECT_EQ(members(json, "reopening_p90").at(0), "null");
    EXPECT_EQ(members(json, "ready_members").at(0), "3");
    EXPECT_EQ(members(json, "member"),
        (std::vector<std::string>{"\"control\"", "\"member01\"", "\"member02\"", "\"member03\""}));
    EXPECT_EQ(members(json, "error"), (std::vector<std::string>{"null", "null", "\"TPICHourCls/3\"", "null"}));

    for (TRunOutcome& member : outcome.Runs)
        member.Failure = "TPICHourCls/3";
    SummariseEnsemble(outcome, target);
    EXPECT_EQ(EnsembleText(read, outcome, target),
        "Forecasts: 4, none with a reopening; ready by 18:00 in 0 of 4 forecasts\n");
}

// The recorded forecast: 40 members, every one a run of its own.
TEST(CliEnsembleRun, theRecordedEnsembleRanksItsMembers)
{
    const TRun r = run(with(July14, {"--reopen-by", "2027-07-15T05:00", "--json"}));
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::size_t runsAt = r.Out.find("\"runs\":[");
    ASSERT_NE(runsAt, std::string::npos) << r.Out;
    const std::string runs = r.Out.substr(runsAt);
    EXPECT_EQ(members(r.Out, "members").at(0), "40");
    const auto names = members(runs, "member");
    ASSERT_EQ(names.size(), 40u);
    EXPECT_EQ(names[0], "\"control\"");
    EXPECT_EQ(names[39], "\"member39\"");
    // The top answer is the control's run.
    const auto seconds = members(runs, "result_seconds");
    EXPECT_EQ(members(r.Out, "result_seconds").at(0), seconds.at(0));

    ASSERT_EQ(seconds.size(), 40u);
    std::vector<double> sorted(40);
    std::transform(seconds.begin(), seconds.end(), sorted.begin(), number);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_LT(sorted[0], sorted[39]) << "the forecasts differ";
    EXPECT_EQ(number(members(r.Out, "seconds_p10").at(0)), sorted[3]);
    EXPECT_EQ(number(members(r.Out, "seconds_p50").at(0)), sorted[19]);
    EXPECT_EQ(number(members(r.Out, "seconds_p90").at(0)), sorted[35]);
    const auto p10 = members(r.Out, "reopening_p10").at(0), p90 = members(r.Out, "reopening_p90").at(0);
    EXPECT_LE(p10, members(r.Out, "reopening_p50").at(0));
    EXPECT_LE(members(r.Out, "reopening_p50").at(0), p90);
    const auto reopenings = members(runs, "reopening");
    const auto ready = std::count_if(
        reopenings.begin(), reopenings.end(), [](const std::string& at) { return at <= "\"2027-07-15T05:00:00\""; });
    EXPECT_EQ(members(r.Out, "ready_members").at(0), std::to_string(ready));

    const TRun text = run(with(July14, {"--reopen-by", "2027-07-15T05:00"}));
    ASSERT_EQ(text.Status, 0) << text.Err;
    const std::string line = "Forecasts: 40, reopening " + p10.substr(1, 10) + " " + p10.substr(12, 5);
    EXPECT_NE(text.Out.find("\n" + line), std::string::npos) << text.Out;
    EXPECT_NE(text.Out.find("; ready by 05:00 in " + std::to_string(ready) + " of 40 forecasts\n"), std::string::npos)
        << text.Out;
}

TEST(CliEnsembleRun, aPlanSlotMeetsTheDeadlineByItsNinetyPercent)
{
    const TRun r = run({"--plan", "--every", "360", "--date", "2027-07-14", "--ensemble", Ensemble, "--reopen-by",
        "2027-07-14T22:45", "--json"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out.find("\"runs\""), std::string::npos);
    const auto layings = members(r.Out, "laying");
    const auto p90 = members(r.Out, "reopening_p90");
    const auto meets = members(r.Out, "meets_deadline");
    ASSERT_EQ(p90.size(), 4u) << r.Out;
    ASSERT_EQ(meets.size(), 4u);
    EXPECT_EQ(members(r.Out, "members"), std::vector<std::string>(4, "40"));
    std::string latest = "null";
    for (std::size_t n = 0; n < 4; ++n) {
        EXPECT_EQ(meets[n], p90[n] != "null" && p90[n] <= "\"2027-07-14T22:45:00\"" ? "true" : "false") << n;
        if (meets[n] == "true")
            latest = layings.at(n);
    }
    EXPECT_NE(std::count(meets.begin(), meets.end(), "true"), 0);
    EXPECT_NE(std::count(meets.begin(), meets.end(), "false"), 0);
    EXPECT_EQ(members(r.Out, "latest_laying_for_deadline").at(0), latest);
}

}  // namespace
