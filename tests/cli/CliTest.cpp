#include "CliOptions.h"
#include "CliReport.h"
#include "CliTestSupport.h"
#include "PICHourCls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iconv.h>
#include <sstream>

namespace {

TEST(CliSingleRun, startValuesAtTheInjectedNow)
{
    const TRun r = run({});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out,
        "Laying:    2026-06-21T12:00:00\n"
        "Reopening: 2026-06-21T23:59:40 (at night)\n"
        "Duration:  11 h 59 min 40 s\n"
        "Compaction: until 2026-06-21T12:57:40 (0 h 57 min 40 s)\n");
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
    bool TryHelp;
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
    const auto firstLineEnd = r.Err.find('\n');
    EXPECT_EQ(r.Err.substr(firstLineEnd + 1), c.TryHelp ? "Try 'kelvara-calc --help' for the options.\n" : "")
        << "one line, and a pointer to --help instead of the whole usage";
    if (c.Status != 0 && std::find(c.Args.begin(), c.Args.end(), "--json") == c.Args.end()) {
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
        TExitCase{"zeroConductivityLayer", {"--layer", "1:10:921:0:2400"}, 2,
            "--layer 1: conductivity 0 is below the minimum of 0.02 W/(m K)", true},
        TExitCase{"subnormalConductivity", {"--layer", "1:10:921:0." + std::string(320, '0') + "1:2400"}, 2,
            "is below the minimum of 0.02 W/(m K)", true},
        TExitCase{
            "layerTooThick", {"--layer=2:101:921:1.2:2400"}, 2, "thickness 101 is above the maximum of 100 cm", true},
        TExitCase{
            "heatCapacityTooLow", {"--layer", "2:10:99:1.2:2400"}, 2, "heat capacity 99 is below the minimum", true},
        TExitCase{
            "denseAsLead", {"--layer", "2:10:921:1.2:11340"}, 2, "density 11340 is above the maximum of 5000", true},
        TExitCase{"bottomTempOverflows", {"--bottom-temp", "1000000", "--date", "2026-07-10", "--time", "14:30"}, 2,
            "--bottom-temp: 1000000 is above the maximum of 60 degC", true},
        TExitCase{"bottomTempBelowFrozenGround", {"--bottom-temp=-31"}, 2, "below the minimum of -30 degC", true},
        TExitCase{"emptyDate", {"--date", ""}, 2, "--date needs a value", true},
        TExitCase{"emptyTime", {"--time="}, 2, "--time needs a value", true},
        TExitCase{"optionIsNoValue", {"--wind", "--json"}, 2, "--wind needs a value", true},
        TExitCase{"repeatedOption", {"--wind", "strong", "--time", "10:00", "--wind=feeble"}, 2,
            "--wind is given more than once", true},
        TExitCase{"batchWithJson", {"--batch", "--json"}, 2, "--batch cannot be used with --json", true},
        TExitCase{"batchWithSingleRunValue", {"--thickness", "6", "--batch"}, 2,
            "--batch cannot be used with --thickness", true},
        TExitCase{"reopeningAfterTheLastDate", {"--date", "9999-12-31", "--time", "23:00"}, 2,
            "the reopening falls after 9999-12-31T23:59:59", false},
        TExitCase{
            "tooThin", {"--layer", "2:80:837:1.31:1750"}, 3, "below the limit of 100.0 cm (TPICHourCls/1)", false},
        TExitCase{"unstable", {"--layer", "1:10:921:10:100"}, 3, "stable computation (TPICHourCls/2)", false},
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
    EXPECT_EQ(JsonString("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x9A\xA7"), "\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x9A\xA7\"")
        << "well-formed UTF-8 passes as it is";
    // A stray continuation, an overlong slash, a surrogate, a cut sequence.
    EXPECT_EQ(JsonString("a\x80\xC0\xAF\xED\xA0\x80\xE2\x82"),
        "\"a\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\"");
    EXPECT_EQ(JsonNumber(1.0 / 0.0), "null");
    EXPECT_EQ(JsonNumber(0.1), "0.1");
}

// Just enough of a strict JSON reader to tell whether a text is one valid
// value: the test must not trust the writer it checks.
class TJsonChecker {
public:
    explicit TJsonChecker(std::string_view text) : FText(text) { }
    bool isOneObject()
    {
        skipSpace();
        if (peek() != '{' || !value())
            return false;
        skipSpace();
        return FAt == FText.size();
    }

private:
    std::string_view FText;
    std::size_t FAt = 0;

