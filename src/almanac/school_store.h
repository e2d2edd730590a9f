#pragma once

#include "almanac/school_periods.h"

#include <cstddef>
#include <string>
#include <vector>

namespace almanac {

// The periods imported so far, as the settings file keeps them; an entry that cannot be read is
// left out.
std::vector<SchoolPeriod> LoadImportedSchoolHolidays();

// The bundled record with the stored imports over it.
SchoolCalendar LoadSchoolCalendar();

struct StoredImport {
    std::size_t added = 0; // periods the calendar did not have before
    std::string error;     // French; empty when the settings file holds the import
};

// Merges a publication into the settings file: for each zone and school year it carries, it
// replaces what an earlier import stored. The file takes all of it or nothing.
StoredImport StoreSchoolImport(const std::vector<SchoolPeriod> &publication);

} // namespace almanac
