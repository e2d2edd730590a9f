#pragma once

#include "almanac/school_periods.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the two school-calendar readers share: how the ministry names its holidays and zones, and
// how its time stamps become the Paris dates a calendar shows.
namespace almanac {

// A holiday of the pupils: "Vacances d'Hiver", "Pont de l'Ascension"; not a start of term, nor a
// day for teachers only.
bool NamesSchoolHoliday(const QString &text);

// The zones a text names: "Zone A", "zones B et C", "Zones A, B, C".
std::vector<SchoolZone> ZonesNamed(const QString &text);

// The holiday's name without its zone ("Vacances d'Hiver - Zone A" gives "Vacances d'Hiver"), on
// one line, cut to its first characters.
std::string HolidayName(const QString &text);

// The Paris local date of a time stamp: ISO 8601 with an offset or a Z, a local time without one
// (taken as Paris time), or a plain date.
std::optional<std::int64_t> ParisDay(const QString &stamp);
// The last Paris date before an exclusive end: the day before a plain date or a Paris midnight,
// else the date of the instant itself.
std::optional<std::int64_t> ParisDayBefore(const QString &stamp);
// The Paris date of an instant in seconds since 1970.
std::int64_t ParisDayOfInstant(std::int64_t seconds);

} // namespace almanac
