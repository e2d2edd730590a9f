#include "ical/sub_daily_rule.h"

#include "ical/ical_handles.h"
#include "model/ole_date_time.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace ical {

namespace {

constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kForever = std::numeric_limits<std::int64_t>::max() / 4;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

std::int64_t Mod(std::int64_t a, std::int64_t b)
{
    return a - FloorDiv(a, b) * b;
}

// The values of a BY list within [0, count); every value when the rule has no such list.
std::vector<int> Values(const short *list, int size, int count)
{
    std::vector<int> values;
    bool listed = false;
    for (int i = 0; i < size && list[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
        listed = true;
        if (list[i] >= 0 && list[i] < count)
            values.push_back(list[i]);
    }
    if (!listed) {
        for (int v = 0; v < count; ++v)
            values.push_back(v);
    }
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

bool HasList(const short *list)
{
    return list[0] != ICAL_RECURRENCE_ARRAY_MAX;
}

// The periods and instants of a sub-daily rule, on the local clock of its DTSTART.
class Periods
{
public:
    Periods(const icalrecurrencetype &rule, const icaltimetype &start)
    {
        unit_ = rule.freq == ICAL_HOURLY_RECURRENCE ? 3600 : rule.freq == ICAL_MINUTELY_RECURRENCE ? 60 : 1;
        interval_ = std::max<std::int64_t>(1, rule.interval);
        start_ = WallSeconds(start);
        base_ = start_ - Mod(start_, unit_);
        // Units down to the period limit it; smaller ones expand it, or keep DTSTART's value.
        hours_ = Values(rule.by_hour, ICAL_BY_HOUR_SIZE, 24);
        minutes_ = unit_ <= 60 ? Values(rule.by_minute, ICAL_BY_MINUTE_SIZE, 60) : std::vector<int>{0};
        seconds_ = unit_ == 1 ? Values(rule.by_second, ICAL_BY_SECOND_SIZE, 60) : std::vector<int>{0};
        const std::vector<int> expandedMinutes = unit_ == 3600 && HasList(rule.by_minute)
                                                     ? Values(rule.by_minute, ICAL_BY_MINUTE_SIZE, 60)
                                                     : std::vector<int>{unit_ == 3600 ? start.minute : 0};
        const std::vector<int> expandedSeconds = unit_ >= 60 && HasList(rule.by_second)
                                                     ? Values(rule.by_second, ICAL_BY_SECOND_SIZE, 60)
                                                     : std::vector<int>{unit_ >= 60 ? start.second : 0};
        std::vector<std::int64_t> offsets;
        for (const int minute : expandedMinutes) {
            for (const int second : expandedSeconds)
                offsets.push_back(minute * 60 + second);
        }
        std::sort(offsets.begin(), offsets.end());
        offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
        offsets_ = HasList(rule.by_set_pos) ? Positions(rule, offsets) : offsets;
        allowedPeriods_ = static_cast<std::int64_t>(hours_.size() * minutes_.size() * seconds_.size());
        hourAllowed_.assign(24, false);
        minuteAllowed_.assign(60, false);
        secondAllowed_.assign(60, false);
        for (const int h : hours_)
            hourAllowed_[h] = true;
        for (const int m : minutes_)
            minuteAllowed_[m] = true;
        for (const int s : seconds_)
            secondAllowed_[s] = true;
        unlimited_ = allowedPeriods_ == kDay / unit_;
    }

    const std::vector<std::int64_t> &Offsets() const { return offsets_; }
    bool Unlimited() const { return unlimited_; }
    std::int64_t Start() const { return start_; }

    // The number of the rule's periods that start on a day, limits aside.
    std::int64_t PeriodsOn(std::int64_t day) const
    {
        const std::int64_t first = FirstPeriod(day);
        return first < kDay / unit_ ? (kDay / unit_ - 1 - first) / interval_ + 1 : 0;
    }

    // The rule's instants of a day within [from, to], in order (or in reverse), until `visit`
    // returns false. Returns the number of periods and instants looked at.
    template <typename Visit>
    std::int64_t Instants(std::int64_t day, std::int64_t from, std::int64_t to, bool forward, Visit &&visit) const
    {
        std::int64_t looked = 1;
        bool going = true;
        const auto period = [&](std::int64_t j) {
            const std::int64_t clock = day * kDay + j * unit_;
            const std::size_t n = offsets_.size();
            for (std::size_t k = 0; k < n && going; ++k) {
                const std::int64_t instant = clock + offsets_[forward ? k : n - 1 - k];
                ++looked;
                if (instant >= from && instant <= to && instant >= start_)
                    going = visit(instant);
            }
        };
        const std::int64_t count = PeriodsOn(day);
        if (count == 0)
            return looked;
        const std::int64_t first = FirstPeriod(day);
        const std::int64_t last = first + (count - 1) * interval_;
        const std::int64_t off = (day * kDay - base_) / unit_;
        if (count <= allowedPeriods_) {
            // Few periods of the rule in a day: look at each and check the limits.
            for (std::int64_t i = 0; going && i < count; ++i, ++looked) {
                const std::int64_t j = forward ? first + i * interval_ : last - i * interval_;
                const std::int64_t second = j * unit_;
                if (hourAllowed_[second / 3600] && minuteAllowed_[second / 60 % 60] && secondAllowed_[second % 60])
                    period(j);
            }
        } else {
            // Few periods allowed by the limits: look at each and check that the rule has it.
            const std::size_t ms = minutes_.size() * seconds_.size();
            for (std::int64_t i = 0; going && i < allowedPeriods_; ++i, ++looked) {
                const std::int64_t c = forward ? i : allowedPeriods_ - 1 - i;
                const std::int64_t second = hours_[c / ms] * 3600 +
                                            minutes_[c / seconds_.size() % minutes_.size()] * 60 +
                                            seconds_[c % seconds_.size()];
                const std::int64_t j = second / unit_;
                if (off + j >= 0 && Mod(off + j, interval_) == 0)
                    period(j);
            }
        }
        return looked;
    }

    // The instant at which the COUNT-th occurrence falls, when the rule has no limit within a
    // day: occurrences then follow each other period after period.
    std::int64_t CountEnd(std::int64_t count) const
    {
        const std::int64_t before =
            std::count_if(offsets_.begin(), offsets_.end(), [this](std::int64_t o) { return base_ + o < start_; });
        const std::int64_t index = count - 1 + before;
        const std::int64_t n = static_cast<std::int64_t>(offsets_.size());
        return base_ + index / n * interval_ * unit_ + offsets_[static_cast<std::size_t>(index % n)];
    }

    // More occurrences than the rule can have up to `to`.
    std::int64_t MostUntil(std::int64_t to) const
    {
        if (to < base_)
            return 0;
        const std::int64_t periods = (to - base_) / (interval_ * unit_) + 1;
        const std::int64_t n = static_cast<std::int64_t>(offsets_.size());
        return periods > kForever / std::max<std::int64_t>(1, n) ? kForever : periods * n;
    }

private:
    // The first period of the rule that starts on a day, counted from the day's midnight.
    std::int64_t FirstPeriod(std::int64_t day) const
    {
        const std::int64_t off = (day * kDay - base_) / unit_;
        return off >= 0 ? Mod(-off, interval_) : -off;
    }

    static std::vector<std::int64_t> Positions(const icalrecurrencetype &rule, const std::vector<std::int64_t> &all)
    {
        const auto n = static_cast<int>(all.size());
        std::vector<std::int64_t> picked;
        for (int i = 0; i < ICAL_BY_SETPOS_SIZE && rule.by_set_pos[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
            const int position = rule.by_set_pos[i];
            if (position > 0 && position <= n)
                picked.push_back(all[static_cast<std::size_t>(position - 1)]);
            else if (position < 0 && -position <= n)
                picked.push_back(all[static_cast<std::size_t>(n + position)]);
        }
        std::sort(picked.begin(), picked.end());
        picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
        return picked;
    }

    std::int64_t unit_ = 1;
    std::int64_t interval_ = 1;
    std::int64_t start_ = 0;
    std::int64_t base_ = 0;
    std::vector<int> hours_, minutes_, seconds_;
    std::vector<bool> hourAllowed_, minuteAllowed_, secondAllowed_;
    std::int64_t allowedPeriods_ = 0;
    bool unlimited_ = false;
    std::vector<std::int64_t> offsets_;
};

std::int64_t UntilOf(const icalrecurrencetype &rule, const icaltimetype &start)
{
    if (icaltime_is_null_time(rule.until))
        return kForever;
    if (rule.until.is_date)
        return WallSeconds(rule.until) + kDay - 1;
    if (start.zone != nullptr && rule.until.zone != nullptr && rule.until.zone != start.zone)
        return WallSeconds(icaltime_convert_to_zone(rule.until, const_cast<icaltimezone *>(start.zone)));
    return WallSeconds(rule.until);
}

} // namespace

void WalkSubDaily(const icalrecurrencetype &rule, const icaltimetype &start, const WalkSpan &span,
                  const Exclusions &excluded, WalkBudget &budget, const std::function<void(const icaltimetype &)> &each)
{
    const Periods periods(rule, start);
    if (periods.Offsets().empty())
        return;
    const bool dayParts = HasList(rule.by_day) || HasList(rule.by_month_day) || HasList(rule.by_year_day) ||
                          HasList(rule.by_week_no) || HasList(rule.by_month);
    const std::int64_t spanEnd = WallSeconds(span.until) + (span.until.is_date ? kDay - 1 : 0);
    std::int64_t until = std::min(UntilOf(rule, start), spanEnd);
    const std::int64_t startDay = DayOf(periods.Start());

    // A COUNT that ends before the span does becomes an end instant.
    if (rule.count > 0 && rule.count <= periods.MostUntil(until)) {
        if (periods.Unlimited() && !dayParts) {
            until = std::min(until, periods.CountEnd(rule.count));
        } else {
            std::int64_t left = rule.count;
            RuleDays days(rule, start, startDay, DayOf(until), RuleDays::Parts::All, budget);
            for (auto day = days.Next(); day && left > 0; day = days.Next()) {
                const bool wholeDay = *day * kDay >= periods.Start() && *day * kDay + kDay - 1 <= until;
                const std::int64_t onDay =
                    static_cast<std::int64_t>(periods.Offsets().size()) * periods.PeriodsOn(*day);
                if (periods.Unlimited() && wholeDay && onDay < left) {
                    left -= onDay;
                    if (!budget.TakeChecks(1))
                        return;
                    continue;
                }
                std::int64_t end = until;
                const std::int64_t looked =
                    periods.Instants(*day, periods.Start(), until, true, [&left, &end](std::int64_t instant) {
                        end = instant;
                        return --left > 0;
                    });
                if (!budget.TakeChecks(looked))
                    return;
                if (left == 0)
                    until = end;
            }
        }
    }

    const icaltimetype like = start;
    const auto free = [&](std::int64_t instant) {
        return excluded.Empty() || !excluded.Contains(TimeAt(instant, like));
    };
    RuleDays days(rule, start, std::max(startDay, DayOf(WallSeconds(span.from))), DayOf(until), RuleDays::Parts::All,
                  budget);
    for (auto day = days.Next(); day; day = days.Next()) {
        std::optional<std::int64_t> first;
        std::optional<std::int64_t> last;
        std::int64_t looked = periods.Instants(*day, periods.Start(), until, true, [&](std::int64_t instant) {
            if (free(instant))
                first = instant;
            return !first;
        });
        if (first) {
            looked += periods.Instants(*day, *first, until, false, [&](std::int64_t instant) {
                if (free(instant))
                    last = instant;
                return !last;
            });
        }
        if (!budget.TakeChecks(looked))
            return;
        if (first)
            each(TimeAt(*first, like));
        if (last && *last != *first)
            each(TimeAt(*last, like));
    }
}

} // namespace ical