    char peek() const { return FAt < FText.size() ? FText[FAt] : '\0'; }
    void skipSpace()
    {
        while (peek() == ' ' || peek() == '\n' || peek() == '\t' || peek() == '\r')
            ++FAt;
    }
    bool literal(std::string_view word)
    {
        if (FText.substr(FAt, word.size()) != word)
            return false;
        FAt += word.size();
        return true;
    }
    bool digits()
    {
        const std::size_t start = FAt;
        while (std::isdigit(static_cast<unsigned char>(peek())))
            ++FAt;
        return FAt > start;
    }
    bool number()
    {
        literal("-");
        if (!literal("0") && !digits())
            return false;
        if (literal(".") && !digits())
            return false;
        if (peek() == 'e' || peek() == 'E') {
            ++FAt;
            if (!literal("+"))
                literal("-");
            return digits();
        }
        return true;
    }
    bool string()
    {
        if (!literal("\""))
            return false;
        while (FAt < FText.size()) {
            const auto c = static_cast<unsigned char>(FText[FAt++]);
            if (c == '"')
                return true;
            if (c < 0x20)
                return false;
            if (c == '\\') {
                const char e = peek();
                ++FAt;
                if (e == 'u') {
                    for (int n = 0; n < 4; ++n, ++FAt)
                        if (!std::isxdigit(static_cast<unsigned char>(peek())))
                            return false;
                } else if (e == '\0' || !std::strchr("\"\\/bfnrt", e)) {
                    return false;
                }
            }
        }
        return false;
    }
    bool members(char close, bool named)
    {
        ++FAt;
        skipSpace();
        if (literal(std::string_view(&close, 1)))
            return true;
        for (;;) {
            skipSpace();
            if (named && (!string() || (skipSpace(), !literal(":"))))
                return false;
            if (!value())
                return false;
            skipSpace();
            if (literal(std::string_view(&close, 1)))
                return true;
            if (!literal(","))
                return false;
        }
    }
    bool value()
    {
        skipSpace();
        switch (peek()) {
        case '{':
            return members('}', true);
        case '[':
            return members(']', false);
        case '"':
            return string();
        case 't':
            return literal("true");
        case 'f':
            return literal("false");
        case 'n':
            return literal("null");
        default:
            return number();
        }
    }
};

bool isUtf8(const std::string& text)
{
    iconv_t converter = iconv_open("UTF-8", "UTF-8");
    std::string copy = text, converted(text.size() * 4 + 4, '\0');
    char* in = copy.data();
    char* out = converted.data();
    std::size_t inLeft = copy.size(), outLeft = converted.size();
    const bool valid = iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    return valid;
}

struct TJsonCase {
    const char* Name;
    std::vector<std::string> Args;
    int Status;
    const char* Part;
};

void PrintTo(const TJsonCase& c, std::ostream* out)
{
    *out << c.Name;
}

class CliJsonOutcome : public testing::TestWithParam<TJsonCase> { };

TEST_P(CliJsonOutcome, writesOneValidObject)
{
    const TJsonCase& c = GetParam();
    std::vector<std::string> args = c.Args;
    args.insert(args.begin(), "--json");
    const TRun r = run(args);
    EXPECT_EQ(r.Status, c.Status) << r.Err;
    EXPECT_TRUE(TJsonChecker(r.Out).isOneObject()) << r.Out;
    EXPECT_EQ(std::count(r.Out.begin(), r.Out.end(), '\n'), 1) << r.Out;
    EXPECT_TRUE(isUtf8(r.Out)) << r.Out;
    EXPECT_NE(r.Out.find(c.Part), std::string::npos) << r.Out;
}

INSTANTIATE_TEST_SUITE_P(Cases, CliJsonOutcome,
    testing::Values(TJsonCase{"success", {"--date", "2026-06-21"}, 0, "\"reopening\":\"2026-06-21T"},
        TJsonCase{"engineFailure", {"--bottom-temp", "60"}, 3, "\"error\":\"TPICHourCls/3\""},
        TJsonCase{"refusedValue", {"--thickness", "9"}, 2, "\"error\":\"refused\""},
        TJsonCase{"unknownOption", {"--speed", "3"}, 2, "{\"error\":\"usage\",\"message\":\"unknown option"},
        TJsonCase{"missingValueBeforeJson", {"--wind"}, 2, "\"error\":\"usage\""},
        TJsonCase{"refusedWithBatch", {"--batch"}, 2, "--batch cannot be used with --json"},
        TJsonCase{"reopeningAfterTheLastDate", {"--date", "9999-12-31", "--time", "23:00"}, 2, "9999-12-31T23:59:59"},
        TJsonCase{"invalidBytesEchoed", {"--wind", "g\xFF\xC0\xAFle", "--cloud", "\xED\xA0\x80"}, 2,
            "\"wind\":\"g\\ufffd\\ufffd\\ufffdle\""},
        TJsonCase{"invalidBytesInAUsageError", {"--\xE2\x82"}, 2, "unknown option \\\"--\\ufffd\\ufffd"},
        TJsonCase{"weatherFileUnreadable", {"--weather", KELVARA_TEST_DATA "/weather/missing.json"}, 2,
            "\"weather\":\"timeline\",\"weather_from\":null"},
        TJsonCase{"refusedWeatherRunIsNoClassesRun",
            {"--weather", KELVARA_TEST_DATA "/weather/site-weather.csv", "--air-temp", "2"}, 2,
            "\"weather\":\"timeline\""},
        TJsonCase{"curveIntoADirectory", {"--curve", KELVARA_TEST_DATA}, 2, "it is a directory\""},
        TJsonCase{"help", {"--help"}, 0, "{\"usage\":\"Usage: kelvara-calc"},
        TJsonCase{"version", {"--version"}, 0, "\"version\":\"1.1.1.0\""}),
    [](const auto& param) { return std::string(param.param.Name); });

TEST(CliClock, autoFollowsTheLegalClock)
{
    const auto offset = [](const char* date, const char* time, const char* clock) {
        const TRun r = run({"--json", "--date", date, "--time", time, "--clock", clock});
        const auto at = r.Out.find("\"clock_offset\":");
        return r.Out.substr(at + 15, 1);
    };
    EXPECT_EQ(offset("2027-03-25", "10:00", "auto"), "1");
    EXPECT_EQ(offset("2027-03-28", "01:59", "auto"), "1");
    EXPECT_EQ(offset("2027-03-28", "03:00", "auto"), "2");
    EXPECT_EQ(offset("2027-10-28", "10:00", "auto"), "2");
    EXPECT_EQ(offset("2027-10-31", "02:59", "auto"), "2");
    EXPECT_EQ(offset("2027-10-31", "03:00", "auto"), "1");
    EXPECT_EQ(offset("2027-10-28", "10:00", "winter"), "1");
    EXPECT_EQ(offset("2027-07-01", "10:00", "winter"), "1");
    EXPECT_EQ(offset("2027-01-01", "10:00", "summer"), "2");
}

// The legal clock skips 02:00 to 02:59 on the March change day: a laying
// then is refused, on its own and as a batch row; a forced clock has no gap.
TEST(CliClock, theSkippedHourIsRefusedOnTheLegalClockOnly)
{
    for (const char* time : {"02:00", "02:30", "02:59"}) {
        const TRun r = run({"--date", "2027-03-28", "--time", time});
        EXPECT_EQ(r.Status, 2) << time;
        EXPECT_EQ(r.Err,
            "kelvara-calc: time: " + std::string(time)
                + " does not exist on 2027-03-28: the legal clock goes from 02:00 winter time to 03:00 summer time "
                  "(--clock summer or winter force one clock)\n");
        for (const char* clock : {"summer", "winter"})
            EXPECT_EQ(run({"--date", "2027-03-28", "--time", time, "--clock", clock}).Status, 0) << time << clock;
    }
    for (const char* time : {"01:59", "03:00"})
        EXPECT_EQ(run({"--date", "2027-03-28", "--time", time}).Status, 0) << time;
    const TRun batch = run({"--batch"},
        "thickness,laying_temp,reopen_temp,wind,cloud,date,time\n5,170,30,feeble,clear,2027-03-28,02:30\n");
    EXPECT_EQ(batch.Status, 3);
    EXPECT_NE(batch.Out.find("does not exist on 2027-03-28"), std::string::npos) << batch.Out;
}

// Default inputs (5 cm, 170 to 30 degC, feeble wind, clear sky) laid around
// the 2027 changes: the reopening is written in the legal clock then in force.
TEST(CliClock, reopeningIsWrittenInTheClockThenInForce)
{
    struct {
        const char *Date, *Time, *Clock, *Reopening, *SummerTime;
    } const cases[] = {
        {"2027-10-28", "10:00", "auto", "\"reopening\":\"2027-10-28T17:21:00\"", "true"},
        {"2027-03-25", "10:00", "auto", "\"reopening\":\"2027-03-25T18:39:05\"", "false"},
        {"2027-03-27", "22:00", "auto", "\"reopening\":\"2027-03-28T01:58:25\"", "false"},
        {"2027-03-27", "22:30", "auto", "\"reopening\":\"2027-03-28T03:26:50\"", "true"},
        {"2027-03-27", "22:30", "winter", "\"reopening\":\"2027-03-28T02:26:50\"", "false"},
    };
    for (const auto& c : cases) {
        const TRun r = run({"--json", "--date", c.Date, "--time", c.Time, "--clock", c.Clock});
        EXPECT_NE(r.Out.find(c.Reopening), std::string::npos) << c.Date << " " << c.Clock << ": " << r.Out;
        EXPECT_NE(r.Out.find(std::string("\"reopening_summer_time\":") + c.SummerTime), std::string::npos)
            << c.Date << " " << c.Clock;
    }
    // Across the October change the wait is the true elapsed time and the
    // hour is the winter hour, one less than the summer clock's.
    const TRun summer = run({"--json", "--date", "2027-10-30", "--time", "23:15", "--clock", "summer"});
    const TRun legal = run({"--json", "--date", "2027-10-30", "--time", "23:15"});
    const auto member = [](const std::string& json, const std::string& name) {
        const auto at = json.find("\"" + name + "\":") + name.size() + 3;
        return json.substr(at, json.find_first_of(",}", at) - at);
    };
    EXPECT_EQ(member(legal.Out, "duration_seconds"), member(summer.Out, "duration_seconds"));
    EXPECT_EQ(member(legal.Out, "reopening_summer_time"), "false");
    const std::string summerHour = member(summer.Out, "reopening"), legalHour = member(legal.Out, "reopening");
    EXPECT_EQ(std::stoi(summerHour.substr(12, 2)) - 1, std::stoi(legalHour.substr(12, 2))) << legal.Out;
    EXPECT_NE(run({"--date", "2027-03-27", "--time", "22:30"}).Out.find("03:26:50 (summer time)"), std::string::npos);
}

TEST(CliPlan, changeDaysFollowTheRealClock)
{
    const auto slots = [](const char* date) {
        const std::string out = run({"--plan", "--every", "60", "--date", date}).Out;
        std::size_t count = 0;
        for (std::size_t at = out.find(std::string("\n") + date); at != std::string::npos;
             at = out.find(std::string("\n") + date, at + 1))
            ++count;
        return std::pair{count, out.find(std::string(date) + " 02:00") != std::string::npos};
    };
    EXPECT_EQ(slots("2027-03-28"), std::pair(std::size_t{23}, false)) << "02:00 does not exist";
    EXPECT_EQ(slots("2027-10-31"), std::pair(std::size_t{24}, true)) << "02:00 once";
    EXPECT_EQ(slots("2027-07-01"), std::pair(std::size_t{24}, true));
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
    const auto rows = csvRecords(r.Out);
    ASSERT_EQ(rows.size(), 5u) << r.Out;
    EXPECT_EQ(std::vector<std::string>(rows[0].begin() + 8, rows[0].end()),
        (std::vector<std::string>{"result_seconds", "reopening", "error", "duration_seconds", "night",
            "reopening_summer_time", "compaction_seconds", "existing_surface_temp"}));
    EXPECT_EQ(rows[1][8], "43180");
    EXPECT_EQ(rows[1][9], "2026-06-21T23:59:40");
    EXPECT_EQ(rows[1][10], "");
    EXPECT_EQ(rows[1][11], "43180");
    EXPECT_EQ(rows[1][12], "true") << "just before midnight";
    EXPECT_EQ(rows[1][13], "true");
    EXPECT_EQ(rows[3][13], "") << "no result, no clock";
    EXPECT_EQ(rows[2][12], "false") << "a January morning laying reopens by day";
    EXPECT_EQ(rows[2][0], "5,5") << "the decimal comma survives the round trip";
    EXPECT_NE(rows[2][8], "");
    EXPECT_EQ(rows[3][8], "");
    EXPECT_NE(rows[3][10].find("above the maximum of 8.0"), std::string::npos);
    EXPECT_EQ(rows[4][10], "the row has 6 fields, the header 8");
}

struct TBatchCase {
    const char* Name;
    std::string Row;  // under the header below
    const char* Error;  // empty: a result
};

void PrintTo(const TBatchCase& c, std::ostream* out)
{
    *out << c.Name;
}

class CliBatchRow : public testing::TestWithParam<TBatchCase> { };

TEST_P(CliBatchRow, keepsTheColumns)
{
    const TBatchCase& c = GetParam();
    const std::string header = "note,thickness,laying_temp,reopen_temp,wind,cloud,date,time\n";
    const TRun r = run({"--batch"}, header + "first,5,170,30,feeble,clear,2026-06-21,12:00\n" + c.Row + "\n");
    const bool failed = *c.Error != '\0';
    EXPECT_EQ(r.Status, failed ? 3 : 0) << r.Err;
    const auto rows = csvRecords(r.Out);
    ASSERT_EQ(rows.size(), 3u) << r.Out;
    for (const auto& row : rows)
        EXPECT_EQ(row.size(), 16u) << "every row has the header's columns and the eight results";
    EXPECT_EQ(rows[1][0], "first");
    EXPECT_EQ(rows[1][8], "43180") << "a row before is unharmed";
    EXPECT_EQ(rows[2][10].rfind(c.Error, 0), 0u) << rows[2][10];
    EXPECT_EQ(rows[2][10].empty(), !failed);
    EXPECT_EQ(rows[2][8].empty(), failed) << "a result, or none beside an error";
}

INSTANTIATE_TEST_SUITE_P(Cases, CliBatchRow,
    testing::Values(TBatchCase{"wellFormed", "a,5,170,30,feeble,clear,2026-06-21,12:00", ""},
        TBatchCase{"trailingComma", "a,5,170,30,feeble,clear,2026-06-21,12:00,", "the row has 9 fields, the header 8"},
        TBatchCase{"extraField", "a,5,170,30,feeble,clear,2026-06-21,12:00,x", "the row has 9 fields"},
        TBatchCase{"missingField", "5,170,30,feeble,clear,2026-06-21,12:00", "the row has 7 fields"},
        TBatchCase{"quotedLineBreak", "\"two\r\nlines, one note\",5,170,30,feeble,clear,2026-06-21,12:00", ""},
        TBatchCase{"unclosedQuoteRunsToTheEnd", "\"a,5,170,30,feeble,clear,2026-06-21,12:00\n",
            "the row starting on line 3 has an unclosed quote"}),
    [](const auto& param) { return std::string(param.param.Name); });

TEST(CliBatch, unusableHeaderIsRefused)
{
    const std::string columns = "thickness,laying_temp,reopen_temp,wind,cloud,date";
    for (const auto& [header, message] : std::vector<std::pair<std::string, std::string>>{
             {columns + "\n", "no column \"time\""},
             {columns + ",time,date\n", "the column \"date\" twice"},
             {columns + ",time,error\n", "the column \"error\", which the batch adds"},
             {columns + ",\"time\n", "unclosed quote"},
         }) {
        const TRun r = run({"--batch"}, header + "5,170,30,feeble,clear,2026-06-21,12:00\n");
        EXPECT_EQ(r.Status, 2) << header;
        EXPECT_NE(r.Err.find(message), std::string::npos) << r.Err;
        EXPECT_EQ(r.Out, "");
    }
    EXPECT_EQ(run({"--batch"}, "\n").Status, 2) << "no header at all";
}

TEST(CliBatch, headerNamesAreTrimmed)
{
    const std::string row = "5,170,30,feeble,clear,2026-01-21,12:00,-10\n";
    const auto resultOf = [&](const std::string& header) {
        const TRun r = run({"--batch"}, header + "\n" + row);
        EXPECT_EQ(r.Status, 0) << r.Err;
        return csvRecords(r.Out).at(1).at(8);
    };
    const std::string trimmed = resultOf("thickness,laying_temp,reopen_temp,wind,cloud,date,time,air_temp");
    // Padded names are the same columns: the -10 degC is not dropped.
    EXPECT_EQ(resultOf(" thickness ,laying_temp,reopen_temp,wind,cloud,date,time, air_temp "), trimmed);
    EXPECT_NE(resultOf("thickness,laying_temp,reopen_temp,wind,cloud,date,time,note"), trimmed);
}

TEST(CliBatch, emptyHeaderColumnsAreCopied)
{
    const TRun r = run({"--batch"},
        "thickness,laying_temp,reopen_temp,wind,cloud,date,time,,\n5,170,30,feeble,clear,2026-06-21,12:00,,x\n");
    ASSERT_EQ(r.Status, 0) << r.Err;
    const auto records = csvRecords(r.Out);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0][7], "");
    EXPECT_EQ(records[0][8], "");
    EXPECT_EQ(records[1][8], "x");
    EXPECT_EQ(records[1].size(), records[0].size());
}

