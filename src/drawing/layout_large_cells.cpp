#include "drawing/day_marks.h"
#include "drawing/drawing_conventions.h"
#include "drawing/school_bands.h"
#include "drawing/text_wrap.h"
#include "model/ole_date_time.h"
#include "platform/code_page.h"

#include <algorithm>
#include <array>
#include <optional>

using namespace render;
using platform::Rect;

namespace {

constexpr unsigned kLabelFlags = platform::DT_CENTER | kUserTextFlags;

// A label too long to follow its day on one line goes on the lines below the day, word-wrapped
// inside the cell: in the cell font when it all fits there, else in the smaller font of the
// week numbers, ending with "..." only when even that runs out of room.
void DrawLabelBelowDay(platform::DrawSurface &dc, const LabelText &label, const Rect &area,
                       const std::array<platform::Font, 2> &fonts)
{
    for (const platform::Font &font : fonts) {
        FontScope selected(dc, font);
        const int lineHeight = std::max(1, dc.LineHeight());
        const WrappedText wrapped = WrapWords(label.text, area.right - area.left, (area.bottom - area.top) / lineHeight,
                                              [&dc](const QString &text) { return dc.TextWidth(text); });
        if (!wrapped.complete && &font != &fonts.back())
            continue;
        int top = area.top;
        for (const QString &line : wrapped.lines) {
            DrawLabelText(dc, {line, label.nameDay}, {area.left, top, area.right, top + lineHeight}, kLabelFlags);
            top += lineHeight;
        }
        return;
    }
}

// A name day too long to follow its day goes on the lines below the day in the cell font, so that
// the cells keep one type size: the whole name broken between words, else its short form on one
// line, else the name broken after a hyphen too, else the name cut before "…" on one line. The
// lines take the cell's width above the moon, or the part left of the moon down to the bands.
void DrawNameBelowDay(platform::DrawSurface &dc, const almanac::DayMarks &marks, const Rect &aboveMoon,
                      const Rect &besideMoon)
{
    const int lineHeight = std::max(1, dc.LineHeight());
    const auto widthOf = [&dc](const QString &text) { return dc.TextWidth(text); };
    const auto lines = [&](const Rect &area) { return (area.bottom - area.top) / lineHeight; };
    const std::array<Rect, 2> areas{aboveMoon, besideMoon};
    std::optional<std::pair<QStringList, Rect>> chosen;
    const auto tryName = [&](const QString &name, bool afterHyphens, int maxLines) {
        for (const Rect &area : areas) {
            if (chosen || name.isEmpty())
                return;
            if (WrappedText wrapped =
                    WrapName(name, area.right - area.left, std::min(maxLines, lines(area)), afterHyphens, widthOf);
                wrapped.complete)
                chosen.emplace(wrapped.lines, area);
        }
    };
    tryName(marks.nameDay, false, lines(besideMoon));
    tryName(marks.nameDayShort, false, 1);
    tryName(marks.nameDay, true, lines(besideMoon));
    if (!chosen) {
        const Rect &roomier =
            aboveMoon.right - aboveMoon.left > besideMoon.right - besideMoon.left && lines(aboveMoon) > 0 ? aboveMoon
                                                                                                          : besideMoon;
        chosen.emplace(QStringList{CutWithEllipsis(marks.nameDay, roomier.right - roomier.left, widthOf)}, roomier);
    }
    int top = chosen->second.top;
    for (const QString &line : chosen->first) {
        DrawLabelText(dc, {line, true}, {chosen->second.left, top, chosen->second.right, top + lineHeight},
                      kLabelFlags);
        top += lineHeight;
    }
}

// "12 - Geneviève" centred on the day's line as a label is, `width` wide, the name day lighter
// than its day number.
void DrawNameDayAfterNumber(platform::DrawSurface &dc, const QString &prefix, const QString &name, int width,
                            const Rect &cell)
{
    const int left = cell.left + (cell.right - cell.left - width) / 2;
    constexpr unsigned flags = platform::DT_LEFT | kUserTextFlags;
    const int previous = dc.SetBkMode(platform::TRANSPARENT);
    dc.DrawRecurringText(prefix, {left, cell.top, cell.right, cell.bottom}, flags);
    dc.SetBkMode(previous);
    DrawLabelText(dc, {name, true}, {left + dc.TextWidth(prefix), cell.top, cell.right, cell.bottom}, flags);
}

// A phase in the bottom right corner of its cell, the time under the moon, both above the
// cell's bottom rule and below the day's line.
struct CellMoon {
    Rect square;
    Rect time;
};
using CellMoons = std::array<std::optional<CellMoon>, 31>;

// The moons of the month, placed with the cell font selected; a cell too small for its moon
// shows none.
template <typename CellOf>
CellMoons PlaceCellMoons(platform::DrawSurface &dc, const MonthDays &month, CellOf cellOf,
                         const platform::Font &timeFont)
{
    CellMoons moons{};
    const auto hasMoon = [&month](int d) { return bool(month.Day(d).marks.moon); };
    bool any = false;
    for (int d = 1; d <= month.length; ++d)
        any = any || hasMoon(d);
    if (!any)
        return moons;
    // Larger than in the columns, as tall as the day's line.
    const int size = dc.LineHeight();
    FontScope font(dc, timeFont);
    const int timeHeight = dc.LineHeight();
    for (int d = 1; d <= month.length; ++d) {
        if (!hasMoon(d))
            continue;
        const Rect cell = cellOf(d);
        const int width = std::max(size, dc.TextWidth(MoonTime(*month.Day(d).marks.moon)));
        const int margin = size / 4;
        const int right = cell.right - margin;
        const int bottom = cell.bottom - margin;
        const int left = right - width / 2 - size / 2;
        const Rect square{left, bottom - timeHeight - size, left + size, bottom - timeHeight};
        if (size >= 3 && square.top >= cell.top + size && right - width >= cell.left)
            moons[static_cast<std::size_t>(d - 1)] =
                CellMoon{square, {right - width, bottom - timeHeight, right, bottom}};
    }
    return moons;
}

void DrawCellMoons(platform::DrawSurface &dc, const MonthDays &month, const CellMoons &moons,
                   const platform::Font &timeFont)
{
    if (std::none_of(moons.begin(), moons.end(), [](const auto &moon) { return moon.has_value(); }))
        return;
    FontScope font(dc, timeFont);
    for (int d = 1; d <= month.length; ++d) {
        if (const auto &place = moons[static_cast<std::size_t>(d - 1)]) {
            const almanac::MoonMark &moon = *month.Day(d).marks.moon;
            DrawMoon(dc, moon.kind, place->square);
            DrawTransparentText(dc, MoonTime(moon), place->time, platform::kTextCentred);
        }
    }
}

} // namespace

