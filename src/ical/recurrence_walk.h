#pragma once

#include "ical/ical_handles.h"
#include "ical/import_limits.h"

#include <libical/ical.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ical {

// What the walks through the recurrence rules of one file have spent. Every rule of the file
// draws on the same budget; once it is spent, every walk stops.
class WalkBudget
{
public:
    explicit WalkBudget(const ImportLimits &limits);

    // Takes steps of libical's iterators, or instants looked at for a rule repeating within a
    // day; false once the budget is spent or the deadline has passed.
    bool TakeSteps(std::int64_t steps);
    bool TakeChecks(std::int64_t checks);
    bool Spent() const { return !reason_.empty(); }
    // Why the walks stopped, a French clause; empty while they have not.
    const std::string &Reason() const { return reason_; }

private:
    bool PastDeadline();

    const ImportLimits &limits_;
    std::chrono::steady_clock::time_point deadline_;
    std::int64_t steps_ = 0;
    std::int64_t checks_ = 0;
    std::string reason_;
};

// Seconds of a date and time as its fields read, from 30 December 1899 at midnight, whatever its
// zone: recurrence rules step through the local clock of their DTSTART.
std::int64_t WallSeconds(const icaltimetype &time);
// The same instant in UTC, so that times of different zones compare.
std::int64_t UtcSeconds(const icaltimetype &time);
// The day number of wall seconds, and the time they stand for, of the kind and zone of `like`.
std::int64_t DayOf(std::int64_t wallSeconds);
icaltimetype TimeAt(std::int64_t wallSeconds, const icaltimetype &like);

// The days that the day parts of a rule (BYMONTH, BYMONTHDAY, BYYEARDAY, BYWEEKNO, BYDAY) allow,
// one after the other from a first day to a last one, walked by libical as a daily rule: that
// search stops at UNTIL, where a monthly or yearly one goes on to libical's last year. Every
// step is taken from the budget.
class RuleDays
{
public:
    enum class Parts {
        All,      // every day part, as a rule repeating within a day reads them
        Necessary // those a daily rule can take, BYDAY without positions: days that could match
    };
    RuleDays(const icalrecurrencetype &rule, const icaltimetype &start, std::int64_t firstDay, std::int64_t lastDay,
             Parts parts, WalkBudget &budget);
    std::optional<std::int64_t> Next();

private:
    WalkBudget &budget_;
    bool filtered_ = false;
    std::int64_t next_;
    std::int64_t last_;
    RecurIterator iterator_;
};

// The occurrences an event leaves out: its EXDATEs and the occurrences moved by events of their
// own (RECURRENCE-ID). A date leaves out every occurrence on that date.
class Exclusions
{
public:
    void Add(const icaltimetype &time);
    // Sorts what was added; call once before Contains.
    void Seal();
    bool Contains(const icaltimetype &start) const;
    bool Empty() const { return instants_.empty() && dates_.empty(); }

private:
    std::vector<std::int64_t> instants_;     // UTC seconds of the excluded date-times
    std::vector<std::int64_t> dates_;        // day numbers of the excluded dates
    std::vector<std::int64_t> datesOfTimes_; // day numbers of the excluded date-times, for all-day starts
};

// Occurrences of interest start in [from, until]; both are of DTSTART's kind and zone.
struct WalkSpan {
    icaltimetype from;
    icaltimetype until;
};

// Calls `each` with the start of every occurrence of `rule` (from DTSTART `start`) in the span
// that is not excluded, within the budget. A rule repeating within a day gives, for each day,
// its first and its last occurrence there.
void WalkRule(icalrecurrencetype rule, const icaltimetype &start, const WalkSpan &span, const Exclusions &excluded,
              WalkBudget &budget, const std::function<void(const icaltimetype &)> &each);

} // namespace ical
