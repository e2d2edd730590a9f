#pragma once

#include "almanac/school_periods.h"

#include <optional>
#include <string>
#include <vector>

namespace almanac {

// The holidays of zones A, B and C that one publication of the ministry gives, or why it gives
// none.
struct SchoolImport {
    std::vector<SchoolPeriod> periods; // merged
    std::string error;                 // one French sentence; empty when the file was read
    bool fromWindows1252 = false;      // the text was not UTF-8 and was read as Windows-1252
    bool zoneUnknown = false;          // refused because neither the file nor the caller gave the zone
};

// Reads the ministry's school calendar in either of its forms, told apart by their content:
// - an iCalendar file of one zone: every all-day event that names a holiday, its DTEND being the
//   day classes resume; its zone is the one its text names ("Vacances d'Hiver - Zone A"), else
//   the calendar's name, else `zone`;
// - the open-data CSV export: columns description, start_date, end_date and zones (or their
//   labels "Description", "Date de début", "Date de fin", "Zones"), ISO 8601 stamps whose Paris
//   dates run from the start up to, not including, the end.
// Rows of Corsica and overseas, rows for teachers only and starts of term are left out. With
// `zone`, only that zone is read. `fileName` is only for the messages.
SchoolImport ReadSchoolCalendar(std::string text, std::optional<SchoolZone> zone, const std::string &fileName);

// The same, read from a file within the limits of school_limits.h.
SchoolImport ReadSchoolCalendarFile(const std::string &path, std::optional<SchoolZone> zone);

} // namespace almanac
