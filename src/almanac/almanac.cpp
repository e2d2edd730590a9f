#include "almanac/almanac.h"

#include "almanac/name_days.h"
#include "almanac/paris_phases.h"
#include "document/view_settings.h"
#include "model/ole_date_time.h"

namespace almanac {

namespace {

constexpr int kDaysPerMonth = 31;

} // namespace

AlmanacOptions AlmanacOptionsOf(const ViewState &view)
{
    return {view.FetesVisible != 0, view.LuneVisible != 0};
}

Almanac::Almanac(int year, int firstMonth, int lastMonth, const AlmanacOptions &options) : firstMonth_(firstMonth)
{
    if (!options.Any() || year < COleDateTime::kMinYear || year > COleDateTime::kMaxYear || firstMonth < 1 ||
        lastMonth > 12 || lastMonth < firstMonth)
        return;
    days_.resize(static_cast<std::size_t>((lastMonth - firstMonth + 1) * kDaysPerMonth));
    const auto at = [this](int month, int day) -> DayMarks & {
        return days_[static_cast<std::size_t>((month - firstMonth_) * kDaysPerMonth + day - 1)];
    };
    if (options.nameDays) {
        for (int month = firstMonth; month <= lastMonth; ++month) {
            // 29 February only in a leap year.
            for (int day = 1; day <= model::DaysInMonth(year, month); ++day)
                at(month, day).nameDay = NameDay(month, day);
        }
    }
    if (options.moonPhases) {
        // Without the time-zone database the dates could be a day off: no moons rather than
        // wrong ones.
        if (const auto phases = PhasesInParis(year, firstMonth, lastMonth)) {
            for (const LocalPhase &phase : *phases)
                at(phase.date.month(), phase.date.day()).moon = MoonMark{phase.kind, phase.hour, phase.minute};
        }
    }
}

const DayMarks &Almanac::Day(int month, int day) const
{
    static const DayMarks none;
    const int index = (month - firstMonth_) * kDaysPerMonth + day - 1;
    if (day < 1 || day > kDaysPerMonth || index < 0 || index >= static_cast<int>(days_.size()))
        return none;
    return days_[static_cast<std::size_t>(index)];
}

} // namespace almanac
