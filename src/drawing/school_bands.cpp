#include "drawing/school_bands.h"

#include "almanac/school_zones_apply.h"

#include <algorithm>
#include <bit>

namespace render {

using platform::Rect;

namespace {

// The bands stand at the start of the row, each zone a lane wide enough to read at arm's length
// (2.3 pt in the narrowest columns), apart from the column's rule, from each other and from the
// weekday initial; the texts of the row move right to make room for them.
constexpr double kRuleGap = 0.02;
constexpr double kLane = 0.036;
constexpr double kLaneGap = 0.012;
constexpr double kInitialFrom = 0.05;

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
        return 0x8C3C14; // deep blue, grey 57
    case almanac::SchoolZone::B:
        return 0x005AC0; // orange brown, grey 110
    case almanac::SchoolZone::C:
        return 0x50C078; // green, grey 158: still apart from the non-working days' fill
    }
    return 0;
}

unsigned SchoolZonesOf(const ViewState &view, const AppSettings &app)
{
    return almanac::SchoolZonesApply(app) ? almanac::AlmanacOptionsOf(view).schoolZones : 0;
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

double SchoolBandsTextShift(unsigned zonesShown)
{
    const int count = ZoneCount(zonesShown);
    if (count == 0)
        return 0.0;
    return kRuleGap + count * kLane + (count - 1) * kLaneGap + kRuleGap - kInitialFrom;
}

void DrawSchoolBands(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry,
                     unsigned zonesShown)
{
    if (ZoneCount(zonesShown) == 0)
        return;
    for (int d = 1; d <= month.length; ++d) {
        const unsigned zones = month.Day(d).marks.schoolZones & zonesShown;
        for (const almanac::SchoolZone zone : almanac::kSchoolZones) {
            if ((zones & almanac::ZoneBit(zone)) == 0)
                continue;
            const double from = kRuleGap + Lane(zonesShown, zone) * (kLane + kLaneGap);
            dc.FillRect({geometry.X(d, from), geometry.RowTop(d), geometry.X(d, from + kLane), geometry.RowBottom(d)},
                        SchoolZoneColour(zone));
        }
    }
}

namespace {

// The large cells' bands, in fractions of the row's height: a margin under the lowest, each band
// (2.2 pt in the smallest rows) and the gap above each.
constexpr double kCellMargin = 0.04;
constexpr double kCellBand = 0.036;
constexpr double kCellGap = 0.015;

} // namespace

int CellSchoolBandsHeight(unsigned zonesShown, double rowHeight)
{
    const int count = ZoneCount(zonesShown);
    return count == 0 ? 0 : Trunc(rowHeight * (kCellMargin + count * (kCellBand + kCellGap)));
}

void DrawCellSchoolBands(platform::DrawSurface &dc, const DayInfo &day, const Rect &cell, unsigned zonesShown,
                         double rowHeight)
{
    const unsigned zones = day.marks.schoolZones & zonesShown;
    // Inside the cell, clear of its rules, so that no band reads as the next week's top line.
    const int inset = (cell.right - cell.left) / 25;
    for (const almanac::SchoolZone zone : almanac::kSchoolZones) {
        if ((zones & almanac::ZoneBit(zone)) == 0)
            continue;
        const double below = kCellMargin + Lane(zonesShown, zone) * (kCellBand + kCellGap);
        dc.FillRect({cell.left + inset, cell.bottom - Trunc(rowHeight * (below + kCellBand)), cell.right - inset,
                     cell.bottom - Trunc(rowHeight * below)},
                    SchoolZoneColour(zone));
    }
}

namespace {

// What no data covers, said once: "dates inconnues après le 31/08/2026" when every zone shown
// lacks the same days, else each such zone with its own ("zone C : ...; zones A, B : ...").
QString UnknownDaysNote(const std::vector<almanac::SchoolLegendEntry> &entries)
{
    std::vector<std::pair<QString, QStringList>> groups;
    for (const almanac::SchoolLegendEntry &entry : entries) {
        if (entry.unknownDays.isEmpty())
            continue;
        const auto same = std::find_if(groups.begin(), groups.end(),
                                       [&entry](const auto &group) { return group.first == entry.unknownDays; });
        const QString letter(QLatin1Char(almanac::ZoneLetter(entry.zone)));
        if (same == groups.end())
            groups.push_back({entry.unknownDays, {letter}});
        else
            same->second << letter;
    }
    if (groups.size() == 1 && groups.front().second.size() == static_cast<qsizetype>(entries.size()))
        return groups.front().first;
    QStringList parts;
    for (const auto &[days, letters] : groups)
        parts << (letters.size() == 1 ? QStringLiteral("zone ") : QStringLiteral("zones ")) +
                     letters.join(QStringLiteral(", ")) + QStringLiteral(" : ") + days;
    return parts.join(QStringLiteral(" ; "));
}

} // namespace

void DrawSchoolLegend(platform::DrawSurface &dc, const almanac::Almanac &almanac, const Rect &area, double s)
{
    const std::vector<almanac::SchoolLegendEntry> &entries = almanac.SchoolLegend();
    if (entries.empty() || area.bottom <= area.top)
        return;
    const QString title = QStringLiteral("Vacances scolaires :");
    // The line's parts in the font selected: the title, then per zone a gap, a swatch, a space and
    // its text, then a gap and the note of the unknown days.
    struct Measures {
        int line, swatch, space, title, note;
        std::vector<int> texts;
        int Width() const
        {
            int width = title + note;
            for (const int text : texts)
                width += 4 * space + swatch + text;
            return width;
        }
    };
    const QString note = UnknownDaysNote(entries);
    const auto measure = [&] {
        Measures m{dc.LineHeight(), 0, dc.TextWidth(QStringLiteral(" ")), dc.TextWidth(title), 0, {}};
        m.swatch = std::max(3, m.line * 2 / 3);
        for (const almanac::SchoolLegendEntry &entry : entries)
            m.texts.push_back(dc.TextWidth(entry.text));
        if (!note.isEmpty())
            m.note = 3 * m.space + dc.TextWidth(note);
        return m;
    };
    // A little larger than the advertising lines, smaller when the line would not fit its band.
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
    if (!note.isEmpty())
        DrawTransparentText(dc, note, {x + 3 * m.space, area.top, area.right, area.bottom}, platform::kTextLeft);
}

} // namespace render
