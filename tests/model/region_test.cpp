#include "model/holiday_label.h"
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

TEST(RegionalHolidays, NamesOfTheCommandLineAndBatchFiles)
{
    for (int stored = 0; stored < model::kRegionCount; ++stored) {
        const auto region = static_cast<Region>(stored);
        EXPECT_EQ(model::RegionFromName(model::RegionName(region)), region);
    }
    EXPECT_EQ(model::RegionNames(), "metropole, alsace-moselle, guadeloupe, martinique, guyane, reunion, mayotte");
    EXPECT_EQ(model::RegionFromName("Reunion"), std::nullopt);
    EXPECT_EQ(model::RegionFromName(""), std::nullopt);
}

} // namespace
