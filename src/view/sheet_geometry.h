#pragma once

#include "document/view_settings.h"
#include "platform/draw_surface.h"

// Where the white sheet lies on the gray desk of a view of w x h pixels.
struct SheetGeometry {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0; // the sheet fitted and centred
    int mx = 0, my = 0;                 // margins of 1.5 units of the 21 x 30 page
    platform::Rect desk;                // drawn with a one-pixel outline outside the view
    platform::Rect sheet;               // the inner rectangle grown by mx on every side
    platform::Rect inner;               // what the layout draws into
    double scale = 0.0;                 // 900 / inner height; 0 when the inner sheet has no height

    bool HasInnerSheet() const { return inner.bottom > inner.top; }
};

SheetGeometry ComputeSheetGeometry(int w, int h, DisplayMode mode);
