#include "drawing/draw_calendar.h"

#include <algorithm>

void DrawCalendar(platform::DrawSurface &dc, const LayoutInputs &inputs, int left, int top, int right, int bottom,
                  int page, double scale)
{
    // Text never grows beyond its printed size.
    const double s = std::max(1.0, scale);
    switch (inputs.view.mode) {
    case DisplayMode::Vertical:
        DrawVertical(dc, inputs, left, top, right, bottom, s);
        break;
    case DisplayMode::Horizontal:
        DrawHorizontal(dc, inputs, left, top, right, bottom, page, s);
        break;
    case DisplayMode::VerticalPhoto:
        DrawVerticalPhoto(dc, inputs, left, top, right, bottom, page, s);
        break;
    case DisplayMode::HorizontalPhoto:
        DrawHorizontalPhoto(dc, inputs, left, top, right, bottom, page, s);
        break;
    case DisplayMode::HorizontalLargeCells:
        DrawLargeCells(dc, inputs, left, top, right, bottom, page, s);
        break;
    case DisplayMode::PhotoMonths:
        DrawPhotoMonths(dc, inputs, left, top, right, bottom, page, s);
        break;
    }
}
