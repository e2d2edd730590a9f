#pragma once

#include "almanac/school_periods.h"

#include <optional>
#include <string>

class QWidget;

namespace app {

// --school-holidays: the year's periods on stdout, the unknown parts on stderr; the exit status.
int ListSchoolHolidaysCommand(int year);

// --import-school-holidays FILE [--zone Z]: reads and stores the ministry's school calendar and
// says how many periods it added; the exit status.
int ImportSchoolHolidaysCommand(const std::string &path, std::optional<almanac::SchoolZone> zone);

// "Importer le calendrier scolaire...": asks for the file, imports it and says what it added or
// why it added nothing. A file that does not name its zone is taken for the one zone shown, if
// only one is. The pages draw the new periods at their next paint.
void RunSchoolImport(QWidget *parent, unsigned zonesShown);

} // namespace app
