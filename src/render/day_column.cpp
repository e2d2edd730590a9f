#include "render/day_column.h"

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

void DrawDayTexts(platform::DrawSurface &dc, const MonthDays &month, const DayColumnGeometry &geometry, bool labels,
                  bool weekNumbers)
{
    const auto band = [&](int d, double from, double to) {
        return Rect{geometry.X(d, from), geometry.TextTop(d), geometry.X(d, to), geometry.RowBottom(d)};
    };
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
            if (!month.Day(d).label.isEmpty())
                DrawTransparentText(dc, month.Day(d).label, band(d, 0.26, 0.95), platform::kTextLeft | kUserTextFlags);
        }
    }
    if (weekNumbers) {
        for (int d = 1; d <= month.length; ++d) {
            const DayInfo &day = month.Day(d);
            if (day.dayOfWeek != kThursday || day.dayOfYear < 1)
                continue;
            Rect rect = band(d, 0.85, 0.99);
            const int shift = geometry.WeekNumberShift(d, month.length);
            rect.top += shift;
            rect.bottom += shift;
            DrawTransparentText(dc, QString::number(WeekNumberOfThursday(day.dayOfYear)), rect, platform::kTextRight);
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
