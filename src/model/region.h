#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace model {

// Where the calendar is used: some regions keep public holidays of their own. Stored as its
// number.
enum class Region : int {
    Metropole = 0,
    AlsaceMoselle = 1,
    Guadeloupe = 2,
    Martinique = 3,
    Guyane = 4,
    Reunion = 5,
    Mayotte = 6,
};

constexpr int kRegionCount = 7;

// Any stored number that names no region means Métropole.
constexpr Region RegionFromStored(std::uint32_t stored)
{
    return stored < static_cast<std::uint32_t>(kRegionCount) ? static_cast<Region>(stored) : Region::Metropole;
}

// The name of a region on the command line and in batch files: "metropole", "alsace-moselle",
// "guadeloupe", "martinique", "guyane", "reunion", "mayotte".
const char *RegionName(Region region);
// The region of such a name (exact, lower case); nothing for an unknown name.
std::optional<Region> RegionFromName(std::string_view name);
// Every name, separated by ", ", for messages.
std::string RegionNames();

// The label of a region's own public holiday on that day, or nullptr. `easterOffset` is the
// number of days from Easter Sunday to the day, when the year has an Easter.
const char *RegionalHolidayLabel(Region region, int year, int month, int day, std::optional<int> easterOffset);

} // namespace model
