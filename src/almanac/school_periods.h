#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace almanac {

// The three zones of metropolitan France, each with its own winter and spring holidays.
enum class SchoolZone { A, B, C };
constexpr std::array<SchoolZone, 3> kSchoolZones{SchoolZone::A, SchoolZone::B, SchoolZone::C};

char ZoneLetter(SchoolZone zone);
// 'A', 'B' or 'C' in either case.
std::optional<SchoolZone> ZoneFromLetter(char letter);

// A set of zones, one bit each: bit 0 for zone A.
constexpr unsigned ZoneBit(SchoolZone zone)
{
    return 1u << static_cast<unsigned>(zone);
}
// The zones whose letters a text holds ("AC"); anything else in it is ignored.
unsigned ZonesFromLetters(std::string_view letters);
// Their letters in order: "AC".
std::string LettersOfZones(unsigned zones);

// Days are day numbers (model::DayNumber: 30 December 1899 is 0).
struct DayRange {
    std::int64_t first = 0;
    std::int64_t last = 0;
    friend bool operator==(const DayRange &, const DayRange &) = default;
};
// 1 January to 31 December.
DayRange YearDays(int year);

// One holiday of one zone: its first and last day without school.
struct SchoolPeriod {
    std::int64_t first = 0;
    std::int64_t last = 0;
    SchoolZone zone = SchoolZone::A;
    std::string name;
    friend bool operator==(const SchoolPeriod &, const SchoolPeriod &) = default;
};

// The school year a holiday belongs to, named by the year it starts in: 2026 for 2026-2027. The
// summer holiday closes the year that ends with it.
int SchoolYearOf(std::int64_t firstDay);
// 1 September to 31 August of a school year.
DayRange SchoolYearDays(int schoolYear);

// Sorted by first day, then zone; the overlapping or touching periods of one zone made one
// (named after the earliest), and exact repeats dropped.
std::vector<SchoolPeriod> MergePeriods(std::vector<SchoolPeriod> periods);

// `earlier` with every zone and school year that `later` publishes taken from `later` instead.
std::vector<SchoolPeriod> ReplacePublished(std::vector<SchoolPeriod> earlier, const std::vector<SchoolPeriod> &later);

// The school holidays that are known, and which days are known at all: outside `known` a day of
// a zone is neither a holiday nor a school day.
struct SchoolCalendar {
    std::vector<SchoolPeriod> periods;          // merged
    std::array<std::vector<DayRange>, 3> known; // per zone, sorted, disjoint

    // The periods that touch the year, clipped to it, sorted by first day then zone.
    std::vector<SchoolPeriod> PeriodsOfYear(int year) const;
    // The stretches of days that no data covers for the zone and that meet `span`, whole: from
    // the day after the last known day before them to the day before the next known one, or
    // from kFarPast / to kFarFuture when no known day bounds them.
    std::vector<DayRange> UnknownStretches(SchoolZone zone, DayRange span) const;
};
constexpr std::int64_t kFarPast = INT64_MIN / 2;
constexpr std::int64_t kFarFuture = INT64_MAX / 2;

// The bundled record with the imported publications over it: a zone and school year that an
// import carries is taken from the import alone, and becomes known.
SchoolCalendar CombineCalendars(const SchoolCalendar &record, const std::vector<SchoolPeriod> &imported);

// What is unknown of the zone in `span`, told by the known days around it: "Zone A : dates
// inconnues après le 31/08/2026"; empty when every day of the span is known.
std::string UnknownDaysText(const SchoolCalendar &calendar, SchoolZone zone, DayRange span);

// One line per period of PeriodsOfYear: "YYYY-MM-DD<TAB>YYYY-MM-DD<TAB>zone<TAB>name".
std::string ListSchoolHolidays(const SchoolCalendar &calendar, int year);

// "YYYY-MM-DD" of a day number, and back (nothing for any other text or an impossible date).
std::string IsoDate(std::int64_t day);
std::optional<std::int64_t> DayFromIso(const std::string &text);

} // namespace almanac
