#pragma once

#include "drawing/drawing_conventions.h"

#include <functional>
#include <vector>

namespace render {

// Where the days of one month lie on the page. Each layout gives its own expressions, so that
// every device coordinate is the truncation of the whole expression as that layout forms it.
class DayColumnGeometry
{
public:
    virtual ~DayColumnGeometry() = default;
    // x at a fraction of the width of the column holding day d (0 = left edge, 1 = right edge).
    virtual int X(int day, double fraction) const = 0;
    // The day's row: the filled band runs from RowTop to RowBottom, the texts from TextTop.
    virtual int RowTop(int day) const = 0;
    virtual int RowBottom(int day) const = 0;
    virtual int TextTop(int day) const = 0;
    // How far a Thursday's week number moves down (negative: up) to sit in the middle of the
    // part of its week shown in the same column.
    virtual int WeekNumberShift(int day, int length) const = 0;
};

// The columns of the vertical and horizontal layouts: one column per month, rows of one unit
// U from T, the block shifted down by V units.
class StackedColumn : public DayColumnGeometry
{
public:
    StackedColumn(double left, double top, double columnWidth, double unit, int column, int offset)
        : L(left), T(top), CW(columnWidth), U(unit), c(column), V(offset)
    {}

    int X(int, double fraction) const override { return Trunc((c + fraction) * CW + L); }
    int RowTop(int d) const override { return Trunc((d + 8 + V) * U + T); }
    int RowBottom(int d) const override { return Trunc((V + 9 + d) * U + T); }
    int TextTop(int d) const override { return Trunc((d + 8.1 + V) * U + T); }
    int WeekNumberShift(int d, int length) const override;

    // The month header band and the name's rectangle inside it.
    platform::Rect HeaderRect() const;
    platform::Rect NameRect() const;

private:
    double L, T, CW, U;
    int c, V;
};

// Where a Thursday's week number is written: right-aligned at the end of the column, moved by
// WeekNumberShift.
platform::Rect WeekNumberRect(const MonthDays &month, const DayColumnGeometry &geometry, int d);

// Where the text after day d's number goes (its holiday label, or whatever else a layout writes
// in that place), with the flags to draw it with: from 0.26 to 0.95 of the column, but stopping
// a space short of a week number written across the same row, narrowed rather than cut when
// it no longer fits. Measures with the cell font, which must be selected.
struct DayLabelPlace {
    platform::Rect rect;
    unsigned flags = 0;
};
DayLabelPlace LabelPlace(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry, int d,
                         bool weekNumbers, double shift = 0.0);

// The day-cell parts of one month, for the layouts with month columns.
void FillNonWorkingDays(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry,
                        platform::ColorRef colour);
// Five passes: initials, day numbers, labels (when shown; else the name days, when the almanac
// shows them), week numbers (when shown), then the almanac's marks such as the moons. The texts
// before the week numbers move right by `shift` of the column, where the school bands need room.
void DrawDayTexts(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry, bool labels,
                  bool weekNumbers, double shift = 0.0);
// A line under every Sunday across the column.
void DrawWeekSeparators(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry);

// One month of the vertical or horizontal layout.
struct StackedMonth {
    MonthDays days;
    StackedColumn geometry;
};

// Everything the vertical and horizontal layouts draw between their title and their foot, in
// the drawing order: header fills, non-working fills, the layout's own rules, month names, day
// cells, week separators.
void DrawStackedMonths(platform::DrawSurface &dc, const LayoutInputs &inputs, const std::vector<StackedMonth> &months,
                       const platform::Font &nameFont, const platform::Font &cellFont,
                       const std::function<void()> &drawRules);

} // namespace render
