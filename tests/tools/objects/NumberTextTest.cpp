#include "NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

// Under the users' locale the C library writes "170,0000"; files must not.
TEST(NumberText, WritesAPointUnderEveryLocale)
{
    for (const char* name : {"C", "fr_BE.UTF-8", "nl_BE.UTF-8"}) {
        ASSERT_NE(std::setlocale(LC_ALL, name), nullptr) << name << " is not generated";
        EXPECT_EQ(NumberText::Fixed(170.0, 4), "170.0000") << name;
        EXPECT_EQ(NumberText::Fixed(-0.00004, 4), "-0.0000") << name;  // as printf rounds it
        EXPECT_EQ(NumberText::Fixed(2.25, 1), "2.2") << name;  // a tie to the even digit, as printf
        EXPECT_EQ(NumberText::Fixed(1e300, 1).size(), 303u) << name;
        EXPECT_EQ(NumberText::Shortest(60.00003), "60.00003") << name;
        EXPECT_EQ(NumberText::Shortest(60.0), "60") << name;
    }
    std::setlocale(LC_ALL, "");
}

TEST(NumberText, QuotesAnExcerptSafely)
{
    EXPECT_EQ(NumberText::QuotedExcerpt("lots"), "\"lots\"");
    EXPECT_EQ(NumberText::QuotedExcerpt(std::string("a\0\n\x7F", 4)), "\"a\\x00\\x0A\\x7F\"");
    EXPECT_EQ(NumberText::QuotedExcerpt(std::string(41, 'x')), "\"" + std::string(40, 'x') + "...\"");
    // "é" is two bytes: cut after its first, it is left out whole.
    EXPECT_EQ(NumberText::QuotedExcerpt("abc\xC3\xA9z", 4), "\"abc...\"");
    EXPECT_EQ(NumberText::QuotedExcerpt("abc\xC3\xA9z", 5), "\"abc\xC3\xA9...\"");
}

}  // namespace
