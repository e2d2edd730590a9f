#include "almanac/almanac.h"

#include "almanac/name_days.h"
#include "almanac/paris_phases.h"
#include "almanac/school_store.h"
#include "document/view_settings.h"
#include "model/ole_date_time.h"

#include <algorithm>

namespace almanac {

namespace {

constexpr int kDaySlotsPerMonth = 31;

} // namespace

AlmanacOptions AlmanacOptionsOf(const ViewState &view)
{
    return {view.FetesVisible != 0, view.LuneVisible != 0, ZonesFromLetters(view.VacancesZones.toStdString())};
}

Almanac::Almanac(int year, int firstMonth, int lastMonth, const AlmanacOptions &options) : firstMonth_(firstMonth)
{
    if (!options.Any() || year < COleDateTime::kMinYear || year > COleDateTime::kMaxYear || firstMonth < 1 ||
        lastMonth > 12 || lastMonth < firstMonth)
        return;
    days_.resize(static_cast<std::size_t>((lastMonth - firstMonth + 1) * kDaySlotsPerMonth));
    const auto at = [this](int month, int day) -> DayMarks & {
        return days_[static_cast<std::size_t>((month - firstMonth_) * kDaySlotsPerMonth + day - 1)];
    };
    if (options.nameDays) {
        for (int month = firstMonth; month <= lastMonth; ++month) {
            // 29 February only in a leap year.
            for (int day = 1; day <= model::DaysInMonth(year, month); ++day) {
                at(month, day).nameDay = NameDay(month, day);
                at(month, day).nameDayShort = NameDayShortForm(month, day);
            }
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
    if (options.schoolZones != 0)
        MarkSchoolHolidays(year, lastMonth, options.schoolZones);
}

void Almanac::MarkSchoolHolidays(int year, int lastMonth, unsigned zones)
{
    const std::shared_ptr<const SchoolCalendar> calendar = SchoolCalendarInUse();
    const DayRange shown{model::DayNumber(year, firstMonth_, 1),
                         model::DayNumber(year, lastMonth, model::DaysInMonth(year, lastMonth))};
    for (const SchoolPeriod &period : calendar->periods) {
        if ((zones & ZoneBit(period.zone)) == 0 || period.last < shown.first || period.first > shown.last)
            continue;
        // Month by month from the first day shown of the period.
        const std::int64_t first = std::max(period.first, shown.first);
        const std::int64_t last = std::min(period.last, shown.last);
        const COleDateTime start = COleDateTime::FromValue(static_cast<double>(first));
        int month = start.GetMonth();
        int day = start.GetDay();
        for (std::int64_t n = first; n <= last; ++n) {
            days_[static_cast<std::size_t>((month - firstMonth_) * kDaySlotsPerMonth + day - 1)].schoolZones |=
                ZoneBit(period.zone);
            if (++day > model::DaysInMonth(year, month)) {
                day = 1;
                ++month;
            }
        }
    }
    for (const SchoolZone zone : kSchoolZones) {
        if ((zones & ZoneBit(zone)) == 0)
            continue;
        // "Zone A : dates inconnues ...": the zone is already named, the rest is what the
        // legend says.
        const QString unknown = QString::fromStdString(UnknownDaysText(*calendar, zone, shown));
        const qsizetype colon = unknown.indexOf(QStringLiteral(" : "));
        schoolLegend_.push_back({zone, QStringLiteral("Zone %1").arg(QLatin1Char(ZoneLetter(zone))), !unknown.isEmpty(),
                                 colon < 0 ? unknown : unknown.mid(colon + 3)});
    }
}

const DayMarks &Almanac::Day(int month, int day) const
{
    static const DayMarks none;
    const int index = (month - firstMonth_) * kDaySlotsPerMonth + day - 1;
    if (day < 1 || day > kDaySlotsPerMonth || index < 0 || index >= static_cast<int>(days_.size()))
        return none;
    return days_[static_cast<std::size_t>(index)];
}

} // namespace almanac
