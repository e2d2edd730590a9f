#pragma once

#include <QString>

namespace almanac {

// The name to wish on a day ("fête à souhaiter") from the bundled table, 29 February included;
// empty for a month and day that name no date.
QString NameDay(int month, int day);

// The table's short form of a long name ("Jean-Bapt."), for a row too narrow for the whole
// name; empty when the name has none.
QString NameDayShortForm(int month, int day);

} // namespace almanac
