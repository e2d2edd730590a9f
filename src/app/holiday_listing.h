#pragma once

#include "model/holiday_label.h"

#include <string>

namespace app {

// Every labelled day of a year, one "YYYY-MM-DD<TAB>label" line each, in date order; a line
// break inside a label reads as a space.
std::string ListHolidays(int year, const model::HolidayOptions &options);

} // namespace app
