#include "render/day_column.h"

#include <algorithm>

namespace render {

using platform::Rect;

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

namespace {

Rect TextBand(const DayColumnGeometry &geometry, int d, double from, double to)
{
    return {geometry.X(d, from), geometry.TextTop(d), geometry.X(d, to), geometry.RowBottom(d)};
}

bool HasWeekNumber(const DayInfo &day)
{
    return day.dayOfWeek == kThursday && day.dayOfYear >= 1;
}

} // namespace

Rect WeekNumberRect(const MonthDays &month, const DayColumnGeometry &geometry, int d)
{
    Rect rect = TextBand(geometry, d, 0.85, 0.99);
    const int shift = geometry.WeekNumberShift(d, month.length);
    rect.top += shift;
    rect.bottom += shift;
    return rect;
}

DayLabelPlace LabelPlace(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry, int d,
                         bool weekNumbers)
{
    DayLabelPlace place{TextBand(geometry, d, 0.26, 0.95), platform::kTextLeft | kUserTextFlags};
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
    const auto band = [&](int d, double from, double to) { return TextBand(geometry, d, from, to); };
    for (int d = 1; d <= month.length; ++d) {
        // An invalid date has no weekday and so no initial.
        const QString initial = WeekdayInitial(month.Day(d).dayOfWeek);
        if (!initial.isEmpty())
            DrawTransparentText(dc, initial, band(d, 0.05, 0.15), platform::kTextLeft);
    }
    for (int d = 1; d <= month.length; ++d)
        DrawTransparentText(dc, QString::asprintf("%2d", d), band(d, 0.16, 0.25), platform::kTextLeft);
    if (labels) {
        for (int d = 1; d <= month.length; ++d) {
            if (month.Day(d).label.isEmpty())
                continue;
            const DayLabelPlace place = LabelPlace(dc, month, geometry, d, weekNumbers);
            DrawTransparentText(dc, month.Day(d).label, place.rect, place.flags);
        }
    }
    if (weekNumbers) {
        for (int d = 1; d <= month.length; ++d) {
            const DayInfo &day = month.Day(d);
            if (HasWeekNumber(day))
                DrawTransparentText(dc, QString::number(WeekNumberOfThursday(day.dayOfYear)),
                                    WeekNumberRect(month, geometry, d), platform::kTextRight);
        }
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
