#include "Compat.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

// The browser build writes and reads its numbers with the fallback: every
// byte must be the library's, under the users' locales too.
std::string libraryShortest(double value)
{
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : "error";
}

std::string fallbackShortest(double value)
{
    char text[64];
    const auto [end, error] = Compat::Fallback::ToChars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : "error";
}

double fromBits(std::uint64_t bits)
{
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

TEST(Compat, FallbackWritesTheLibrarysShortestText)
{
    const double edges[] = {0.0, -0.0, 1.0, 0.1, 0.0001, 0.001, 1e15, 1e16, 1e21, 1e22, 123456789012345680000.0,
        9007199254740993.0, 5e-324, 2.2250738585072014e-308, std::numeric_limits<double>::max(), 60.00003, 170.0,
        std::ldexp(1.0, 60), std::ldexp(1.0, -1000), 1e23, 8.41e21, 5.0e-310, 9.5, 0.3,
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    std::mt19937_64 random(20261209);
    for (const char* name : {"C", "fr_BE.UTF-8"}) {
        ASSERT_NE(std::setlocale(LC_ALL, name), nullptr) << name << " is not generated";
        for (const double value : edges) {
            EXPECT_EQ(fallbackShortest(value), libraryShortest(value)) << name;
            EXPECT_EQ(fallbackShortest(-value), libraryShortest(-value)) << name;
        }
        // Any bits, powers of two (lopsided intervals), and numbers as the
        // program writes them: seconds, temperatures, coordinates.
        for (int n = 0; n < 15000; ++n) {
            const double anyBits = fromBits(random());
            if (std::isfinite(anyBits)) {
                ASSERT_EQ(fallbackShortest(anyBits), libraryShortest(anyBits)) << name;
            }
            const double power = std::ldexp(1.0, static_cast<int>(random() % 2090) - 1074);
            ASSERT_EQ(fallbackShortest(power), libraryShortest(power)) << name;
            const double everyday = static_cast<double>(random() % 20000000) / 1000.0 - 1000.0;
            ASSERT_EQ(fallbackShortest(everyday), libraryShortest(everyday)) << name;
            const double ratio = everyday / 7.0;
            ASSERT_EQ(fallbackShortest(ratio), libraryShortest(ratio)) << name;
        }
    }
    std::setlocale(LC_ALL, "");
}

TEST(Compat, FallbackWritesAndReadsFixedAsTheLibrary)
{
    const char* texts[] = {"0", "12.5", "-0.0", "170.00000000000001", "0.1", "1.", ".5", "-", ".", "x", "12.5x",
        "99999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
        "999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
        "999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999.0",
        "0.00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000001",
        "1e5", "2.2250738585072011"};
    for (const char* name : {"C", "nl_BE.UTF-8"}) {
        ASSERT_NE(std::setlocale(LC_ALL, name), nullptr) << name << " is not generated";
        for (const char* text : texts) {
            const char* end = text + std::strlen(text);
            double library = -7, fallback = -7;
            const auto expected = std::from_chars(text, end, library, std::chars_format::fixed);
            const auto got = Compat::Fallback::FromFixedChars(text, end, fallback);
            EXPECT_EQ(got.ec, expected.ec) << name << ' ' << text;
            EXPECT_EQ(got.ptr, expected.ptr) << name << ' ' << text;
            EXPECT_EQ(fallback, library) << name << ' ' << text;
        }
        for (const double value : {170.0, -0.00004, 2.25, 1e300, 0.125, -3.0, 60.00003}) {
            for (const int precision : {0, 1, 4, 17}) {
                char library[400], fallback[400];
                const auto expected
                    = std::to_chars(library, library + sizeof library, value, std::chars_format::fixed, precision);
                const auto got = Compat::Fallback::ToFixedChars(fallback, fallback + sizeof fallback, value, precision);
                EXPECT_EQ(std::string(fallback, got.ptr), std::string(library, expected.ptr)) << name;
            }
        }
    }
    std::setlocale(LC_ALL, "");
}

}  // namespace
