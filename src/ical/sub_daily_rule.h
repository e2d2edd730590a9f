#pragma once

#include "ical/recurrence_walk.h"

namespace ical {

// A rule repeating within a day (FREQ=HOURLY, MINUTELY or SECONDLY), walked a day at a time:
// each day of the span that has occurrences gives its first and its last one, which is all a
// calendar of days needs. libical would step through every second of the span (and, for a rule
// that never matches, of every year up to its last one) in a single call.
//
// The rule's days are those its BYMONTH, BYMONTHDAY, BYYEARDAY, BYWEEKNO and BYDAY allow, as
// libical reads them in a daily rule. Within a day, periods (hours, minutes or seconds) follow
// from DTSTART and INTERVAL on the local clock of DTSTART, the BY values of the period and
// larger units limit them, those of smaller units expand them, and BYSETPOS picks among the
// instants of a period.
void WalkSubDaily(const icalrecurrencetype &rule, const icaltimetype &start, const WalkSpan &span,
                  const Exclusions &excluded, WalkBudget &budget,
                  const std::function<void(const icaltimetype &)> &each);

} // namespace ical
