#include "model/country_holidays.h"

#include "model/country_rules.h"
#include "model/easter.h"
#include "model/ole_date_time.h"

#include <optional>

namespace model {

namespace {

using namespace rules;

// Sunday = 0; day 0 (30 December 1899) was a Saturday.
int WeekdayOf(std::int64_t dayNumber)
{
    return static_cast<int>(((dayNumber + 6) % 7 + 7) % 7);
}

// The day a rule gives in a year, as a day number; nothing when it needs an Easter the year has not.
std::optional<std::int64_t> DateOf(const Rule &rule, int year, std::optional<std::int64_t> easter)
{
    switch (rule.anchor) {
    case Anchor::Fixed:
        return DayNumber(year, rule.month, rule.day);
    case Anchor::Easter:
        return easter ? std::optional(*easter + rule.day) : std::nullopt;
    case Anchor::NthWeekday: {
        const std::int64_t first = DayNumber(year, rule.month, 1);
        std::int64_t date = first + (rule.weekday - WeekdayOf(first) + 7) % 7 + 7 * (rule.day - 1) + rule.shift;
        if (rule.outOfHolyWeek && easter && date == *easter - 3)
            date += 7;
        return date;
    }
    case Anchor::WeekdayBefore: {
        const std::int64_t dayBefore = DayNumber(year, rule.month, rule.day) - 1;
        return dayBefore - (WeekdayOf(dayBefore) - rule.weekday + 7) % 7;
    }
    }
    return std::nullopt;
}

// The rule's name for that day, if it names it.
std::optional<std::string> LabelOn(const Rule &rule, std::int64_t target, std::optional<std::int64_t> date)
{
    if (!date)
        return std::nullopt;
    switch (rule.sunday) {
    case OnSunday::Kept:
        break;
    case OnSunday::AlsoNextMonday:
        if (target == *date + 1 && WeekdayOf(*date) == kSunday)
            return std::string(rule.label) + " (report)";
        break;
    case OnSunday::OnlyAfterSunday:
        if (WeekdayOf(*date - 1) != kSunday)
            return std::nullopt;
        break;
    }
    return target == *date ? std::optional<std::string>(rule.label) : std::nullopt;
}

} // namespace

std::string CountryHolidayLabel(const Place &place, int year, int month, int day)
{
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return {};
    const bool anySubdivision = place.subdivision >= 0 && place.subdivision < 31;
    const std::uint32_t here = anySubdivision ? 1u << place.subdivision : kNoSubdivision;
    std::optional<std::int64_t> easter;
    if (const COleDateTime sunday = EasterSunday(year); sunday.GetStatus() == COleDateTime::valid)
        easter = DayNumber(year, sunday.GetMonth(), sunday.GetDay());
    const std::int64_t target = DayNumber(year, month, day);

    std::string label;
    for (const Rule &rule : RulesOf(place.country)) {
        if ((rule.where & here) == 0 || year < rule.fromYear || year > rule.untilYear)
            continue;
        if (const auto name = LabelOn(rule, target, DateOf(rule, year, easter)))
            label += (label.empty() ? "" : " / ") + *name;
    }
    return label;
}

} // namespace model
