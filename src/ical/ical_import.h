#pragma once

#include "model/holiday_label.h"

#include <cstddef>
#include <string>
#include <vector>

namespace ical {

// The days an agenda brings into one year, or why it brings none.
struct ImportResult {
    std::vector<model::DayLabel> days; // in the order of the file, one per event and date
    std::string error;                 // one French sentence; empty when the file was read
};

// Limits that keep a huge or hostile file from taking the memory or the time of the program.
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;
constexpr std::size_t kMaxImportedDays = 10000;
// The longest label a particular day keeps, in characters.
constexpr std::size_t kMaxLabelCharacters = 254;

// The events of an iCalendar text that fall in `year`: an all-day event gives each of its dates,
// a timed event the date it starts on in `localZone` (a zone name such as "Europe/Paris"; times
// without a zone are taken as they are), a recurring event each of its occurrences. The label is
// the SUMMARY cut to 254 characters. `fileName` is only for the messages.
ImportResult ImportCalendar(const std::string &text, int year, const std::string &localZone,
                            const std::string &fileName);

// The same, read from a file.
ImportResult ImportCalendarFile(const std::string &path, int year, const std::string &localZone);

} // namespace ical
