#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace ical {

// What reading one iCalendar file may cost. An agenda comes from anywhere (a mail, a web page):
// none may hold the program for long, take much memory or crash libical. Every reader of
// iCalendar files (agendas, school calendars) works within these limits; tests pass smaller ones.
struct ImportLimits {
    // The file, read whole before anything else.
    std::size_t fileBytes = 16 * 1024 * 1024;
    // A physical line: libical's line reader is quadratic in its length (folded lines are cheap).
    std::size_t lineBytes = 1024 * 1024;
    // Unfolded lines: libical keeps about 300 bytes for each property it parses.
    std::size_t lines = 400000;
    // BEGIN/END depth: libical frees components recursively. Agendas need 3 (VEVENT > VALARM).
    int nesting = 16;
    // Yearly rules of time zone observances (STANDARD, DAYLIGHT): libical walks each from its
    // first year the first time the zone is used. Agendas hold a few per zone.
    int timeZoneRules = 200;
    // Steps of libical's recurrence iterators across the whole file. The walk of a rule starts
    // at the year (or at DTSTART when its COUNT matters) and stops after it.
    std::int64_t ruleSteps = 400000;
    // Instants looked at to find the days of rules repeating within a day (HOURLY, MINUTELY,
    // SECONDLY), across the whole file: those rules are walked a day at a time, not a second.
    std::int64_t subDailyChecks = 20000000;
    // How long before the year an occurrence may start and still reach into it, in days.
    int reachDays = 3660;
    // Days one import may give: more is not a list of particular days.
    std::size_t days = 10000;
    // The last guard, for what the counts above do not foresee (a rule whose single step
    // libical cannot bound).
    std::chrono::milliseconds deadline{3000};
};
// Exclusions (EXDATE, moved occurrences) are looked up in sorted lists: their number is bounded
// by the file's size only.

// The longest label a particular day keeps, in UTF-16 units as the settings store counts them.
constexpr std::size_t kMaxLabelUnits = 254;

// libical walks recurrence rules up to the end of this year: an import for a later year would
// lose every repeated event.
constexpr int kLastImportYear = 2582;

} // namespace ical
