#pragma once

#include "model/moon_phase.h"

#include <QDate>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace almanac {

// A phase of the moon at its time in Paris, rounded to the nearest minute; the date is that of
// the rounded time.
struct LocalPhase {
    model::MoonPhaseKind kind = model::MoonPhaseKind::NewMoon;
    QDate date;
    int hour = 0;
    int minute = 0;
};

// The phases dated in Paris from the first day of firstMonth to the last day of lastMonth of a
// year, in time order, through the system's time-zone database; nothing when that database has
// no Europe/Paris.
std::optional<std::vector<LocalPhase>> PhasesInParis(int year, int firstMonth, int lastMonth);

// "Nouvelle lune", "Premier quartier", "Pleine lune", "Dernier quartier".
QString PhaseName(model::MoonPhaseKind kind);

// The year's phases, one "AAAA-MM-JJ HH:MM<TAB>name" line each, in UTF-8; nothing when the
// time zone is missing.
std::optional<std::string> MoonPhaseListing(int year);

} // namespace almanac
