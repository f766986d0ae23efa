#include "CliMain.h"
#include "CliReport.h"
#include "Csv.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct TRun {
    int Status;
    std::string Out, Err;
};

TRun run(std::vector<std::string> args, const std::string& input = "")
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = RunCli(args, in, out, err, [] { return TCliNow{"2026-06-21", "12:00"}; });
    return {status, out.str(), err.str()};
}

TEST(CliSingleRun, startValuesAtTheInjectedNow)
{
    const TRun r = run({});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out,
        "Laying:    2026-06-21T12:00:00\n"
        "Reopening: 2026-06-21T23:59:40\n"
        "Duration:  11 h 59 min 40 s\n");
}

TEST(CliSingleRun, commaAndPointReadAlike)
{
    const TRun point = run({"--thickness", "5.5", "--laying-temp", "150.0"});
    const TRun comma = run({"--thickness=5,5", "--laying-temp", "150,0"});
    EXPECT_EQ(point.Status, 0);
    EXPECT_EQ(point.Out, comma.Out);
    EXPECT_NE(point.Out, run({}).Out);
}

struct TExitCase {
    const char* Name;
    std::vector<std::string> Args;
    int Status;
    const char* ErrorPart;
    bool Usage;
};

void PrintTo(const TExitCase& c, std::ostream* out)
{
    *out << c.Name;
}

class CliExitStatus : public testing::TestWithParam<TExitCase> { };

