#include "drawing/day_column.h"

#include "drawing/day_marks.h"
#include "drawing/school_bands.h"

#include <algorithm>

namespace render {

using platform::Rect;

namespace {

Rect Band(const DayColumnGeometry &geometry, int d, double from, double to)
{
    return Rect{geometry.X(d, from), geometry.TextTop(d), geometry.X(d, to), geometry.RowBottom(d)};
}

bool HasWeekNumber(const DayInfo &day)
{
    return day.dayOfWeek == kThursday && day.dayOfYear >= 1;
}

// Where day d's label, or its name day, stands.
Rect LabelRect(const DayColumnGeometry &geometry, int d)
{
    return Band(geometry, d, 0.26, 0.95);
}

// Where the moon of day d stands: a square sized from the line height of the cell font, at the
// right of the row, left of the digits of a week number that shares the row. Nothing when the
// row is too small to hold it clear of the day number.
std::optional<Rect> MoonSquare(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry,
                               int d, bool weekNumbers, int lineHeight)
{
    const int top = geometry.TextTop(d);
    const int bottom = geometry.RowBottom(d);
    const int size = std::min(bottom - top, lineHeight * 2 / 3);
    if (size < 3)
        return std::nullopt;
    const int y = top + (bottom - top - size) / 2;
    const int labelLeft = LabelRect(geometry, d).left;
    // Clear of the column's rule, however thick the layout draws it.
    int right = geometry.X(d, 0.99) - size / 4;
    for (int t = 1; weekNumbers && t <= month.length; ++t) {
        if (!HasWeekNumber(month.Day(t)))
            continue;
        const Rect week = WeekNumberRect(month, geometry, t);
        if (week.top < y + size && y < week.bottom && week.left < right && labelLeft < week.right) {
            const int digits = dc.TextWidth(QString::number(WeekNumberOfThursday(month.Day(t).dayOfYear)));
            right = std::min(right, week.right - digits - size / 3);
        }
    }
    if (right - size < labelLeft)
        return std::nullopt;
    return Rect{right - size, y, right, y + size};
}

} // namespace

int StackedColumn::WeekNumberShift(int d, int length) const
{
    if (d < 4)
        return Trunc((4 - d) * U * 0.5);
    if (d > length - 4)
        return -Trunc((d - length + 3) * U * 0.5);
    return 0;
}

Rect StackedColumn::HeaderRect() const
{
    return {Trunc(c * CW + L), Trunc((V + 6) * U + T), Trunc((c + 1) * CW + L), Trunc((V + 9) * U + T)};
}

Rect StackedColumn::NameRect() const
{
    return {Trunc((c + 0.05) * CW + L), Trunc((V + 6.6) * U + T), Trunc((c + 0.95) * CW + L), Trunc((V + 8.4) * U + T)};
}

void FillNonWorkingDays(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry,
                        platform::ColorRef colour)
{
    for (int d = 1; d <= month.length; ++d) {
        if (month.Day(d).IsNonWorking())
            dc.FillRect({geometry.X(d, 0.0), geometry.RowTop(d), geometry.X(d, 1.0), geometry.RowBottom(d)}, colour);
    }
}

Rect WeekNumberRect(const MonthDays &month, const DayColumnGeometry &geometry, int d)
{
    Rect rect = Band(geometry, d, 0.85, 0.99);
    const int shift = geometry.WeekNumberShift(d, month.length);
    rect.top += shift;
    rect.bottom += shift;
    return rect;
}

DayLabelPlace LabelPlace(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry, int d,
                         bool weekNumbers)
{
    DayLabelPlace place{LabelRect(geometry, d), platform::kTextLeft | kUserTextFlags};
    if (!weekNumbers)
        return place;
    const int height = place.rect.bottom - place.rect.top;
    for (int t = 1; t <= month.length; ++t) {
        if (!HasWeekNumber(month.Day(t)))
            continue;
        // A number moved between two rows stands across both; one that only touches a row
        // through rounding does not.
        const Rect number = WeekNumberRect(month, geometry, t);
        const int overlap = std::min(number.bottom, place.rect.bottom) - std::max(number.top, place.rect.top);
        if (overlap * 4 <= height)
            continue;
        const QString text = QString::number(WeekNumberOfThursday(month.Day(t).dayOfYear));
        const int numberLeft = number.right - dc.TextWidth(text);
        const int right = numberLeft - dc.TextWidth(QStringLiteral(" "));
        if (right < place.rect.right) {
            place.rect.right = right;
            place.flags |= platform::DT_CONDENSE;
        }
    }
    return place;
}

void DrawDayTexts(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry, bool labels,
                  bool weekNumbers)
{
    const auto band = [&](int d, double from, double to) { return Band(geometry, d, from, to); };
    // The moons are placed first, so that a label beside one stops short of it.
    std::array<std::optional<Rect>, 31> moons{};
    int lineHeight = 0;
    for (int d = 1; d <= month.length; ++d) {
        if (!month.Day(d).marks.moon)
            continue;
        if (lineHeight == 0)
            lineHeight = dc.LineHeight();
        moons[static_cast<std::size_t>(d - 1)] = MoonSquare(dc, month, geometry, d, weekNumbers, lineHeight);
    }
    for (int d = 1; d <= month.length; ++d) {
        // An invalid date has no weekday and so no initial.
        const QString initial = WeekdayInitial(month.Day(d).dayOfWeek);
        if (!initial.isEmpty())
            DrawTransparentText(dc, initial, band(d, 0.05, 0.15), platform::kTextLeft);
    }
    for (int d = 1; d <= month.length; ++d)
        DrawTransparentText(dc, QString::asprintf("%2d", d), band(d, 0.16, 0.25), platform::kTextLeft);
    for (int d = 1; d <= month.length; ++d) {
        const LabelText text = LabelOrNameDay(month.Day(d), labels);
        if (text.text.isEmpty())
            continue;
        // A label, or a name day, stops short of the week number and of the moon beside it.
        DayLabelPlace place = LabelPlace(dc, month, geometry, d, weekNumbers);
        if (const auto &moon = moons[static_cast<std::size_t>(d - 1)])
            place.rect.right = std::min(place.rect.right, moon->left - (moon->right - moon->left) / 3);
        DrawLabelText(dc, text, place.rect, place.flags);
    }
    if (weekNumbers) {
        for (int d = 1; d <= month.length; ++d) {
            const DayInfo &day = month.Day(d);
            if (HasWeekNumber(day))
                DrawTransparentText(dc, QString::number(WeekNumberOfThursday(day.dayOfYear)),
                                    WeekNumberRect(month, geometry, d), platform::kTextRight);
        }
    }
    // The marks a day carries beyond its texts.
    for (int d = 1; d <= month.length; ++d) {
        if (const auto &moon = moons[static_cast<std::size_t>(d - 1)])
            DrawMoon(dc, month.Day(d).marks.moon->kind, *moon);
    }
}

void DrawWeekSeparators(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry)
{
    for (int d = 1; d <= month.length; ++d) {
        if (month.Day(d).dayOfWeek == kSunday) {
            const int y = geometry.RowBottom(d);
            DrawLine(dc, geometry.X(d, 0.0), y, geometry.X(d, 1.0), y);
        }
    }
}

void DrawStackedMonths(platform::DrawSurface &dc, const LayoutInputs &inputs, const std::vector<StackedMonth> &months,
                       const platform::Font &nameFont, const platform::Font &cellFont,
                       const std::function<void()> &drawRules)
{
    for (const StackedMonth &month : months)
        dc.FillRect(month.geometry.HeaderRect(), inputs.app.Color_Sem_Mois);
    if (inputs.view.NonTrav) {
        for (const StackedMonth &month : months)
            FillNonWorkingDays(dc, month.days, month.geometry, inputs.app.Color_NTrav);
    }
    for (const StackedMonth &month : months)
        DrawSchoolBands(dc, month.days, month.geometry, SchoolZonesOf(inputs.view, inputs.app));
    drawRules();
    {
        FontScope font(dc, nameFont);
        for (const StackedMonth &month : months)
            DrawTransparentText(dc, MonthName(month.days.month), month.geometry.NameRect(), platform::kTextCentred);
    }
    {
        FontScope font(dc, cellFont);
        for (const StackedMonth &month : months)
            DrawDayTexts(dc, month.days, month.geometry, inputs.view.Ferie != 0, inputs.view.Sem != 0);
    }
    for (const StackedMonth &month : months)
        DrawWeekSeparators(dc, month.days, month.geometry);
}

} // namespace render
