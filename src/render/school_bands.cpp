#include "render/school_bands.h"

#include <algorithm>
#include <bit>

namespace render {

using platform::Rect;

namespace {

// The margin left of the weekday initials (0.05 of the column) holds the bands, clear of the
// column's rule.
constexpr double kBandsFrom = 0.01;
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
    case DisplayMode::PhotoMonths:
        // The cover shows no month: January's school year stands for it.
        return {std::max(1, page - 1), std::max(1, page - 1)};
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
            // A quarter of each lane stays white, so that side by side bands stay two; a band is
            // two pixels wide at least, as long as the margin holds them.
            const double from = kBandsFrom + Lane(zonesShown, zone) * width;
            const int left = geometry.X(d, from);
            const int right = std::min(std::max(geometry.X(d, from + width * 0.75), left + 2), geometry.X(d, kBandsTo));
            dc.FillRect({left, geometry.RowTop(d), std::max(right, left + 1), geometry.RowBottom(d)},
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
    const QString title = QStringLiteral("Vacances scolaires :");
    // The line's parts in the font selected: the title, then per zone a gap, a swatch, a space and
    // its text.
    struct Measures {
        int line, swatch, space, title;
        std::vector<int> texts;
        int Width() const
        {
            int width = title;
            for (const int text : texts)
                width += 4 * space + swatch + text;
            return width;
        }
    };
    const auto measure = [&] {
        Measures m{dc.LineHeight(), 0, dc.TextWidth(QStringLiteral(" ")), dc.TextWidth(title), {}};
        m.swatch = std::max(3, m.line * 2 / 3);
        for (const almanac::SchoolLegendEntry &entry : entries)
            m.texts.push_back(dc.TextWidth(entry.text));
        return m;
    };
    // A little larger than the advertising lines, smaller when the line would not fit its band,
    // as when three zones say what is unknown of them.
    int tenths = FontTenths(80, s);
    FontScope font(dc, dc.CreatePointFont(tenths, kSerifFace));
    Measures m = measure();
    while (tenths > FontTenths(50, s) && (m.line > area.bottom - area.top || m.Width() > area.right - area.left)) {
        tenths -= 5;
        dc.SelectFont(dc.CreatePointFont(tenths, kSerifFace));
        m = measure();
    }

    int x = area.left + std::max(0, (area.right - area.left - m.Width()) / 2);
    const int middle = (area.top + area.bottom) / 2;
    DrawTransparentText(dc, title, {x, area.top, area.right, area.bottom}, platform::kTextLeft);
    x += m.title;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        x += 3 * m.space;
        dc.FillRect({x, middle - m.swatch / 2, x + m.swatch, middle - m.swatch / 2 + m.swatch},
                    SchoolZoneColour(entries[i].zone));
        x += m.swatch + m.space;
        DrawTransparentText(dc, entries[i].text, {x, area.top, area.right, area.bottom}, platform::kTextLeft);
        x += m.texts[i];
    }
}

} // namespace render
