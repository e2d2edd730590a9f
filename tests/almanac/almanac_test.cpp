#include "almanac/almanac.h"
#include "almanac/paris_phases.h"
#include "model/ole_date_time.h"

#include <gtest/gtest.h>

namespace {

TEST(MoonPhaseListing, GivesParisTimeInWinterAndSummerAndTheParisDate)
{
    const std::optional<std::string> listing = almanac::MoonPhaseListing(2024);
    ASSERT_TRUE(listing);
    // UTC+1 in January, UTC+2 in April; the new moon of 5 July at 22:57 UT is on the 6th in Paris.
    for (const char *line :
         {"2024-01-25 18:54\tPleine lune\n", "2024-04-08 20:21\tNouvelle lune\n", "2024-07-06 00:57\tNouvelle lune\n"})
        EXPECT_NE(listing->find(line), std::string::npos) << line;
    EXPECT_EQ(listing->find("2024-07-05"), std::string::npos);
}

TEST(Almanac, CarriesTheNameDayOfEveryDayAndThePhasesOfItsMonths)
{
    const almanac::AlmanacOptions both{true, true};
    const almanac::Almanac leap(2028, 1, 12, both);
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= model::DaysInMonth(2028, month); ++day)
            EXPECT_FALSE(leap.Day(month, day).nameDay.isEmpty()) << month << "-" << day;
    }
    EXPECT_EQ(leap.Day(1, 3).nameDay, QString::fromUtf8("Geneviève"));
    EXPECT_EQ(leap.Day(2, 29).nameDay, QStringLiteral("Auguste"));
    EXPECT_TRUE(almanac::Almanac(2027, 2, 2, both).Day(2, 29).IsEmpty());

    const almanac::Almanac july(2024, 7, 7, both);
    ASSERT_TRUE(july.Day(7, 6).moon);
    EXPECT_EQ(july.Day(7, 6).moon->kind, model::MoonPhaseKind::NewMoon);
    EXPECT_EQ(july.Day(7, 6).moon->hour * 60 + july.Day(7, 6).moon->minute, 57);
    EXPECT_TRUE(july.Day(8, 4).IsEmpty()); // outside its months
    EXPECT_TRUE(almanac::Almanac(2024, 7, 7, {}).Day(7, 6).IsEmpty());
}

} // namespace
