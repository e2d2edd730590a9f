#pragma once

#include "model/holiday_label.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ical {

// A year's labelled days as the calendar shows them, and when they are exported.
struct CalendarYear {
    int year = 0;
    std::vector<model::DayLabel> days;
    std::int64_t stamp = 0; // DTSTAMP: seconds since 1 January 1970, UTC
};

// An iCalendar file (RFC 5545) with one all-day event per day, lines ending in CRLF.
std::string ExportCalendar(const CalendarYear &calendar);

// The UID of a day's event: the same for the same date and kind of day (public holiday or
// particular day) at every export, so that an agenda updates its events, a renamed day included,
// instead of doubling them.
std::string EventUid(int year, int month, int day, bool particular);

// libical writes no date after this year: later years cannot be exported.
constexpr int kLastExportYear = 3000;

} // namespace ical
