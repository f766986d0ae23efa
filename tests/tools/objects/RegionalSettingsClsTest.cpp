#include "RegionalSettingsCls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr int Ok = TRegionalSettingsCls::Success;
constexpr int Empty = TRegionalSettingsCls::ErrorEmpty;
constexpr int Bad = TRegionalSettingsCls::ErrorBadCharacter;
constexpr int NotConvertible = TRegionalSettingsCls::ErrorNotConvertible;
constexpr double Inf = std::numeric_limits<double>::infinity();

struct TParseCase {
    const char* Name;
    std::string Text;
    double Expected;
    int Code;
};

// Every failure must also give 0, so failing rows expect 0.
void CheckCases(const std::vector<TParseCase>& cases, char separator)
{
    TRegionalSettingsCls parser;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Name) + " with regional '" + separator + "'");
        const double value = parser.ParseReal(c.Text, separator);
        EXPECT_EQ(parser.ErrorCode, c.Code);
        if (std::isinf(c.Expected)) {
            EXPECT_EQ(value, c.Expected);
        } else {
            EXPECT_DOUBLE_EQ(value, c.Expected);
            EXPECT_FALSE(std::signbit(value) && value == 0.0) << "negative zero";
        }
    }
}

// Rows whose outcome does not depend on the regional separator.
const std::vector<TParseCase>& SeparatorIndependentCases()
{
    static const std::vector<TParseCase> cases = {
        {"point", "1.5", 1.5, Ok},
        {"comma", "1,5", 1.5, Ok},
        {"comma is never a thousands separator", "1,000", 1.0, Ok},
        {"point is never a thousands separator", "1.000", 1.0, Ok},
        {"grouped with both marks", "1.000,5", 0.0, NotConvertible},
        {"grouped the other way", "1,000.5", 0.0, NotConvertible},
        {"two points", "1.2.3", 0.0, NotConvertible},
        {"two commas", "1,2,3", 0.0, NotConvertible},
        {"empty", "", 0.0, Empty},
        {"blanks only", "   ", 0.0, Empty},
        {"control characters only", "\t\r\n\x01\x1f", 0.0, Empty},
        {"blanks around", "  42  ", 42.0, Ok},
        {"tabs and newline around", "\t42\r\n", 42.0, Ok},
        {"blank inside", "4 2", 0.0, Bad},
        {"control character inside",
            "4\x01"
            "2",
            0.0, Bad},
        {"leading minus", "-5", -5.0, Ok},
        {"minus after the digits", "5-", 0.0, NotConvertible},
        {"two minus signs", "--5", 0.0, NotConvertible},
        {"minus inside", "1-5", 0.0, NotConvertible},
        {"lone minus", "-", 0.0, NotConvertible},
        {"plus sign", "+5", 0.0, Bad},
        {"exponent", "1e3", 0.0, Bad},
        {"lone point", ".", 0.0, Ok},
        {"lone comma", ",", 0.0, Ok},
        {"trailing point", "5.", 5.0, Ok},
        {"trailing comma", "5,", 5.0, Ok},
        {"leading point", ".5", 0.5, Ok},
        {"leading comma", ",5", 0.5, Ok},
        {"minus and leading comma", "-,5", -0.5, Ok},
        {"minus and leading point", "-.5", -0.5, Ok},
        {"minus zero is plain zero", "-0", 0.0, Ok},
        {"minus lone separator is plain zero", "-.", 0.0, Ok},
        {"bad character wins over a bad shape", "1.2.3x", 0.0, Bad},
        {"leading zeros", "0007.25", 7.25, Ok},
        {"correctly rounded", "0.1", 0.1, Ok},
        {"many digits", "123456789012345678901234567890", 1.2345678901234568e29, Ok},
        // Hostile text.
        {"inf", "inf", 0.0, Bad},
        {"INF", "INF", 0.0, Bad},
        {"nan", "nan", 0.0, Bad},
        {"exponent at the limit", "1e308", 0.0, Bad},
        {"hexadecimal", "0x10", 0.0, Bad},
        {"DEL is not trimmed",
            "\x7f"
            "5",
            0.0, Bad},
        {"no-break space",
            "1\xc2\xa0"
            "5",
            0.0, Bad},
        {"trailing narrow no-break space", "5\xe2\x80\xaf", 0.0, Bad},
        {"full-width digit", "\xef\xbc\x95", 0.0, Bad},
        {"lone UTF-8 byte", "5\xff", 0.0, Bad},
        {"embedded NUL",
            std::string("4\0"
                        "2",
                3),
            0.0, Bad},
        {"400 digits overflow to infinity", std::string(400, '9'), Inf, Ok},
        {"400 digits negative", "-" + std::string(400, '9'), -Inf, Ok},
        {"400 digits with a fraction", std::string(400, '9') + ".5", Inf, Ok},
        {"a million digits", "1" + std::string(1'000'000, '0'), Inf, Ok},
        {"400 leading zeros", std::string(400, '0') + "1.5", 1.5, Ok},
        {"underflow to zero", "0." + std::string(400, '0') + "1", 0.0, Ok},
        {"negative underflow to plain zero", "-0." + std::string(400, '0') + "1", 0.0, Ok},
        {"long fraction", "0." + std::string(10'000, '3'), 1.0 / 3.0, Ok},
        {"thousands of points", std::string(5'000, '.'), 0.0, NotConvertible},
        {"thousands of commas", std::string(5'000, ','), 0.0, NotConvertible},
        {"thousands of groups",
            [] {
                std::string text = "1";
                for (int i = 0; i < 1'000; ++i) {
                    text += ",000";
                }
                return text;
            }(),
            0.0, NotConvertible},
        {"thousands of minus signs", std::string(5'000, '-'), 0.0, NotConvertible},
    };
    return cases;
}

TEST(RegionalSettingsClsTest, parsesTheSameUnderARegionalPoint)
{
    CheckCases(SeparatorIndependentCases(), '.');
}

TEST(RegionalSettingsClsTest, parsesTheSameUnderARegionalComma)
{
    CheckCases(SeparatorIndependentCases(), ',');
}

TEST(RegionalSettingsClsTest, takesAPointForAnExoticRegionalSeparator)
{
    CheckCases(
        {{"point", "1.5", 1.5, Ok}, {"comma", "1,5", 1.5, Ok}, {"the exotic mark itself is refused", "1'5", 0.0, Bad}},
        '\'');
}

TEST(RegionalSettingsClsTest, startsAndRecoversWithSuccess)
{
    TRegionalSettingsCls parser;
    EXPECT_EQ(parser.ErrorCode, Ok);
    EXPECT_EQ(parser.ParseReal("x", '.'), 0.0);
    EXPECT_EQ(parser.ErrorCode, Bad);
    EXPECT_DOUBLE_EQ(parser.ParseReal("2,5", '.'), 2.5);
    EXPECT_EQ(parser.ErrorCode, Ok);
    parser.ParseReal("", ',');
    EXPECT_EQ(parser.ErrorCode, Empty);
    EXPECT_DOUBLE_EQ(parser.ParseReal("170", ','), 170.0);
    EXPECT_EQ(parser.ErrorCode, Ok);
}

}  // namespace