TEST_P(CliExitStatus, refusesWithAClearMessage)
{
    const TExitCase& c = GetParam();
    const TRun r = run(c.Args);
    EXPECT_EQ(r.Status, c.Status) << r.Err;
    EXPECT_NE(r.Err.find(c.ErrorPart), std::string::npos) << r.Err;
    EXPECT_EQ(r.Err.find("Usage:") != std::string::npos, c.Usage) << r.Err;
    if (c.Status != 0) {
        EXPECT_EQ(r.Out, "") << "nothing on standard output after a refusal";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CliExitStatus,
    testing::Values(TExitCase{"thicknessBelowMinimum", {"--thickness", "1.2"}, 2,
                        "thickness: 1.2 is below the minimum of 1.5 cm", false},
        TExitCase{
            "thicknessAboveMaximum", {"--thickness", "9"}, 2, "thickness: 9 is above the maximum of 8.0 cm", false},
        TExitCase{"loneSeparatorReadsAsZero", {"--reopen-temp", ","}, 2,
            "reopening temperature: , is below the minimum of 30.0", false},
        TExitCase{"layingTempAboveMaximum", {"--laying-temp", "171"}, 2, "above the maximum of 170.0 degC", false},
        TExitCase{"letterInNumber", {"--thickness", "5a"}, 2, "thickness: cannot read \"5a\"", true},
        TExitCase{
            "hugeNumberIsRefusedNotConverted", {"--thickness", std::string(400, '9')}, 2, "above the maximum", false},
        TExitCase{"unknownOption", {"--speed", "3"}, 2, "unknown option \"--speed\"", true},
        TExitCase{"missingValue", {"--wind"}, 2, "--wind needs a value", true},
        TExitCase{"badWind", {"--wind", "gale"}, 2, "wind: \"gale\" is not feeble, moderate or strong", true},
        TExitCase{"badDate", {"--date", "2026-02-30"}, 2, "date: \"2026-02-30\" is not a date", true},
        TExitCase{"badTime", {"--time", "24:00"}, 2, "time: \"24:00\" is not a time", true},
        TExitCase{"badLayer", {"--layer", "0:10:921:1.2:2400"}, 2, "--layer", true},
        TExitCase{"zeroConductivityLayer", {"--layer", "1:10:921:0:2400"}, 2, "positive numbers", true},
        TExitCase{
            "tooThin", {"--layer", "2:80:837:1.31:1750"}, 3, "below the limit of 100.0 cm (TPICHourCls/1)", false},
        TExitCase{"unstable", {"--layer", "1:10:921:12:2400"}, 3, "stable computation (TPICHourCls/2)", false},
        TExitCase{"neverReopens", {"--bottom-temp", "60"}, 3, "within 34 h 43 min 20 s", false}),
    [](const auto& param) { return std::string(param.param.Name); });

TEST(CliJson, successCarriesTheRunState)
{
    const TRun r = run({"--json", "--date", "2026-06-21", "--time", "10:00"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    for (const char* part : {"\"result_seconds\":", "\"laying\":\"2026-06-21T10:00:00\"", "\"day_of_year\":172",
             "\"clock_offset\":2", "\"limits\":[11,31,201]", "\"summer_time\":true", "\"start_solar_time\":8.25"})
        EXPECT_NE(r.Out.find(part), std::string::npos) << part << " in " << r.Out;
    EXPECT_EQ(r.Out.find("\"error\""), std::string::npos);
}

TEST(CliJson, failureCarriesCodeAndMessage)
{
    const TRun r = run({"--json", "--bottom-temp", "60"});
    EXPECT_EQ(r.Status, 3);
    EXPECT_NE(r.Out.find("\"error\":\"TPICHourCls/3\""), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("\"result_seconds\":null"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("\"message\":\"the new layer does not cool down"), std::string::npos) << r.Out;
}

TEST(CliJson, stringsAreEscaped)
{
    EXPECT_EQ(JsonString("a\"b\\c\n"), "\"a\\\"b\\\\c\\u000a\"");
    EXPECT_EQ(JsonNumber(1.0 / 0.0), "null");
    EXPECT_EQ(JsonNumber(0.1), "0.1");
}

TEST(CliClock, autoFollowsTheWinterTimeRule)
{
    const auto offset = [](const char* date, const char* clock) {
        const TRun r = run({"--json", "--date", date, "--clock", clock});
        const auto at = r.Out.find("\"clock_offset\":");
        return r.Out.substr(at + 15, 1);
    };
    EXPECT_EQ(offset("2026-03-21", "auto"), "1");
    EXPECT_EQ(offset("2026-03-22", "auto"), "2");
    EXPECT_EQ(offset("2026-10-21", "auto"), "2");
    EXPECT_EQ(offset("2026-10-22", "auto"), "1");
    EXPECT_EQ(offset("2026-10-22", "summer"), "2");
    EXPECT_EQ(offset("2026-07-01", "winter"), "1");
}

TEST(CliBatch, everyRowIsKeptWithItsResultOrError)
{
    const std::string input = "thickness,laying_temp,reopen_temp,wind,cloud,date,time,clock\r\n"
                              "5.0,170,30,feeble,clear,2026-06-21,12:00,\r\n"
                              "\"5,5\",170,30,strong,covered,2026-01-15,08:00,winter\n"
                              "9,170,30,feeble,clear,2026-06-21,12:00,\n"
                              "\n"
                              "5,170,30,feeble,clear,2026-06-21\n";
    const TRun r = run({"--batch"}, input);
    EXPECT_EQ(r.Status, 3) << "some rows failed";
    std::istringstream lines(r.Out);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(lines, line);)
        rows.push_back(*SplitCsvLine(line));
    ASSERT_EQ(rows.size(), 5u) << r.Out;
    EXPECT_EQ(rows[0].back(), "error");
    EXPECT_EQ(rows[1][8], "43180");
    EXPECT_EQ(rows[1][9], "2026-06-21T23:59:40");
    EXPECT_EQ(rows[1][10], "");
    EXPECT_EQ(rows[2][0], "5,5") << "the decimal comma survives the round trip";
    EXPECT_NE(rows[2][8], "");
    EXPECT_EQ(rows[3][8], "");
    EXPECT_NE(rows[3][10].find("above the maximum of 8.0"), std::string::npos);
    EXPECT_NE(rows[4][10].find("time"), std::string::npos) << "a short row reports its missing time";
}

TEST(CliBatch, headerWithoutARequiredColumnIsRefused)
{
    const TRun r = run({"--batch"}, "thickness,laying_temp,reopen_temp,wind,cloud,date\n");
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("no column \"time\""), std::string::npos);
    EXPECT_EQ(run({"--batch"}, "").Status, 2);
}

TEST(CliCsv, quotedFieldsAndUnclosedQuotes)
{
    EXPECT_EQ(*SplitCsvLine("a,\"b,c\",\"d\"\"e\","), (std::vector<std::string>{"a", "b,c", "d\"e", ""}));
    EXPECT_FALSE(SplitCsvLine("a,\"b").has_value());
    EXPECT_EQ(JoinCsvLine({"5,5", "x\"y", "plain"}), "\"5,5\",\"x\"\"y\",plain");
}

TEST(CliInfo, helpAndVersion)
{
    EXPECT_EQ(run({"--help"}).Status, 0);
    EXPECT_NE(run({"--help"}).Out.find("--batch"), std::string::npos);
    const TRun v = run({"--version"});
    EXPECT_EQ(v.Status, 0);
    EXPECT_EQ(v.Out, "kelvara-calc 1.1.1.0\n");
}

}  // namespace
