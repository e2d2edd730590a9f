#include "model/ole_date_time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace ole_date_time_test {

COleDateTime Midnight(int year, int month, int day)
{
    return COleDateTime(year, month, day, 0, 0, 0);
}

TEST(OleDateTime, DayNumbersAtKnownAnchors)
{
    EXPECT_EQ(Midnight(1899, 12, 30).Value(), 0.0);
    EXPECT_EQ(Midnight(1900, 1, 1).Value(), 2.0);
    EXPECT_EQ(Midnight(2025, 1, 1).Value(), 45658.0);
    EXPECT_EQ(Midnight(100, 1, 1).Value(), -657434.0);
    EXPECT_EQ(Midnight(9999, 12, 31).Value(), 2958465.0);
}

// Walks the whole valid range day by day: consecutive dates differ by exactly one, every date
// reads back its own fields, and the weekday advances by one each day.
TEST(OleDateTime, EveryDateOfTheRangeRoundTrips)
{
    double expected = -657434.0;
    int expectedWeekday = Midnight(100, 1, 1).GetDayOfWeek();
    for (int year = 100; year <= 9999; ++year) {
        int dayOfYear = 0;
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= model::DaysInMonth(year, month); ++day) {
                const COleDateTime date = Midnight(year, month, day);
                ASSERT_EQ(date.GetStatus(), COleDateTime::valid) << year << '-' << month << '-' << day;
                ASSERT_EQ(date.Value(), expected) << year << '-' << month << '-' << day;
                model::SystemTime fields;
                ASSERT_TRUE(date.GetAsSystemTime(fields));
                ASSERT_EQ(fields.year, year);
                ASSERT_EQ(fields.month, month);
                ASSERT_EQ(fields.day, day);
                ASSERT_EQ(fields.dayOfWeek, expectedWeekday);
                ASSERT_EQ(date.GetDayOfYear(), ++dayOfYear);
                expected += 1.0;
                expectedWeekday = (expectedWeekday + 1) % 7;
            }
        }
    }
}