void DrawLargeCells(platform::DrawSurface &dc, const LayoutInputs &inputs, int left, int top, int right, int bottom,
                    int page, double scale)
{
    // One page per month; the view passes nothing else.
    if (!IsPageOf(page, 12))
        return;
    const double s = std::max(1.0, scale);
    const int year = inputs.app.Annee;
    const int M = page;
    const almanac::Almanac almanac = AlmanacOf(inputs, M, M);
    const MonthDays month = LookUpMonth(year, M, HolidayOptionsOf(inputs), almanac);
    const int N = month.length;

    // Weekday of the 1st, Monday = 1 ... Sunday = 7. A date outside the calendar's range has no
    // weekday: its grid simply starts on a Monday.
    const COleDateTime first(year, M, 1, 0, 0, 0);
    const int firstWeekday = first.GetDayOfWeek();
    const int w1 = firstWeekday < 0 ? 1 : (firstWeekday == 0 ? 7 : firstWeekday);
    const int NW = (N + w1 - 1 + 6) / 7;
    const int wN = N + w1 + 6 - 7 * NW;

    const bool sem = inputs.view.Sem != 0;
    const double L = left;
    const double T = top;
    const double R = right;
    const double CW = sem ? (R - L) / 7.3 : (R - L) / 7;
    const int leftGrid = sem ? left + Trunc(0.3 * CW) : left;
    const double L2 = leftGrid;
    const double U = (static_cast<double>(bottom) - T) / (2 * s + 42);
    const double Y9 = T + 9 * U;
    const double RH = U * 32 / NW;
    // The school holidays run along the bottom of the cells, under what the cell holds.
    const unsigned zones = SchoolZonesOf(inputs);
    const int bands = CellSchoolBandsHeight(zones, RH);

    const platform::Font titleFont = dc.CreatePointFont(FontTenths(200, s), kSerifFace);
    {
        FontScope font(dc, titleFont);
        dc.DrawText(MonthName(M) + QLatin1Char(' ') + FormatYear(year),
                    {leftGrid, Trunc(T + 2 * U), right, Trunc(T + 6 * U)}, platform::kTextCentred);

        for (int c = 0; c < 7; ++c) {
            const Rect header{Trunc(L2 + c * CW), Trunc(T + 6 * U), Trunc(L2 + (c + 1) * CW), Trunc(T + 9 * U)};
            dc.FillRect(header, inputs.app.Color_Sem_Mois);
            DrawTransparentText(dc, platform::FromCodePage(kWeekdayNames[static_cast<std::size_t>(c)]), header,
                                platform::kTextCentred);
        }
    }

    const platform::Font weekFont = dc.CreatePointFont(FontTenths(80, s), kMonospaceFace);
    if (sem && first.GetStatus() == COleDateTime::valid) {
        FontScope font(dc, weekFont);
        // The Thursday of the first row may fall in the previous month.
        COleDateTime thursday = first + (4 - w1);
        for (int w = 0; w < NW; ++w, thursday += 7) {
            // A Thursday in the previous or the next year belongs to that year's weeks.
            if (w == 0 && w1 > 4 && M == 1)
                continue;
            if (w == NW - 1 && wN < 4 && M == 12)
                continue;
            const int dayOfYear = thursday.GetDayOfYear();
            if (dayOfYear < 1)
                continue;
            dc.DrawText(QString::number(WeekNumberOfThursday(dayOfYear)),
                        {Trunc(L2 - 0.3 * CW), Trunc(Y9 + w * RH), Trunc(L2 - 0.05 * CW), Trunc(Y9 + (w + 1) * RH)},
                        platform::kTextRight);
        }
    }

    {
        const platform::Font cellFont = dc.CreatePointFont(FontTenths(120, s), kMonospaceFace);
        FontScope font(dc, cellFont);
        const bool ferie = inputs.view.Ferie != 0;
        // Cell w, c holds day 7 w + c + 2 - w1.
        const auto cellOf = [&](int d) {
            const int w = (d + w1 - 2) / 7, c = (d + w1 - 2) % 7;
            return Rect{Trunc(L2 + c * CW), Trunc(Y9 + (w + 0.05) * RH), Trunc(L2 + (c + 1) * CW),
                        Trunc(Y9 + (w + 1) * RH) - bands};
        };
        // The moons keep their corners, above the school bands: placed first, so that a label
        // wrapped below its day stops above them.
        const CellMoons moons = PlaceCellMoons(dc, month, cellOf, weekFont);
        for (int w = 0; w < NW; ++w) {
            for (int c = 0; c < 7; ++c) {
                const int d = 7 * w + c + 2 - w1;
                if (d < 1 || d > N)
                    continue;
                const DayInfo &day = month.Day(d);
                const int x1 = Trunc(L2 + c * CW);
                const int x2 = Trunc(L2 + (c + 1) * CW);
                if (inputs.view.NonTrav && day.IsNonWorking())
                    dc.FillRect({x1, Trunc(Y9 + w * RH), x2, Trunc(Y9 + (w + 1) * RH)}, inputs.app.Color_NTrav);
                if (zones != 0)
                    DrawCellSchoolBands(dc, day, {x1, Trunc(Y9 + w * RH), x2, Trunc(Y9 + (w + 1) * RH)}, zones, RH);
                const Rect cell{x1, Trunc(Y9 + (w + 0.05) * RH), x2, Trunc(Y9 + (w + 1) * RH)};
                // The moon and a wrapped label stay above the bands.
                const Rect above{cell.left, cell.top, cell.right, cell.bottom - bands};
                const QString number = QString::number(d);
                const auto &moon = moons[static_cast<std::size_t>(d - 1)];
                LabelText label = LabelOrNameDay(day, ferie);
                // A regional day by its full name: the cells have room for it.
                if (!label.nameDay && !day.fullLabel.isEmpty())
                    label.text = day.fullLabel;
                if (label.text.isEmpty()) {
                    DrawTransparentText(dc, number, cell, platform::DT_CENTER);
                    continue;
                }
                const QString prefix = number + QStringLiteral(" - ");
                const QString text = prefix + label.text;
                if (const int width = dc.TextWidth(text); width <= x2 - x1) {
                    if (label.nameDay)
                        DrawNameDayAfterNumber(dc, prefix, label.text, width, cell);
                    else
                        DrawTransparentText(dc, text, cell, kLabelFlags);
                    continue;
                }
                DrawTransparentText(dc, number, cell, platform::DT_CENTER);
                const Rect below{x1, cell.top + dc.LineHeight(), x2, moon ? moon->square.top : above.bottom};
                if (label.nameDay) {
                    // Beside the moon, a space clear of it and of its time.
                    const int besideRight =
                        moon ? std::min(moon->square.left, moon->time.left) - dc.TextWidth(QStringLiteral(" ")) : x2;
                    DrawNameBelowDay(dc, day.marks, below, {x1, below.top, besideRight, above.bottom});
                } else {
                    DrawLabelBelowDay(dc, label, below, {cellFont, weekFont});
                }
            }
        }
        // The marks the days carry beyond their texts.
        DrawCellMoons(dc, month, moons, weekFont);

        const auto horizontal = [&](int y) { DrawLine(dc, leftGrid, y, right, y); };
        horizontal(Trunc(T + 6 * U));
        horizontal(Trunc(T + 41 * U));
        horizontal(Trunc(T + 9 * U));
        for (int i = 0; i <= 7; ++i) {
            const int x = Trunc(L2 + i * CW);
            DrawLine(dc, x, Trunc(T + 6 * U), x, Trunc(T + 41 * U));
        }
        for (int w = 1; w < NW; ++w)
            horizontal(Trunc(Y9 + w * RH));
    }

    DrawSchoolLegend(dc, almanac, {leftGrid, Trunc(T + 41 * U) + 1, right, Trunc(T + 42 * U)}, s);
    DrawAdvertising(dc, inputs, s, {leftGrid, Trunc(T + 42 * U), right, Trunc(T + 43 * U)},
                    {leftGrid, Trunc(T + 43 * U), right, Trunc(T + 44 * U)});
}
