#include "render/school_bands.h"

#include <algorithm>
#include <bit>

namespace render {

using platform::Rect;

namespace {

// The margin left of the weekday initials (0.05 of the column) holds the bands.
constexpr double kBandsFrom = 0.005;
constexpr double kBandsTo = 0.045;
constexpr double kWidestBand = 0.02;

int ZoneCount(unsigned zones)
{
    return std::popcount(zones & 7u);
}

// The place of a zone among those shown: 0 for the first.
int Lane(unsigned zonesShown, almanac::SchoolZone zone)
{
    return std::popcount(zonesShown & (almanac::ZoneBit(zone) - 1));
}

} // namespace

platform::ColorRef SchoolZoneColour(almanac::SchoolZone zone)
{
    switch (zone) {
    case almanac::SchoolZone::A:
        return 0xA04600; // deep blue, grey 59
    case almanac::SchoolZone::B:
        return 0x005AC8; // orange brown, grey 113
    case almanac::SchoolZone::C:
        return 0x50BE5A; // green, grey 147
    }
    return 0;
}

unsigned SchoolZonesOf(const ViewState &view)
{
    return almanac::AlmanacOptionsOf(view).schoolZones;
}

std::pair<int, int> MonthsOfPage(DisplayMode mode, int page)
{
    switch (mode) {
    case DisplayMode::Vertical:
        return {1, 12};
    case DisplayMode::HorizontalLargeCells:
        return {page, page};
    default:
        return {6 * (page - 1) + 1, 6 * (page - 1) + 6};
    }
}

void DrawSchoolBands(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry,
                     unsigned zonesShown)
{
    const int count = ZoneCount(zonesShown);
    if (count == 0)
        return;
    const double width = std::min(kWidestBand, (kBandsTo - kBandsFrom) / count);
    for (int d = 1; d <= month.length; ++d) {
        const unsigned zones = month.Day(d).marks.schoolZones & zonesShown;
        for (const almanac::SchoolZone zone : almanac::kSchoolZones) {
            if ((zones & almanac::ZoneBit(zone)) == 0)
                continue;
            // A quarter of each lane stays white, so that side by side bands stay two.
            const double from = kBandsFrom + Lane(zonesShown, zone) * width;
            dc.FillRect({geometry.X(d, from), geometry.RowTop(d),
                         std::max(geometry.X(d, from + width * 0.75), geometry.X(d, from) + 1), geometry.RowBottom(d)},
                        SchoolZoneColour(zone));
        }
    }
}

int CellSchoolBandsHeight(unsigned zonesShown, double rowHeight)
{
    return ZoneCount(zonesShown) * std::max(2, Trunc(rowHeight * 0.04));
}

void DrawCellSchoolBands(platform::DrawSurface &dc, const DayInfo &day, const Rect &cell, unsigned zonesShown,
                         double rowHeight)
{
    const int height = std::max(2, Trunc(rowHeight * 0.04));
    const unsigned zones = day.marks.schoolZones & zonesShown;
    for (const almanac::SchoolZone zone : almanac::kSchoolZones) {
        if ((zones & almanac::ZoneBit(zone)) == 0)
            continue;
        const int bottom = cell.bottom - Lane(zonesShown, zone) * height;
        // Its top row of pixels stays white, for the same reason.
        dc.FillRect({cell.left, bottom - height + 1, cell.right, bottom}, SchoolZoneColour(zone));
    }
}

void DrawSchoolLegend(platform::DrawSurface &dc, const almanac::Almanac &almanac, const Rect &area, double s)
{
    const std::vector<almanac::SchoolLegendEntry> &entries = almanac.SchoolLegend();
    if (entries.empty() || area.bottom <= area.top)
        return;
    // As large as the advertising lines' type and a little more, as long as the line fits its
    // band.
    int tenths = FontTenths(80, s);
    platform::Font font = dc.CreatePointFont(tenths, kSerifFace);
    FontScope selected(dc, font);
    while (tenths > 20 && dc.LineHeight() > area.bottom - area.top) {
        tenths -= 5;
        font = dc.CreatePointFont(tenths, kSerifFace);
        dc.SelectFont(font);
    }
    const QString title = QStringLiteral("Vacances scolaires :");
    const int line = dc.LineHeight();
    const int swatch = std::max(3, line * 2 / 3);
    const int space = dc.TextWidth(QStringLiteral(" "));
    int width = dc.TextWidth(title);
    for (const almanac::SchoolLegendEntry &entry : entries)
        width += 3 * space + swatch + space + dc.TextWidth(entry.text);

    int x = area.left + std::max(0, (area.right - area.left - width) / 2);
    const int middle = (area.top + area.bottom) / 2;
    DrawTransparentText(dc, title, {x, area.top, area.right, area.bottom}, platform::kTextLeft);
    x += dc.TextWidth(title);
    for (const almanac::SchoolLegendEntry &entry : entries) {
        x += 3 * space;
        dc.FillRect({x, middle - swatch / 2, x + swatch, middle - swatch / 2 + swatch}, SchoolZoneColour(entry.zone));
        x += swatch + space;
        DrawTransparentText(dc, entry.text, {x, area.top, area.right, area.bottom}, platform::kTextLeft);
        x += dc.TextWidth(entry.text);
    }
}

} // namespace render