TEST(CliCsv, recordsAndQuotedFields)
{
    const auto unquoted = [](std::vector<std::string> row) { return row; };
    EXPECT_EQ(csvRecords("\xEF\xBB\xBF\"a\",\"b,c\",\"d\"\"e\",\r\n \t\r\n\n\"x\ny\",\"\"\r\nlast"),
        (std::vector<std::vector<std::string>>{
            unquoted({"a", "b,c", "d\"e", ""}), unquoted({"x\ny", ""}), unquoted({"last"})}))
        << "byte-order mark, CR LF, blank lines, a line break inside quotes, no final line end";
    EXPECT_EQ(csvRecords("a,b\rc\r\r\"d\re\"\rf"),
        (std::vector<std::vector<std::string>>{{"a", "b"}, {"c"}, {"d\re"}, {"f"}}))
        << "a CR alone ends a line";
    std::istringstream crOnly("a\r\rb\r\"c\rd\"\re");
    TCsvReader crReader(crOnly);
    std::vector<int> lines;
    while (const auto record = crReader.Next())
        lines.push_back(record->Line);
    EXPECT_EQ(lines, (std::vector<int>{1, 3, 4, 6}));
    std::istringstream open("a\nb,\"c\nd");
    TCsvReader reader(open);
    EXPECT_FALSE(reader.Next()->UnclosedQuote);
    const auto last = reader.Next();
    EXPECT_TRUE(last->UnclosedQuote);
    EXPECT_EQ(last->Line, 2);
    EXPECT_FALSE(reader.Next().has_value());
    EXPECT_EQ(JoinCsvLine({"5,5", "x\"y", "plain", "two\nlines"}), "\"5,5\",\"x\"\"y\",plain,\"two\nlines\"");
}

