#pragma once

#include "drawing/drawing_conventions.h"

#include <optional>

namespace render {

// Name days print lighter than the labels, so that the holidays stay what the eye finds first.
constexpr platform::ColorRef kNameDayColour = 0x606060;

// What a day shows in the label's place: its label when labels are shown and it has one, else
// its name day when the almanac shows them, else nothing.
struct LabelText {
    QString text;
    bool nameDay = false;
};
LabelText LabelOrNameDay(const DayInfo &day, bool labels);

// The form of a name day that fits `width` in the font selected, so that a name is never cut:
// the whole name, else its short form, else the whole name cut before "…".
QString FittedName(platform::DrawSurface &dc, const almanac::DayMarks &marks, int width);

// A label or name day drawn with a transparent background, a name day in its lighter colour.
void DrawLabelText(platform::DrawSurface &dc, const LabelText &label, const platform::Rect &rect, unsigned flags);

// The phase's symbol in a square, drawn rather than taken from a font, which would lack it: a
// black disc for the new moon, a white disc for the full moon, the right half lit for the first
// quarter and the left half for the last, as seen from France. Black and white on every
// device and on any cell colour.
void DrawMoon(platform::DrawSurface &dc, model::MoonPhaseKind kind, const platform::Rect &square);

// The phase's time as the large cells print it: "21 h 24", "7 h 05".
QString MoonTime(const almanac::MoonMark &moon);

} // namespace render
