#pragma once

#include "almanac/school_periods.h"
#include "model/moon_phase.h"

#include <QString>

#include <optional>
#include <vector>

struct ViewState;

namespace almanac {

// Which marks the pages show beyond the labels.
struct AlmanacOptions {
    bool nameDays = false;
    bool moonPhases = false;
    unsigned schoolZones = 0; // ZoneBit of each zone whose school holidays are shown

    bool Any() const { return nameDays || moonPhases || schoolZones != 0; }
};

// FetesVisible, LuneVisible and VacancesZones.
AlmanacOptions AlmanacOptionsOf(const ViewState &view);

// A phase as its day shows it: which one, at what time in Paris.
struct MoonMark {
    model::MoonPhaseKind kind = model::MoonPhaseKind::NewMoon;
    int hour = 0;
    int minute = 0;
};

// What a day carries beyond its label; everything empty when the options are off.
struct DayMarks {
    QString nameDay;              // the name to wish
    QString nameDayShort;         // its short form, for a long name
    std::optional<MoonMark> moon; // the phase that falls on the day
    unsigned schoolZones = 0;     // ZoneBit of each zone shown that is on holiday that day

    bool IsEmpty() const { return nameDay.isEmpty() && !moon && schoolZones == 0; }
};

// One zone of the legend of the school holidays: "Zone A", and what of the months shown no data
// covers ("dates inconnues après le 31/08/2026"), empty when the data covers them all.
struct SchoolLegendEntry {
    SchoolZone zone = SchoolZone::A;
    QString text;
    bool unknown = false;
    QString unknownDays;
};

// The marks of some consecutive months of a year, looked up once, so that a page then costs a
// lookup per day.
class Almanac
{
public:
    // Shows nothing.
    Almanac() = default;
    Almanac(int year, int firstMonth, int lastMonth, const AlmanacOptions &options);

    // Empty marks for a day outside those months.
    const DayMarks &Day(int month, int day) const;

    // The zones shown, in order, with what is unknown of them in those months; empty when no
    // zone is shown.
    const std::vector<SchoolLegendEntry> &SchoolLegend() const { return schoolLegend_; }

private:
    void MarkSchoolHolidays(int year, int lastMonth, unsigned zones);

    int firstMonth_ = 1;
    std::vector<DayMarks> days_; // 31 per month from firstMonth_
    std::vector<SchoolLegendEntry> schoolLegend_;
};

} // namespace almanac
