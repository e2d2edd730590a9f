#include "model/region.h"

namespace model {

namespace {

constexpr const char *kRegionNames[kRegionCount] = {
    "metropole", "alsace-moselle", "guadeloupe", "martinique", "guyane", "reunion", "mayotte",
};

// A day counted from Easter Sunday rather than on a fixed date.
constexpr int kFromEaster = 0;

struct RegionalDay {
    Region region;
    int month; // kFromEaster: `day` is the number of days from Easter Sunday
    int day;
    int fromYear; // the first year the day is kept
    const char *label;
};

// Labels are short: they must fit the narrow columns of the vertical layout.
constexpr RegionalDay kRegionalDays[] = {
    {Region::AlsaceMoselle, kFromEaster, -2, 0, "Vendredi Saint"},
    {Region::AlsaceMoselle, 12, 26, 0, "Saint Étienne"},
    {Region::Guadeloupe, kFromEaster, -2, 0, "Vendredi Saint"},
    {Region::Guadeloupe, 5, 27, 1983, "Abol. esclavage"},
    {Region::Guadeloupe, 7, 21, 0, "V. Schoelcher"},
    {Region::Martinique, kFromEaster, -2, 0, "Vendredi Saint"},
    {Region::Martinique, 5, 22, 1983, "Abol. esclavage"},
    {Region::Martinique, 7, 21, 0, "V. Schoelcher"},
    {Region::Guyane, kFromEaster, -2, 0, "Vendredi Saint"},
    {Region::Guyane, 6, 10, 1983, "Abol. esclavage"},
    {Region::Reunion, 12, 20, 1981, "Abol. esclavage"},
    {Region::Mayotte, 4, 27, 1983, "Abol. esclavage"},
};

} // namespace

const char *RegionName(Region region)
{
    const int index = static_cast<int>(region);
    return index >= 0 && index < kRegionCount ? kRegionNames[index] : kRegionNames[0];
}

std::optional<Region> RegionFromName(std::string_view name)
{
    for (int index = 0; index < kRegionCount; ++index) {
        if (name == kRegionNames[index])
            return static_cast<Region>(index);
    }
    return std::nullopt;
}

std::string RegionNames()
{
    std::string names;
    for (const char *name : kRegionNames)
        names += (names.empty() ? "" : ", ") + std::string(name);
    return names;
}

const char *RegionalHolidayLabel(Region region, int year, int month, int day, std::optional<int> easterOffset)
{
    for (const RegionalDay &rule : kRegionalDays) {
        if (rule.region != region || year < rule.fromYear)
            continue;
        const bool matches =
            rule.month == kFromEaster ? easterOffset == rule.day : rule.month == month && rule.day == day;
        if (matches)
            return rule.label;
    }
    return nullptr;
}

} // namespace model
