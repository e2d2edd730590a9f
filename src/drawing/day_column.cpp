#include "drawing/day_column.h"

#include "drawing/day_marks.h"
#include "drawing/school_bands.h"

#include <algorithm>
#include <cmath>

namespace render {

using platform::Rect;

namespace {

// The part of day d's text band from `from` to `to` of the column, moved right by `shift` (a
// fraction of the column) where the school bands take the start of the row.
Rect Band(const DayColumnGeometry &geometry, int d, double from, double to, double shift = 0.0)
{
    return Rect{geometry.X(d, from + shift), geometry.TextTop(d), geometry.X(d, to + shift), geometry.RowBottom(d)};
}

bool HasWeekNumber(const DayInfo &day)
{
    return day.dayOfWeek == kThursday && day.dayOfYear >= 1;
}

// Where day d's label, or its name day, stands; it ends at 0.95 of the column whatever the shift.
Rect LabelRect(const DayColumnGeometry &geometry, int d, double shift)
{
    Rect rect = Band(geometry, d, 0.26, 0.95, shift);
    rect.right = geometry.X(d, 0.95);
    return rect;
}

// Device units in `points` points, at least one.
int PointsOnDevice(platform::DrawSurface &dc, double points)
{
    return std::max(1, static_cast<int>(std::ceil(points * dc.LogPixelsX() / 72.0)));
}

// Where the moon of day d stands: a square sized from the line height of the cell font, at the
// right of the row, left of the digits of a week number that shares the row, a point and a half
// apart from them so that the two never read as one. Nothing when the row is too small to hold
// it clear of the day number.
std::optional<Rect> MoonSquare(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry,
                               int d, bool weekNumbers, int lineHeight, double shift)
{
    const int top = geometry.TextTop(d);
    const int bottom = geometry.RowBottom(d);
    const int size = std::min(bottom - top, lineHeight * 2 / 3);
    if (size < 3)
        return std::nullopt;
    const int y = top + (bottom - top - size) / 2;
    const int labelLeft = LabelRect(geometry, d, shift).left;
    // Clear of the column's rule, however thick the layout draws it.
    int right = geometry.X(d, 0.99) - size / 4;
    const int gap = std::max(size / 3, PointsOnDevice(dc, 1.5));
    for (int t = 1; weekNumbers && t <= month.length; ++t) {
        if (!HasWeekNumber(month.Day(t)))
            continue;
        const Rect week = WeekNumberRect(month, geometry, t);
        if (week.top < y + size && y < week.bottom && week.left < right && labelLeft < week.right) {
            const int digits = dc.TextWidth(QString::number(WeekNumberOfThursday(month.Day(t).dayOfYear)));
            right = std::min(right, week.right - digits - gap);
        }
    }
    if (right - size < labelLeft)
        return std::nullopt;
    return Rect{right - size, y, right, y + size};
}

// The right end of the room of a name at `place`: a space before the digits of every week number
// written in the same column whose line of text meets the name's line, and before the day's moon.
int NameRight(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry, const Rect &place,
              bool weekNumbers, const std::optional<Rect> &moon, int lineHeight)
{
    int right = place.right;
    if (moon)
        right = std::min(right, moon->left - (moon->right - moon->left) / 3);
    const int middle = (place.top + place.bottom) / 2;
    for (int t = 1; weekNumbers && t <= month.length; ++t) {
        if (!HasWeekNumber(month.Day(t)))
            continue;
        const Rect number = WeekNumberRect(month, geometry, t);
        // Centred lines of text meet when their middles are about a line apart or less.
        if (number.right <= place.left || number.left >= place.right ||
            std::abs((number.top + number.bottom) / 2 - middle) > lineHeight * 6 / 5)
            continue;
        const QString text = QString::number(WeekNumberOfThursday(month.Day(t).dayOfYear));
        right = std::min(right, number.right - dc.TextWidth(text) - dc.TextWidth(QStringLiteral(" ")));
    }
    return right;
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
                         bool weekNumbers, double shift)
{
    DayLabelPlace place{LabelRect(geometry, d, shift), platform::kTextLeft | kUserTextFlags};
    if (!weekNumbers)
        return place;
    const int height = place.rect.bottom - place.rect.top;
    for (int t = 1; t <= month.length; ++t) {
        if (!HasWeekNumber(month.Day(t)))
            continue;
        // A number moved between two rows stands across both; one that only touches a row
        // through rounding does not.
        const Rect number = WeekNumberRect(month, geometry, t);
        // One in the other sub-column of a folded month is not in the way.
        if (number.right <= place.rect.left || number.left >= place.rect.right)
            continue;
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
                  bool weekNumbers, double shift)
{
    const auto band = [&](int d, double from, double to) { return Band(geometry, d, from, to, shift); };
    // The moons are placed first, so that a label beside one stops short of it.
    std::array<std::optional<Rect>, 31> moons{};
    int lineHeight = 0;
    for (int d = 1; d <= month.length; ++d) {
        if (!month.Day(d).marks.moon && month.Day(d).marks.nameDay.isEmpty())
            continue;
        if (lineHeight == 0)
            lineHeight = dc.LineHeight();
        if (month.Day(d).marks.moon)
            moons[static_cast<std::size_t>(d - 1)] = MoonSquare(dc, month, geometry, d, weekNumbers, lineHeight, shift);
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
        const DayInfo &day = month.Day(d);
        const LabelText text = LabelOrNameDay(day, labels);
        if (text.text.isEmpty())
            continue;
        const auto &moon = moons[static_cast<std::size_t>(d - 1)];
        if (text.nameDay) {
            // A name keeps one type size and is never cut: it takes its short form, or "…", to
            // stop before the week number and the moon.
            Rect place = LabelRect(geometry, d, shift);
            place.right = NameRight(dc, month, geometry, place, weekNumbers, moon, lineHeight);
            if (place.right > place.left)
                DrawLabelText(dc, {FittedName(dc, day.marks, place.right - place.left), true}, place,
                              platform::kTextLeft);
            continue;
        }
        // A label stops short of the week number and of the moon beside it.
        DayLabelPlace place = LabelPlace(dc, month, geometry, d, weekNumbers, shift);
        if (moon)
            place.rect.right = std::min(place.rect.right, moon->left - (moon->right - moon->left) / 3);
        // A regional day by its full name where that fits.
        const bool full = !day.fullLabel.isEmpty() && dc.TextWidth(day.fullLabel) <= place.rect.right - place.rect.left;
        DrawLabelText(dc, {full ? day.fullLabel : text.text, false}, place.rect, place.flags);
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
    const unsigned zones = SchoolZonesOf(inputs);
    for (const StackedMonth &month : months)
        DrawSchoolBands(dc, month.days, month.geometry, zones);
    const double shift = SchoolBandsTextShift(zones);
    drawRules();
    {
        FontScope font(dc, nameFont);
        for (const StackedMonth &month : months)
            DrawTransparentText(dc, MonthName(month.days.month), month.geometry.NameRect(), platform::kTextCentred);
    }
    {
        FontScope font(dc, cellFont);
        for (const StackedMonth &month : months)
            DrawDayTexts(dc, month.days, month.geometry, inputs.view.Ferie != 0, inputs.view.Sem != 0, shift);
    }
    for (const StackedMonth &month : months)
        DrawWeekSeparators(dc, month.days, month.geometry);
}

} // namespace render
