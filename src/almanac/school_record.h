#pragma once

#include "almanac/school_periods.h"

#include <string_view>

namespace almanac {

// The school holidays that come with the program (zones A, B and C, 1990 to the summer of 2026),
// read once at the first call; safe to call from any thread.
const SchoolCalendar &SchoolRecord();

// The record's own text: lines "first<TAB>last<TAB>zone<TAB>name" and one line
// "connu<TAB>first<TAB>last" for the days it covers in every zone; '#' starts a comment.
SchoolCalendar ParseSchoolRecord(std::string_view text);

} // namespace almanac
