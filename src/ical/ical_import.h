#pragma once

#include "ical/import_limits.h"
#include "model/holiday_label.h"

#include <string>
#include <vector>

namespace ical {

// The days an agenda brings into one year, or why it brings none.
struct ImportResult {
    std::vector<model::DayLabel> days; // in the order of the file, one per event and date
    std::string error;                 // one French sentence; empty when the file was read
    // What the user should know about a read that worked, one French sentence each: the file
    // was read as Windows-1252, a walk through repeated events stopped early.
    std::vector<std::string> notes;
    bool cutShort = false; // the budget stopped a walk: days of the file may be missing
};

// The events of an iCalendar text that fall in `year`: an all-day event gives each of its dates,
// a timed event the date it starts on in `localZone` (a zone name such as "Europe/Paris"; times
// without a zone are taken as they are), a recurring event each of its occurrences. The label is
// the SUMMARY on one line, as the settings store keeps it (254 UTF-16 units), so that importing
// the same file again finds the days already there. Text that is not UTF-8 is read as
// Windows-1252. `fileName` is only for the messages.
ImportResult ImportCalendar(std::string text, int year, const std::string &localZone, const std::string &fileName,
                            const ImportLimits &limits = {});

// The same, read from a regular file.
ImportResult ImportCalendarFile(const std::string &path, int year, const std::string &localZone,
                                const ImportLimits &limits = {});

} // namespace ical
