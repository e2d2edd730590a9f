#pragma once

#include "model/country.h"

#include <string>

namespace model {

// The names of a country's public holidays on one day of a country other than France, joined by
// " / " when two fall together; empty for an ordinary day or a date that does not exist.
std::string CountryHolidayLabel(const Place &place, int year, int month, int day);

} // namespace model
