#pragma once

#include "model/region.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace model {

// Whose public holidays the calendar carries: France (with its regions) or another country where
// calendars are printed in French.
enum class Country : int { France, Belgium, Luxembourg, Switzerland, Monaco, Canada };

// A canton of Switzerland or a province of Canada: its code ("GE", "QC") and its French name.
struct Subdivision {
    const char *code;
    const char *name;
};

// The country and, for Switzerland and Canada, the canton or province (-1: none, the days common
// to the whole country). France's own regions stay apart, in `Region`.
struct Place {
    Country country = Country::France;
    int subdivision = -1;

    bool operator==(const Place &) const = default;
};

// "FR", "BE", "LU", "CH", "MC", "CA".
const char *CountryCode(Country country);
// "France", "Belgique"...
const char *CountryName(Country country);
// The cantons or provinces of a country, by code; empty for a country without any.
std::span<const Subdivision> Subdivisions(Country country);

// Stored as "FR", "BE", "CH-GE", "CA-QC"; nothing for a text that names no place.
std::string PlaceCode(const Place &place);
std::optional<Place> PlaceFromCode(std::string_view code);

// Every place but France, in the order of the menu: each country, then its subdivisions.
const std::vector<Place> &PlaceChoices();

// What a command line or a batch row asks for with a country and a region, either optional:
// a French region (the country is then France), another country's canton or province, or why
// neither can be (French, without the program's name).
struct PlaceRequest {
    std::optional<Place> place;
    std::optional<Region> region;
    std::string error;
};
// Country codes and subdivision codes in any case; French region names as RegionFromName takes
// them.
PlaceRequest RequestPlace(std::optional<std::string_view> country, std::optional<std::string_view> region);

} // namespace model
