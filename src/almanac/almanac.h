#pragma once

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

    bool Any() const { return nameDays || moonPhases; }
};

// FetesVisible and LuneVisible.
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
    std::optional<MoonMark> moon; // the phase that falls on the day

    bool IsEmpty() const { return nameDay.isEmpty() && !moon; }
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

private:
    int firstMonth_ = 1;
    std::vector<DayMarks> days_; // 31 per month from firstMonth_
};

} // namespace almanac
