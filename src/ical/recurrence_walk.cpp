#include "ical/recurrence_walk.h"

#include "ical/ical_handles.h"
#include "ical/sub_daily_rule.h"
#include "model/ole_date_time.h"

#include <algorithm>

namespace ical {

namespace {

constexpr std::int64_t kDaySeconds = 86400;

bool IsSubDaily(icalrecurrencetype_frequency frequency)
{
    return frequency == ICAL_SECONDLY_RECURRENCE || frequency == ICAL_MINUTELY_RECURRENCE ||
           frequency == ICAL_HOURLY_RECURRENCE;
}

std::int64_t ListLength(const short *list, int size)
{
    std::int64_t length = 0;
    while (length < size && list[length] != ICAL_RECURRENCE_ARRAY_MAX)
        ++length;
    return std::max<std::int64_t>(1, length);
}

// More occurrences than a rule can have from DTSTART to `until`: at most one a day for each
// combination of its BY values (a repeated value can give a day twice), and DTSTART.
std::int64_t MostOccurrences(const icalrecurrencetype &rule, const icaltimetype &start, const icaltimetype &until)
{
    constexpr std::int64_t kPlenty = std::int64_t{1} << 40;
    std::int64_t bound = std::max<std::int64_t>(0, DayOf(WallSeconds(until)) - DayOf(WallSeconds(start))) + 1;
    const std::int64_t lengths[] = {
        ListLength(rule.by_second, ICAL_BY_SECOND_SIZE),      ListLength(rule.by_minute, ICAL_BY_MINUTE_SIZE),
        ListLength(rule.by_hour, ICAL_BY_HOUR_SIZE),          ListLength(rule.by_day, ICAL_BY_DAY_SIZE),
        ListLength(rule.by_month_day, ICAL_BY_MONTHDAY_SIZE), ListLength(rule.by_year_day, ICAL_BY_YEARDAY_SIZE),
        ListLength(rule.by_week_no, ICAL_BY_WEEKNO_SIZE),     ListLength(rule.by_month, ICAL_BY_MONTH_SIZE),
        ListLength(rule.by_set_pos, ICAL_BY_SETPOS_SIZE)};
    for (const std::int64_t length : lengths)
        bound = bound > kPlenty / length ? kPlenty : bound * length;
    return bound + 1;
}

} // namespace

WalkBudget::WalkBudget(const ImportLimits &limits)
    : limits_(limits), deadline_(std::chrono::steady_clock::now() + limits.deadline)
{}

bool WalkBudget::PastDeadline()
{
    if (std::chrono::steady_clock::now() < deadline_)
        return false;
    reason_ = "son calcul prend plus de " + std::to_string(limits_.deadline.count()) + " ms";
    return true;
}

bool WalkBudget::TakeSteps(std::int64_t steps)
{
    if (Spent())
        return false;
    steps_ += steps;
    if (steps_ > limits_.ruleSteps) {
        reason_ = "ses règles de répétition demandent plus de " + std::to_string(limits_.ruleSteps) + " pas";
        return false;
    }
    // The clock is read at every step: a single step of libical may be long.
    return !PastDeadline();
}

bool WalkBudget::TakeChecks(std::int64_t checks)
{
    if (Spent())
        return false;
    checks_ += checks;
    if (checks_ > limits_.subDailyChecks) {
        reason_ =
            "ses répétitions dans la journée demandent plus de " + std::to_string(limits_.subDailyChecks) + " essais";
        return false;
    }
    return !PastDeadline();
}

std::int64_t WallSeconds(const icaltimetype &time)
{
    return model::DayNumber(time.year, time.month, time.day) * kDaySeconds +
           (time.is_date ? 0 : time.hour * 3600 + time.minute * 60 + time.second);
}

std::int64_t UtcSeconds(const icaltimetype &time)
{
    if (time.is_date || time.zone == nullptr || icaltime_is_utc(time))
        return WallSeconds(time);
    return WallSeconds(icaltime_convert_to_zone(time, icaltimezone_get_utc_timezone()));
}

std::int64_t DayOf(std::int64_t wallSeconds)
{
    return wallSeconds / kDaySeconds - (wallSeconds % kDaySeconds < 0 ? 1 : 0);
}

icaltimetype TimeAt(std::int64_t wallSeconds, const icaltimetype &like)
{
    const std::int64_t day = DayOf(wallSeconds);
    const COleDateTime date = COleDateTime::FromValue(static_cast<double>(day));
    icaltimetype time = like;
    time.year = date.GetYear();
    time.month = date.GetMonth();
    time.day = date.GetDay();
    const std::int64_t second = like.is_date ? 0 : wallSeconds - day * kDaySeconds;
    time.hour = static_cast<int>(second / 3600);
    time.minute = static_cast<int>(second / 60 % 60);
    time.second = static_cast<int>(second % 60);
    return time;
}

RuleDays::RuleDays(const icalrecurrencetype &rule, const icaltimetype &start, std::int64_t firstDay,
                   std::int64_t lastDay, Parts parts, WalkBudget &budget)
    : budget_(budget), next_(firstDay), last_(lastDay)
{
    icalrecurrencetype daily = rule;
    daily.freq = ICAL_DAILY_RECURRENCE;
    daily.interval = 1;
    daily.count = 0;
    daily.by_second[0] = daily.by_minute[0] = daily.by_hour[0] = daily.by_set_pos[0] = ICAL_RECURRENCE_ARRAY_MAX;
    if (parts == Parts::Necessary) {
        // A daily rule takes neither of these, nor positions in BYDAY; libical reads a negative
        // BYMONTHDAY of a daily rule as no day at all.
        daily.by_year_day[0] = daily.by_week_no[0] = ICAL_RECURRENCE_ARRAY_MAX;
        for (int i = 0; i < ICAL_BY_DAY_SIZE && daily.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
            daily.by_day[i] = static_cast<short>(icalrecurrencetype_day_day_of_week(daily.by_day[i]));
        for (int i = 0; i < ICAL_BY_MONTHDAY_SIZE && daily.by_month_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
            if (daily.by_month_day[i] < 0)
                daily.by_month_day[0] = ICAL_RECURRENCE_ARRAY_MAX;
        }
    }
    const auto listed = [](const short *list) { return list[0] != ICAL_RECURRENCE_ARRAY_MAX; };
    filtered_ = listed(daily.by_day) || listed(daily.by_month_day) || listed(daily.by_year_day) ||
                listed(daily.by_week_no) || listed(daily.by_month);
    if (!filtered_ || firstDay > lastDay || !budget_.TakeSteps(1))
        return;
    const icaltimetype like = icaltime_null_date();
    daily.until = TimeAt(lastDay * kDaySeconds, like);
    const icaltimetype dayOfStart = TimeAt(DayOf(WallSeconds(start)) * kDaySeconds, like);
    iterator_.reset(icalrecur_iterator_new(daily, dayOfStart));
    if (iterator_ && firstDay > DayOf(WallSeconds(dayOfStart)))
        icalrecur_iterator_set_start(iterator_.get(), TimeAt(firstDay * kDaySeconds, like));
}

std::optional<std::int64_t> RuleDays::Next()
{
    if (!filtered_)
        return next_ <= last_ ? std::optional(next_++) : std::nullopt;
    while (iterator_ && budget_.TakeSteps(1)) {
        const icaltimetype day = icalrecur_iterator_next(iterator_.get());
        if (icaltime_is_null_time(day))
            break;
        const std::int64_t number = DayOf(WallSeconds(day));
        if (number > last_)
            break;
        if (number >= next_)
            return number;
    }
    iterator_.reset();
    return std::nullopt;
}

void Exclusions::Add(const icaltimetype &time)
{
    if (icaltime_is_null_time(time))
        return;
    const std::int64_t day = DayOf(WallSeconds(time));
    if (time.is_date) {
        dates_.push_back(day);
    } else {
        instants_.push_back(UtcSeconds(time));
        datesOfTimes_.push_back(day);
    }
}

void Exclusions::Seal()
{
    for (std::vector<std::int64_t> *list : {&instants_, &dates_, &datesOfTimes_})
        std::sort(list->begin(), list->end());
}

bool Exclusions::Contains(const icaltimetype &start) const
{
    const std::int64_t day = DayOf(WallSeconds(start));
    if (std::binary_search(dates_.begin(), dates_.end(), day))
        return true;
    if (start.is_date)
        return std::binary_search(datesOfTimes_.begin(), datesOfTimes_.end(), day);
    return std::binary_search(instants_.begin(), instants_.end(), UtcSeconds(start));
}

void WalkRule(icalrecurrencetype rule, const icaltimetype &start, const WalkSpan &span, const Exclusions &excluded,
              WalkBudget &budget, const std::function<void(const icaltimetype &)> &each)
{
    if (IsSubDaily(rule.freq)) {
        WalkSubDaily(rule, start, span, excluded, budget, each);
        return;
    }
    // A COUNT that cannot end before the span does lets the walk start at the span instead of
    // DTSTART; UNTIL ends it there, since libical gives up a search only at UNTIL.
    if (rule.count > 0 && rule.count > MostOccurrences(rule, start, span.until))
        rule.count = 0;
    if (icaltime_is_null_time(rule.until) || icaltime_compare(rule.until, span.until) > 0)
        rule.until = span.until;
    const icaltimetype &from = rule.count == 0 && icaltime_compare(span.from, start) > 0 ? span.from : start;
    // libical searches for the next occurrence of a monthly or yearly rule up to its last year,
    // whatever UNTIL says (a second or so for 30 February): the days that could match come first.
    if ((rule.freq == ICAL_MONTHLY_RECURRENCE || rule.freq == ICAL_YEARLY_RECURRENCE) &&
        !RuleDays(rule, start, DayOf(WallSeconds(from)), DayOf(WallSeconds(rule.until)), RuleDays::Parts::Necessary,
                  budget)
             .Next())
        return;
    if (!budget.TakeSteps(1))
        return;
    const RecurIterator iterator(icalrecur_iterator_new(rule, start));
    if (!iterator)
        return;
    if (rule.count == 0 && icaltime_compare(span.from, start) > 0)
        icalrecur_iterator_set_start(iterator.get(), from);
    while (budget.TakeSteps(1)) {
        const icaltimetype next = icalrecur_iterator_next(iterator.get());
        if (icaltime_is_null_time(next) || icaltime_compare(next, span.until) > 0)
            break;
        if (icaltime_compare(next, span.from) >= 0 && !excluded.Contains(next))
            each(next);
    }
}

} // namespace ical
