#pragma once

#include "almanac/school_periods.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace almanac {

// The periods imported so far, as the settings file keeps them; an entry that cannot be read is
// left out.
std::vector<SchoolPeriod> LoadImportedSchoolHolidays();

// The bundled record with the stored imports over it.
SchoolCalendar LoadSchoolCalendar();

// What the pages draw: LoadSchoolCalendar, read once per settings file and kept until
// ReloadSchoolCalendar. Safe from any thread once read; read it first on the thread that uses
// the settings, as the store is not for several threads at once.
std::shared_ptr<const SchoolCalendar> SchoolCalendarInUse();
// After an import: the pages draw what the settings file holds now.
void ReloadSchoolCalendar();

struct StoredImport {
    std::size_t added = 0; // periods the calendar did not have before
    // Periods the calendar had, bundled or imported, that the publication replaced without
    // giving them again: how many for each zone and school year (its first calendar year).
    std::map<std::pair<SchoolZone, int>, std::size_t> removed;
    std::string error; // French; empty when the settings file holds the import
};

// Merges a publication into the settings file: for each zone and school year it carries, it
// replaces what the calendar had (an earlier import, the bundled record). The file takes all of
// it or nothing, read and written under the settings lock so that imports at once keep each
// other's zones.
StoredImport StoreSchoolImport(const std::vector<SchoolPeriod> &publication);

} // namespace almanac
