#include "model/easter.h"

#include <gtest/gtest.h>

namespace {

struct EasterCase {
    int year, month, day;
};

class EasterSundayOf : public testing::TestWithParam<EasterCase>
{
};

TEST_P(EasterSundayOf, FallsOnItsKnownDate)
{
    const auto [year, month, day] = GetParam();
    const COleDateTime easter = EasterSunday(year);
    ASSERT_EQ(easter.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(easter.GetMonth(), month);
    EXPECT_EQ(easter.GetDay(), day);
    EXPECT_DOUBLE_EQ(easter.Value(), COleDateTime(year, month, day, 0, 0, 0).Value());
}

INSTANTIATE_TEST_SUITE_P(Gregorian, EasterSundayOf,
                         testing::Values(EasterCase{2000, 4, 23}, EasterCase{2008, 3, 23}, EasterCase{2019, 4, 21},
                                         EasterCase{2024, 3, 31}, EasterCase{2025, 4, 20}, EasterCase{2038, 4, 25},
                                         EasterCase{1818, 3, 22}, EasterCase{2285, 3, 22}, EasterCase{1583, 4, 10},
                                         EasterCase{1582, 4, 18}, EasterCase{9999, 3, 28}));

INSTANTIATE_TEST_SUITE_P(Julian, EasterSundayOf,
                         testing::Values(EasterCase{1000, 3, 31}, EasterCase{1581, 3, 26}, EasterCase{325, 4, 18}));

TEST(EasterSunday, IsAlwaysASundayBetween22MarchAnd25April)
{
    for (int year = 1582; year <= 9999; ++year) {
        const COleDateTime easter = EasterSunday(year);
        ASSERT_EQ(easter.GetDayOfWeek(), 0) << year;
        const int monthDay = easter.GetMonth() * 100 + easter.GetDay();
        ASSERT_GE(monthDay, 322) << year;
        ASSERT_LE(monthDay, 425) << year;
    }
    for (int year = 100; year < 1582; ++year) {
        const int monthDay = EasterSunday(year).GetMonth() * 100 + EasterSunday(year).GetDay();
        ASSERT_GE(monthDay, 322) << year;
        ASSERT_LE(monthDay, 425) << year;
    }
}

TEST(EasterSunday, IsInvalidOutsideTheRange)
{
    EXPECT_EQ(EasterSunday(99).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(EasterSunday(10000).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(EasterSunday(-5).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(EasterSunday(0).GetStatus(), COleDateTime::invalid);
}

} // namespace
