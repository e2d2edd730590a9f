#pragma once

#include "almanac/school_periods.h"

#include <optional>
#include <string>

namespace app {

// --school-holidays: the year's periods on stdout, the unknown parts on stderr; the exit status.
int ListSchoolHolidaysCommand(int year);

// --import-school-holidays FILE [--zone Z]: reads and stores the ministry's school calendar and
// says how many periods it added; the exit status.
int ImportSchoolHolidaysCommand(const std::string &path, std::optional<almanac::SchoolZone> zone);

} // namespace app