// A standard output that takes Capacity bytes, then fails like a full disk.
class TFullBuffer : public std::streambuf {
public:
    explicit TFullBuffer(std::size_t capacity) : FCapacity(capacity) { }

protected:
    int_type overflow(int_type c) override
    {
        if (FCapacity == 0)
            return traits_type::eof();
        --FCapacity;
        return c;
    }
    std::streamsize xsputn(const char*, std::streamsize count) override
    {
        const auto taken = std::min<std::streamsize>(count, static_cast<std::streamsize>(FCapacity));
        FCapacity -= static_cast<std::size_t>(taken);
        return taken;
    }

private:
    std::size_t FCapacity;
};

std::string timeText(int hour, int minute)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    return text;
}

TEST(CliOutput, aLostOutputIsAnErrorAndStopsTheBatch)
{
    // More rows than the batch runs at once: the rows after the first
    // chunk must stay unread once its output is lost.
    const auto row = [](int n) { return "5,170,30,feeble,clear,2026-06-21," + timeText(n / 60, n % 60); };
    std::string plan = "thickness,laying_temp,reopen_temp,wind,cloud,date,time\n";
    for (int n = 0; n < 100; ++n)
        plan += row(n) + '\n';
    for (const auto& [args, capacity] :
        std::vector<std::pair<std::vector<std::string>, std::size_t>>{{{}, 0}, {{}, 30}, {{"--json"}, 0},
            {{"--help"}, 100}, {{"--version"}, 0}, {{"--speed", "--json"}, 0}, {{"--batch"}, 0}, {{"--batch"}, 200}}) {
        std::istringstream in(plan);
        TFullBuffer full(capacity);
        std::ostream out(&full);
        std::ostringstream err;
        const int status = RunCli(args, in, out, err, [] { return TCliNow{"2026-06-21", "12:00"}; });
        const std::string name = args.empty() ? "single run" : args[0];
        EXPECT_EQ(status, 4) << name << " " << capacity;
        const std::string lost = "kelvara-calc: cannot write to standard output\n";
        EXPECT_EQ(err.str().find(lost), err.str().size() - lost.size()) << "said once, at the end: " << err.str();
        if (name == "--batch") {
            std::string unread;
            std::getline(in, unread);
            // The header fails at capacity 0, the first chunk of 64 rows at 200.
            EXPECT_EQ(unread, row(capacity == 0 ? 0 : 64)) << "no row computed after the output was lost";
        }
    }
}

TEST(CliInfo, helpAndVersion)
{
    EXPECT_EQ(run({"--help"}).Status, 0);
    EXPECT_NE(run({"--help"}).Out.find("--batch"), std::string::npos);
    const TRun v = run({"--version"});
    EXPECT_EQ(v.Status, 0);
    EXPECT_EQ(v.Out, "kelvara-calc 1.1.1.0\n");
}

// The three inputs' ranges in --help are the engine's, whatever they are.
TEST(CliInfo, helpTakesTheInputLimitsFromTheEngine)
{
    for (const char* range : {"thickness, 1.5 to 8.0 (", "temperature, 100 to 170 (", "temperature, 30 to 50 ("})
        EXPECT_NE(CliUsage().find(range), std::string::npos) << range;
    TPICHourCls engine;
    engine.ThicknessMin = 2.0;
    engine.ThicknessMax = 12.0;
    engine.LayingTempMax = 190.0;
    engine.ReopenTempStep = 2.5;
    const std::string usage = CliUsageFor(engine);
    for (const char* range : {"thickness, 2.0 to 12.0 (", "temperature, 100 to 190 (", "temperature, 30.0 to 50.0 ("})
        EXPECT_NE(usage.find(range), std::string::npos) << range;
}

}  // namespace
