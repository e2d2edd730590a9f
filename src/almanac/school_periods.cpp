#include "almanac/school_periods.h"

#include "model/ole_date_time.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>
#include <tuple>
#include <utility>

namespace almanac {

namespace {

// "31/08/2026", as dates are written for the user.
std::string FrenchDate(std::int64_t day)
{
    const COleDateTime date = COleDateTime::FromValue(static_cast<double>(day));
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.GetDay(), date.GetMonth(), date.GetYear());
    return text;
}

bool ByFirstDayThenZone(const SchoolPeriod &a, const SchoolPeriod &b)
{
    return std::tie(a.first, a.zone) < std::tie(b.first, b.zone);
}

// Sorted and disjoint, touching ranges made one.
std::vector<DayRange> MergeRanges(std::vector<DayRange> ranges)
{
    std::sort(ranges.begin(), ranges.end(), [](const DayRange &a, const DayRange &b) {
        return std::tie(a.first, a.last) < std::tie(b.first, b.last);
    });
    std::vector<DayRange> merged;
    for (const DayRange &range : ranges) {
        if (!merged.empty() && range.first <= merged.back().last + 1)
            merged.back().last = std::max(merged.back().last, range.last);
        else
            merged.push_back(range);
    }
    return merged;
}

} // namespace

char ZoneLetter(SchoolZone zone)
{
    return static_cast<char>('A' + static_cast<int>(zone));
}

std::optional<SchoolZone> ZoneFromLetter(char letter)
{
    switch (letter) {
    case 'A':
    case 'a':
        return SchoolZone::A;
    case 'B':
    case 'b':
        return SchoolZone::B;
    case 'C':
    case 'c':
        return SchoolZone::C;
    default:
        return std::nullopt;
    }
}

unsigned ZonesFromLetters(std::string_view letters)
{
    unsigned zones = 0;
    for (const char letter : letters) {
        if (const auto zone = ZoneFromLetter(letter))
            zones |= ZoneBit(*zone);
    }
    return zones;
}

std::string LettersOfZones(unsigned zones)
{
    std::string letters;
    for (const SchoolZone zone : kSchoolZones) {
        if ((zones & ZoneBit(zone)) != 0)
            letters += ZoneLetter(zone);
    }
    return letters;
}

int SchoolYearOf(std::int64_t firstDay)
{
    const COleDateTime date = COleDateTime::FromValue(static_cast<double>(firstDay));
    return date.GetMonth() >= 8 ? date.GetYear() : date.GetYear() - 1;
}

DayRange SchoolYearDays(int schoolYear)
{
    return {model::DayNumber(schoolYear, 9, 1), model::DayNumber(schoolYear + 1, 8, 31)};
}

std::vector<SchoolPeriod> MergePeriods(std::vector<SchoolPeriod> periods)
{
    std::sort(periods.begin(), periods.end(), [](const SchoolPeriod &a, const SchoolPeriod &b) {
        return std::tie(a.zone, a.first, a.last) < std::tie(b.zone, b.first, b.last);
    });
    std::vector<SchoolPeriod> merged;
    for (SchoolPeriod &period : periods) {
        if (!merged.empty() && merged.back().zone == period.zone && period.first <= merged.back().last + 1)
            merged.back().last = std::max(merged.back().last, period.last);
        else
            merged.push_back(std::move(period));
    }
    std::stable_sort(merged.begin(), merged.end(), ByFirstDayThenZone);
    return merged;
}

std::vector<SchoolPeriod> ReplacePublished(std::vector<SchoolPeriod> earlier, const std::vector<SchoolPeriod> &later)
{
    std::set<std::pair<SchoolZone, int>> published;
    for (const SchoolPeriod &period : later)
        published.insert({period.zone, SchoolYearOf(period.first)});
    std::erase_if(earlier, [&published](const SchoolPeriod &period) {
        return published.contains({period.zone, SchoolYearOf(period.first)});
    });
    earlier.insert(earlier.end(), later.begin(), later.end());
    return MergePeriods(std::move(earlier));
}

