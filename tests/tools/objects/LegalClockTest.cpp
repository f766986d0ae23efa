#include "LegalClock.h"
#include "DateUtilsBD2006.h"

#include <gtest/gtest.h>

namespace {

using LegalClock::TSeconds;

TSeconds at(int year, int month, int day, int hour, int minute, int second)
{
    return static_cast<TSeconds>(*DateUtilsBD2006::EncodeDate(year, month, day)) * 86400 + hour * 3600 + minute * 60
        + second;
}

// Each change to the second, on both sides, in UTC and on the wall clock.
TEST(LegalClock, changesToTheSecond)
{
    // 2027: 28 March and 31 October, 01:00 UTC.
    EXPECT_FALSE(LegalClock::IsSummerTimeAt(at(2027, 3, 28, 0, 59, 59)));
    EXPECT_TRUE(LegalClock::IsSummerTimeAt(at(2027, 3, 28, 1, 0, 0)));
    EXPECT_TRUE(LegalClock::IsSummerTimeAt(at(2027, 10, 31, 0, 59, 59)));
    EXPECT_FALSE(LegalClock::IsSummerTimeAt(at(2027, 10, 31, 1, 0, 0)));

    EXPECT_FALSE(LegalClock::IsSkippedOnWall(at(2027, 3, 28, 1, 59, 59)));
    EXPECT_TRUE(LegalClock::IsSkippedOnWall(at(2027, 3, 28, 2, 0, 0)));
    EXPECT_TRUE(LegalClock::IsSkippedOnWall(at(2027, 3, 28, 2, 59, 59)));
    EXPECT_FALSE(LegalClock::IsSkippedOnWall(at(2027, 3, 28, 3, 0, 0)));
    EXPECT_FALSE(LegalClock::IsRepeatedOnWall(at(2027, 10, 31, 1, 59, 59)));
    EXPECT_TRUE(LegalClock::IsRepeatedOnWall(at(2027, 10, 31, 2, 30, 0)));
    EXPECT_FALSE(LegalClock::IsRepeatedOnWall(at(2027, 10, 31, 3, 0, 0)));
    EXPECT_FALSE(LegalClock::IsRepeatedOnWall(at(2027, 3, 28, 2, 30, 0)));

    // The repeated hour is read as summer time, its first pass.
    EXPECT_EQ(LegalClock::WallToUtc(at(2027, 10, 31, 2, 30, 0)), at(2027, 10, 31, 0, 30, 0));
    EXPECT_EQ(LegalClock::UtcToWall(at(2027, 10, 31, 1, 30, 0)), at(2027, 10, 31, 2, 30, 0));
    EXPECT_EQ(LegalClock::UtcToWall(at(2027, 7, 14, 20, 0, 0)), at(2027, 7, 14, 22, 0, 0));
    EXPECT_EQ(LegalClock::WallToUtc(at(2027, 1, 14, 22, 0, 0)), at(2027, 1, 14, 21, 0, 0));
    // Before day zero the day is the one before, not the one toward zero.
    EXPECT_EQ(LegalClock::SecondsOf(-1.25), -86400 + 6 * 3600);
}

}  // namespace
