#include "drawing/day_marks.h"

#include "drawing/text_wrap.h"

namespace render {

using platform::EllipsePart;

LabelText LabelOrNameDay(const DayInfo &day, bool labels)
{
    if (labels && !day.label.isEmpty())
        return {day.label, false};
    return {day.marks.nameDay, !day.marks.nameDay.isEmpty()};
}

QString FittedName(platform::DrawSurface &dc, const almanac::DayMarks &marks, int width)
{
    if (dc.TextWidth(marks.nameDay) <= width)
        return marks.nameDay;
    if (!marks.nameDayShort.isEmpty() && dc.TextWidth(marks.nameDayShort) <= width)
        return marks.nameDayShort;
    return CutWithEllipsis(marks.nameDay, width, [&dc](const QString &text) { return dc.TextWidth(text); });
}

void DrawLabelText(platform::DrawSurface &dc, const LabelText &label, const platform::Rect &rect, unsigned flags)
{
    if (!label.nameDay) {
        DrawTransparentText(dc, label.text, rect, flags);
        return;
    }
    // The same names come back at every repaint: the surface may keep them laid out.
    const int previousMode = dc.SetBkMode(platform::TRANSPARENT);
    const platform::ColorRef previousColour = dc.SetTextColor(kNameDayColour);
    dc.DrawRecurringText(label.text, rect, flags | kUserTextFlags);
    dc.SetTextColor(previousColour);
    dc.SetBkMode(previousMode);
}

void DrawMoon(platform::DrawSurface &dc, model::MoonPhaseKind kind, const platform::Rect &square)
{
    constexpr platform::ColorRef kDark = 0x000000;
    constexpr platform::ColorRef kLit = 0xFFFFFF;
    switch (kind) {
    case model::MoonPhaseKind::NewMoon:
        dc.Ellipse(square, kDark, EllipsePart::Whole);
        break;
    case model::MoonPhaseKind::FullMoon:
        dc.Ellipse(square, kLit, EllipsePart::Whole);
        break;
    case model::MoonPhaseKind::FirstQuarter:
        dc.Ellipse(square, kLit, EllipsePart::Whole);
        dc.Ellipse(square, kDark, EllipsePart::LeftHalf);
        break;
    case model::MoonPhaseKind::LastQuarter:
        dc.Ellipse(square, kLit, EllipsePart::Whole);
        dc.Ellipse(square, kDark, EllipsePart::RightHalf);
        break;
    }
}

QString MoonTime(const almanac::MoonMark &moon)
{
    return QString::asprintf("%d h %02d", moon.hour, moon.minute);
}

} // namespace render