TEST(OleDateTime, ValidityRules)
{
    EXPECT_EQ(Midnight(2024, 2, 29).GetStatus(), COleDateTime::valid);
    EXPECT_EQ(Midnight(2023, 2, 29).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(Midnight(1500, 2, 29).GetStatus(), COleDateTime::invalid); // proleptic Gregorian
    EXPECT_EQ(Midnight(2000, 2, 29).GetStatus(), COleDateTime::valid);
    EXPECT_EQ(Midnight(1900, 2, 29).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(Midnight(100, 1, 1).GetStatus(), COleDateTime::valid);
    EXPECT_EQ(Midnight(99, 12, 31).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(Midnight(10000, 1, 1).GetStatus(), COleDateTime::invalid);
    // Out-of-range fields are never carried into the next month or year.
    EXPECT_EQ(Midnight(2025, 13, 1).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(Midnight(2025, 0, 1).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(Midnight(2025, 4, 31).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(Midnight(2025, 1, 0).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(2025, 1, 1, 24, 0, 0).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(2025, 1, 1, 23, 60, 0).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(2025, 1, 1, 23, 59, 60).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(2025, 1, 1, 23, 59, 59).GetStatus(), COleDateTime::valid);
}

TEST(OleDateTime, InvalidDatesReportNoFields)
{
    const COleDateTime bad = Midnight(2023, 2, 29);
    model::SystemTime fields;
    EXPECT_FALSE(bad.GetAsSystemTime(fields));
    EXPECT_EQ(bad.GetYear(), -1);
    EXPECT_EQ(bad.GetMonth(), -1);
    EXPECT_EQ(bad.GetDay(), -1);
    EXPECT_EQ(bad.GetDayOfWeek(), -1);
    EXPECT_EQ(bad.GetDayOfYear(), -1);
}

TEST(OleDateTime, WeekdayAndDayOfYear)
{
    EXPECT_EQ(Midnight(1899, 12, 30).GetDayOfWeek(), 6); // a Saturday
    EXPECT_EQ(Midnight(2025, 1, 1).GetDayOfWeek(), 3);   // a Wednesday
    EXPECT_EQ(Midnight(2025, 1, 1).GetDayOfYear(), 1);
    EXPECT_EQ(Midnight(2024, 12, 31).GetDayOfYear(), 366);
    EXPECT_EQ(Midnight(2025, 12, 31).GetDayOfYear(), 365);
    EXPECT_EQ(Midnight(1800, 3, 1).GetDayOfWeek(), 6);
}

TEST(OleDateTime, TimeOfDayBeforeTheEpochCountsForward)
{
    const COleDateTime morning(1899, 12, 29, 6, 0, 0);
    EXPECT_DOUBLE_EQ(morning.Value(), -1.25);
    model::SystemTime fields;
    ASSERT_TRUE(morning.GetAsSystemTime(fields));
    EXPECT_EQ(fields.day, 29);
    EXPECT_EQ(fields.hour, 6);
    EXPECT_EQ(fields.dayOfWeek, 5);

    // The first and last days of the range keep their afternoons: the range is linear time.
    for (const COleDateTime &edge : {COleDateTime(100, 1, 1, 12, 0, 0), COleDateTime(9999, 12, 31, 23, 59, 59)}) {
        ASSERT_TRUE(edge.GetAsSystemTime(fields)) << edge.Value();
        EXPECT_EQ(fields.day, edge.GetYear() == 100 ? 1 : 31);
        EXPECT_EQ(fields.hour, edge.GetYear() == 100 ? 12 : 23);
    }
    EXPECT_EQ(COleDateTime(100, 1, 1, 12, 0, 0).GetDay(), 1);
    EXPECT_EQ(COleDateTime::FromValue(-657435.0).GetDay(), -1); // 31 December 99
}

TEST(OleDateTime, AddingDays)
{
    EXPECT_TRUE(Midnight(2024, 12, 31) + 1 == Midnight(2025, 1, 1));
    EXPECT_TRUE(Midnight(2025, 3, 1) - 1 == Midnight(2025, 2, 28));
    EXPECT_TRUE(Midnight(1900, 1, 1) + (-3) == Midnight(1899, 12, 29));
    // Crossing the epoch keeps the time of day: 06:00 stays 06:00 on both sides of zero.
    const COleDateTime before = COleDateTime(1899, 12, 29, 6, 0, 0) + 2;
    EXPECT_TRUE(before == COleDateTime(1899, 12, 31, 6, 0, 0));
    EXPECT_DOUBLE_EQ(before.Value(), 1.25);
    EXPECT_DOUBLE_EQ((COleDateTime(1899, 12, 31, 6, 0, 0) + (-2)).Value(), -1.25);
    // An invalid date stays invalid.
    EXPECT_EQ((Midnight(2023, 2, 29) + 1).GetStatus(), COleDateTime::invalid);
}

TEST(OleDateTime, EqualityHasHalfASecondTolerance)
{
    const COleDateTime base = Midnight(2025, 6, 1);
    const double second = 1.0 / 86400.0;
    EXPECT_TRUE(base == COleDateTime::FromValue(base.Value() + 0.4 * second));
    EXPECT_FALSE(base == COleDateTime::FromValue(base.Value() + 0.6 * second));
    EXPECT_FALSE(Midnight(2023, 2, 29) == Midnight(2023, 2, 29));
    EXPECT_FALSE(base == COleDateTime::FromValue(base.Value(), COleDateTime::invalid));
    EXPECT_TRUE(COleDateTime::FromValue(0, COleDateTime::null) == COleDateTime::FromValue(5, COleDateTime::null));
}

TEST(OleDateTime, OrderingIsLinearAcrossTheEpoch)
{
    EXPECT_TRUE(Midnight(2025, 1, 2) > Midnight(2025, 1, 1));
    EXPECT_FALSE(Midnight(2025, 1, 1) > Midnight(2025, 1, 1));
    // -1.25 (29 Dec 06:00) comes after -1.0 (29 Dec 00:00) although it is smaller.
    EXPECT_TRUE(COleDateTime(1899, 12, 29, 6, 0, 0) > Midnight(1899, 12, 29));
    EXPECT_FALSE(Midnight(2025, 1, 2) > Midnight(2023, 2, 29));
    EXPECT_FALSE(Midnight(2023, 2, 29) > Midnight(2025, 1, 2));
}

// Sets the process time zone for one test and puts the previous one back.
class TimeZone
{
public:
    explicit TimeZone(const char *zone)
    {
        if (const char *previous = std::getenv("TZ"))
            previous_ = previous;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZone()
    {
        if (previous_)
            setenv("TZ", previous_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> previous_;
};

TEST(OleDateTime, ClockGivesLocalFields)
{
    // 1 June 2025 12:00 UTC, seen from zones where the local date is not the UTC one.
    const struct {
        const char *zone;
        int month, day, hour;
    } cases[] = {
        {"UTC0", 6, 1, 12},
        {"<+14>-14", 6, 2, 2}, // Kiritimati
        {"<-11>11", 6, 1, 1},  // Pago Pago
        {"<+1130>-11:30", 6, 1, 23},
    };
    for (const auto &c : cases) {
        TimeZone zone(c.zone);
        const COleDateTime date = COleDateTime::FromTimeT(1748779200);
        model::SystemTime fields;
        ASSERT_TRUE(date.GetAsSystemTime(fields)) << c.zone;
        EXPECT_EQ(fields.year, 2025) << c.zone;
        EXPECT_EQ(fields.month, c.month) << c.zone;
        EXPECT_EQ(fields.day, c.day) << c.zone;
        EXPECT_EQ(fields.hour, c.hour) << c.zone;
        EXPECT_EQ(COleDateTime::GetCurrentTime().GetStatus(), COleDateTime::valid) << c.zone;
    }
    // 31 May 2025 22:00 UTC is already June in Paris.
    TimeZone paris("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(COleDateTime::FromTimeT(1748728800).GetMonth(), 6);
}

} // namespace ole_date_time_test
