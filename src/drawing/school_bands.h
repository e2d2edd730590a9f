#pragma once

#include "drawing/day_column.h"

#include <utility>

namespace render {

// Zone A dark, B middle, C light: apart by their lightness as much as by their hue, so that a
// grey-scale printer keeps them apart, and darker than the fills of the non-working days.
platform::ColorRef SchoolZoneColour(almanac::SchoolZone zone);

// The zones whose holidays the view shows (VacancesZones), none where the zones do not apply.
unsigned SchoolZonesOf(const ViewState &view, const AppSettings &app);

// The first and last month of a page of the mode.
std::pair<int, int> MonthsOfPage(DisplayMode mode, int page);

// The layouts with month columns: each zone shown is a thin band down the days it covers, in the
// margin left of the weekday initials, the zones side by side in their order. Drawn after the
// non-working fills, before the rules and the texts.
void DrawSchoolBands(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry,
                     unsigned zonesShown);

// The large cells: one band per zone shown along the bottom of the cell, the first lowest. Their
// height together, which the cell's moon and wrapped label keep clear of; 0 when no zone is shown.
int CellSchoolBandsHeight(unsigned zonesShown, double rowHeight);
void DrawCellSchoolBands(platform::DrawSurface &dc, const DayInfo &day, const platform::Rect &cell, unsigned zonesShown,
                         double rowHeight);

// The page's legend on one line, centred in `area` (between the grid and the advertising
// lines): "Vacances scolaires :" then a swatch and the text of each zone shown. Nothing when no
// zone is shown.
void DrawSchoolLegend(platform::DrawSurface &dc, const almanac::Almanac &almanac, const platform::Rect &area, double s);

} // namespace render
