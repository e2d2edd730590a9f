#pragma once

#include "ical/ical_handles.h"
#include "ical/import_limits.h"

#include <string>
#include <vector>

namespace ical {

// The bytes of an iCalendar file, or why there are none: a FIFO, a device or a folder is refused
// before anything waits on it, a file over the limit before it is read.
struct CalendarBytes {
    std::string bytes;
    std::string error; // e.g. "Le fichier « a.ics » n'existe pas"; empty when read
};
CalendarBytes ReadCalendarFile(const std::string &path, const ImportLimits &limits);

// An iCalendar text as libical parses it, once it is known to stay within the limits.
struct ParsedCalendar {
    Component root;                         // owns every component below
    std::vector<icalcomponent *> calendars; // the VCALENDARs; empty when refused
    bool windows1252 = false;               // the bytes were not UTF-8 and were read as Windows-1252
    std::string error;                      // why nothing was parsed, one French clause without a period
};

// Reads the bytes as UTF-8, or as Windows-1252 when they are not (older French Outlook exports),
// checks their lines and BEGIN/END nesting in one pass, then lets libical parse them. NUL bytes,
// which would end libical's text early, read as spaces. `fileName` is only for the messages.
ParsedCalendar ParseCalendarSafely(std::string bytes, const ImportLimits &limits, const std::string &fileName);

// Whether a date or date-time names a moment that exists: libical takes 30 February, month 13,
// day 00 or hour 25 as written, and its arithmetic would carry them into another day.
bool ExistingTime(const icaltimetype &time);

// The value of a date-time property of `component` (DTSTART, RECURRENCE-ID, EXDATE...) with its
// TZID resolved the way libical resolves DTSTART's: from the file's VTIMEZONEs or its own zones.
icaltimetype TimeOfProperty(icalproperty *property, icalcomponent *component);

} // namespace ical
