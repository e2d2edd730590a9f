#pragma once

#include "drawing/day_column.h"

#include <utility>

namespace render {

// Zone A dark, B middle, C light: apart by their lightness as much as by their hue, so that a
// grey-scale printer keeps them apart, and darker than the fills of the non-working days.
platform::ColorRef SchoolZoneColour(almanac::SchoolZone zone);

// The zones whose holidays the view shows (VacancesZones), none where the zones do not apply.
unsigned SchoolZonesOf(const ViewState &view, const AppSettings &app);
inline unsigned SchoolZonesOf(const LayoutInputs &inputs)
{
    return SchoolZonesOf(inputs.view, inputs.app);
}

// The first and last month of a page of the mode.
std::pair<int, int> MonthsOfPage(DisplayMode mode, int page);

// The layouts with month columns: each zone shown is a band down the days it covers, at the
// start of the row, the zones side by side in their order. Drawn after the non-working fills,
// before the rules and the texts, which SchoolBandsTextShift (a fraction of the column, 0 when no
// zone is shown) moves right of the bands.
double SchoolBandsTextShift(unsigned zonesShown);
void DrawSchoolBands(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry,
                     unsigned zonesShown);

// The large cells: one band per zone shown across the bottom of the cell, inside it, the first
// lowest. Their height together, which the cell's moon and wrapped label keep clear of; 0 when no
// zone is shown.
int CellSchoolBandsHeight(unsigned zonesShown, double rowHeight);
void DrawCellSchoolBands(platform::DrawSurface &dc, const DayInfo &day, const platform::Rect &cell, unsigned zonesShown,
                         double rowHeight);

// The page's legend on one line, centred in `area` (between the grid and the advertising
// lines): "Vacances scolaires :", a swatch and "Zone A" for each zone shown, then once what no
// data covers. Nothing when no zone is shown.
void DrawSchoolLegend(platform::DrawSurface &dc, const almanac::Almanac &almanac, const platform::Rect &area, double s);

} // namespace render
