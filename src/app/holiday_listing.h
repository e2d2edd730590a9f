#pragma once

#include "model/holiday_label.h"

#include <string>

namespace app {

// Every labelled day of a year, one "YYYY-MM-DD<TAB>label" line each, in date order.
std::string ListHolidays(int year, const model::HolidayOptions &options);

} // namespace app
