#pragma once

#include "ical/import_limits.h"

#include <cstddef>

namespace almanac {

// What a school calendar file may cost: the agenda import's limits (size, lines, nesting, time
// zones, time), and these of its own. The ministry's full open-data export, every académie and
// every year since 2000, is a few megabytes and some twenty thousand rows; these bounds leave it
// ample room while a wrong or hostile file cannot take the memory or the time of the program.
inline constexpr ical::ImportLimits kSchoolFileLimits{};
constexpr std::size_t kMaxSchoolFileBytes = kSchoolFileLimits.fileBytes;
// CSV rows or iCalendar events read from one file.
constexpr std::size_t kMaxSchoolRows = 200000;
// Imported periods kept in the settings file: seven holidays a year in three zones for two
// centuries.
constexpr std::size_t kMaxStoredSchoolPeriods = 4200;
// The summer holiday is the longest, some nine weeks: a longer span is no school holiday.
constexpr int kMaxSchoolPeriodDays = 100;
// The longest holiday name kept, in characters.
constexpr std::size_t kMaxSchoolPeriodName = 80;

} // namespace almanac