DayRange YearDays(int year)
{
    return {model::DayNumber(year, 1, 1), model::DayNumber(year, 12, 31)};
}

std::vector<SchoolPeriod> SchoolCalendar::PeriodsOfYear(int year) const
{
    const auto [first, last] = YearDays(year);
    std::vector<SchoolPeriod> clipped;
    for (const SchoolPeriod &period : periods) {
        if (period.last < first || period.first > last)
            continue;
        SchoolPeriod part = period;
        part.first = std::max(part.first, first);
        part.last = std::min(part.last, last);
        clipped.push_back(std::move(part));
    }
    std::stable_sort(clipped.begin(), clipped.end(), ByFirstDayThenZone);
    return clipped;
}

std::vector<DayRange> SchoolCalendar::UnknownStretches(SchoolZone zone, DayRange span) const
{
    std::vector<DayRange> unknown;
    std::int64_t next = kFarPast; // the first day after the known days looked at so far
    for (const DayRange &range : known[static_cast<std::size_t>(zone)]) {
        if (range.first > next && range.first - 1 >= span.first && next <= span.last)
            unknown.push_back({next, range.first - 1});
        next = std::max(next, range.last + 1);
    }
    if (next <= span.last)
        unknown.push_back({next, kFarFuture});
    return unknown;
}

SchoolCalendar CombineCalendars(const SchoolCalendar &record, const std::vector<SchoolPeriod> &imported)
{
    SchoolCalendar combined{ReplacePublished(record.periods, imported), record.known};
    for (const SchoolPeriod &period : imported)
        combined.known[static_cast<std::size_t>(period.zone)].push_back(SchoolYearDays(SchoolYearOf(period.first)));
    for (auto &ranges : combined.known)
        ranges = MergeRanges(std::move(ranges));
    return combined;
}

std::string UnknownDaysText(const SchoolCalendar &calendar, SchoolZone zone, DayRange span)
{
    std::string text;
    for (const DayRange &stretch : calendar.UnknownStretches(zone, span)) {
        text += text.empty() ? std::string("Zone ") + ZoneLetter(zone) + " : dates inconnues" : " et";
        if (stretch.first != kFarPast && stretch.last != kFarFuture)
            text += " du " + FrenchDate(stretch.first) + " au " + FrenchDate(stretch.last);
        else if (stretch.first != kFarPast)
            text += " après le " + FrenchDate(stretch.first - 1);
        else if (stretch.last != kFarFuture)
            text += " avant le " + FrenchDate(stretch.last + 1);
    }
    return text;
}

std::string ListSchoolHolidays(const SchoolCalendar &calendar, int year)
{
    std::string out;
    for (const SchoolPeriod &period : calendar.PeriodsOfYear(year))
        out += IsoDate(period.first) + '\t' + IsoDate(period.last) + '\t' + ZoneLetter(period.zone) + '\t' +
               period.name + '\n';
    return out;
}

std::string IsoDate(std::int64_t day)
{
    const COleDateTime date = COleDateTime::FromValue(static_cast<double>(day));
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.GetYear(), date.GetMonth(), date.GetDay());
    return text;
}

std::optional<std::int64_t> DayFromIso(const std::string &text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    for (const int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!std::isdigit(static_cast<unsigned char>(text[static_cast<std::size_t>(i)])))
            return std::nullopt;
    }
    const int year = std::stoi(text.substr(0, 4));
    const int month = std::stoi(text.substr(5, 2));
    const int day = std::stoi(text.substr(8, 2));
    if (year < COleDateTime::kMinYear || month < 1 || month > 12 || day < 1 || day > model::DaysInMonth(year, month))
        return std::nullopt;
    return model::DayNumber(year, month, day);
}

} // namespace almanac
