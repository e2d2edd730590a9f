#include "model/holiday_label.h"

#include <gtest/gtest.h>

namespace {

COleDateTime Midnight(int year, int month, int day)
{
    return COleDateTime(year, month, day, 0, 0, 0);
}

std::string Label(int year, int month, int day, const model::HolidayOptions &options = {})
{
    return GetHolidayLabel(Midnight(year, month, day), options);
}

TEST(HolidayLabel, MovableHolidaysOf2025)
{
    EXPECT_EQ(Label(2025, 4, 20), "Pâques");
    EXPECT_EQ(Label(2025, 4, 21), "Lundi Pâques");
    EXPECT_EQ(Label(2025, 5, 29), "Ascension");
    EXPECT_EQ(Label(2025, 6, 8), "Pentecôte");
    EXPECT_EQ(Label(2025, 6, 9), "");
    model::HolidayOptions withMonday;
    withMonday.lundiPentecote = true;
    EXPECT_EQ(Label(2025, 6, 9, withMonday), "Lundi Pentecôte");
}

TEST(HolidayLabel, PentecostMondayIsAlwaysOffUpTo2004)
{
    EXPECT_EQ(Label(2004, 5, 31), "Lundi Pentecôte");
    EXPECT_EQ(Label(2005, 5, 16), "");
    model::HolidayOptions withMonday;
    withMonday.lundiPentecote = true;
    EXPECT_EQ(Label(2005, 5, 16, withMonday), "Lundi Pentecôte");
}

TEST(HolidayLabel, AscensionCombinedWithMayHolidays)
{
    EXPECT_EQ(Label(2008, 5, 1), "Ascen./F.Travail");
    EXPECT_EQ(Label(1997, 5, 8), "Ascen./Vict.1945");
    // Both combinations start in 1936.
    EXPECT_EQ(Label(1913, 5, 1), "Ascension");
    EXPECT_EQ(Label(1902, 5, 8), "Ascension");
}

TEST(HolidayLabel, FixedHolidaysStartInTheirYear)
{
    EXPECT_EQ(Label(1935, 5, 1), "");
    EXPECT_EQ(Label(1936, 5, 1), "Fête Travail");
    EXPECT_EQ(Label(1945, 5, 8), "");
    EXPECT_EQ(Label(1946, 5, 8), "Victoire 1945");
    EXPECT_EQ(Label(1789, 7, 14), "");
    EXPECT_EQ(Label(1790, 7, 14), "Fête Nationale");
    EXPECT_EQ(Label(1918, 11, 11), "");
    EXPECT_EQ(Label(1919, 11, 11), "Armistice 1918");
    for (int year : {100, 1582, 2025, 9999}) {
        EXPECT_EQ(Label(year, 1, 1), "Nouvel An") << year;
        EXPECT_EQ(Label(year, 8, 15), "Assomption") << year;
        EXPECT_EQ(Label(year, 11, 1), "Toussaint") << year;
        EXPECT_EQ(Label(year, 12, 25), "Noël") << year;
    }
}

TEST(HolidayLabel, AYearHasExactlyItsHolidays)
{
    int labelled = 0;
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= model::DaysInMonth(2025, month); ++day)
            labelled += !Label(2025, month, day).empty();
    EXPECT_EQ(labelled, 12);
}

TEST(HolidayLabel, ParticularDaysCountOnlyWithTheToggle)
{
    const std::vector<COleDateTime> dates{Midnight(2026, 12, 25), Midnight(2026, 3, 17), Midnight(2026, 3, 17)};
    const std::vector<std::string> labels{"Réveillon", "Saint Patrick", "Second"};
    model::HolidayOptions options{false, &dates, &labels, false};
    EXPECT_EQ(Label(2026, 12, 25, options), "Noël");
    EXPECT_EQ(Label(2026, 3, 17, options), "");
    options.ferieParticulier = true;
    EXPECT_EQ(Label(2026, 12, 25, options), "Réveillon");
    EXPECT_EQ(Label(2026, 3, 17, options), "Saint Patrick"); // the first entry of a date wins
    // The days belong to their own year only.
    EXPECT_EQ(Label(2027, 3, 17, options), "");
}

TEST(HolidayLabel, InvalidDatesMatchNothing)
{
    const std::vector<COleDateTime> dates{Midnight(2025, 2, 29)};
    const std::vector<std::string> labels{"Jamais"};
    const model::HolidayOptions options{true, &dates, &labels, true};
    EXPECT_EQ(GetHolidayLabel(Midnight(2025, 2, 29), options), "");
    EXPECT_EQ(Label(2025, 3, 1, options), "");
    EXPECT_EQ(GetHolidayLabel(Midnight(99, 12, 25), options), "");
    EXPECT_EQ(GetHolidayLabel(Midnight(10000, 1, 1), options), "");
}

} // namespace
