#include "model/holiday_label.h"
#include "model/particular_days.h"
#include "model/region.h"

#include <gtest/gtest.h>

namespace {

using model::Region;

std::string RegionalLabel(Region region, int year, int month, int day)
{
    model::HolidayOptions options;
    options.region = region;
    return GetHolidayLabel(COleDateTime(year, month, day, 0, 0, 0), options);
}

TEST(RegionalHolidays, EachRegionAddsItsOwnDays)
{
    struct Case {
        Region region;
        int year, month, day;
        const char *label;
    };
    const Case cases[] = {
        {Region::AlsaceMoselle, 2027, 3, 26, "Vendredi Saint"}, // Easter 2027 is 28 March
        {Region::AlsaceMoselle, 1900, 12, 26, "Saint Étienne"},
        {Region::Guadeloupe, 2025, 4, 18, "Vendredi Saint"},
        {Region::Guadeloupe, 2025, 5, 27, "Abol. esclavage"},
        {Region::Guadeloupe, 1982, 5, 27, ""}, // the abolition days from 1983
        {Region::Guadeloupe, 1960, 7, 21, "V. Schoelcher"},
        {Region::Martinique, 1984, 5, 22, "Abol. esclavage"},
        {Region::Martinique, 2025, 7, 21, "V. Schoelcher"},
        {Region::Guyane, 1982, 6, 10, ""},
        {Region::Guyane, 1983, 6, 10, "Abol. esclavage"},
        {Region::Guyane, 2025, 7, 21, ""},
        {Region::Reunion, 1980, 12, 20, ""},
        {Region::Reunion, 1981, 12, 20, "Abol. esclavage"},
        {Region::Reunion, 2025, 4, 18, ""},
        {Region::Mayotte, 2027, 4, 27, "Abol. esclavage"},
        {Region::Metropole, 2027, 3, 26, ""},
        {Region::Metropole, 2027, 12, 26, ""},
        // On a shared date the national label wins: 22 May 2031 is Ascension Day.
        {Region::Martinique, 2031, 5, 22, "Ascension"},
        // No Easter before the year 100, hence no Good Friday, and no crash.
        {Region::AlsaceMoselle, 99, 12, 26, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RegionalLabel(c.region, c.year, c.month, c.day), c.label)
            << model::RegionName(c.region) << " " << c.year << "-" << c.month << "-" << c.day;
}

TEST(RegionalHolidays, ParticularDaysStillComeFirst)
{
    const std::vector<COleDateTime> dates{COleDateTime(2027, 12, 26, 0, 0, 0)};
    const std::vector<std::string> labels{"Inventaire"};
    const model::HolidayOptions options{true, &dates, &labels, false, Region::AlsaceMoselle};
    const auto days = model::LabelledDaysOfYear(2027, options);
    ASSERT_EQ(days.size(), 14u); // 12 national days, Good Friday, and 26 December
    EXPECT_EQ(days[1], (model::DayLabel{3, 26, "Vendredi Saint", false}));
    EXPECT_EQ(days.back(), (model::DayLabel{12, 26, "Inventaire", true}));
}

TEST(RegionalHolidays, NamesAndStoredNumbers)
{
    for (int stored = 0; stored < model::kRegionCount; ++stored) {
        const Region region = model::RegionFromStored(static_cast<std::uint32_t>(stored));
        EXPECT_EQ(static_cast<int>(region), stored);
        EXPECT_EQ(model::RegionFromName(model::RegionName(region)), region);
    }
    EXPECT_EQ(model::RegionFromStored(7), Region::Metropole);
    EXPECT_EQ(model::RegionFromStored(0xFFFFFFFF), Region::Metropole);
    EXPECT_EQ(model::RegionFromName("reunion"), Region::Reunion);
    EXPECT_EQ(model::RegionFromName("Reunion"), std::nullopt);
    EXPECT_EQ(model::RegionFromName(""), std::nullopt);
}

TEST(ParticularDays, AppendedDaysSkipWhatTheYearLacksAndWhatIsListed)
{
    std::vector<COleDateTime> dates{COleDateTime(2027, 8, 9, 0, 0, 0)};
    std::vector<std::string> labels{"Fermeture"};
    const std::vector<model::DayLabel> previousYear{
        {2, 29, "Bissextile"}, {8, 9, "Fermeture"}, {8, 9, "Inventaire"}, {1, 2, "Pont"}, {1, 2, "Pont"}};
    EXPECT_EQ(model::AppendParticularDays(2027, previousYear, dates, labels), 2u);
    EXPECT_EQ(labels, (std::vector<std::string>{"Fermeture", "Inventaire", "Pont"}));
    EXPECT_TRUE(dates[2] == COleDateTime(2027, 1, 2, 0, 0, 0));
    // In a leap year 29 February is a day like any other.
    EXPECT_EQ(model::AppendParticularDays(2028, previousYear, dates, labels), 4u);
}

} // namespace
