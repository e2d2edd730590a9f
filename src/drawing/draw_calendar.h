#pragma once

#include "document/app_settings.h"
#include "document/tamvel_doc.h"
#include "document/view_settings.h"
#include "platform/draw_surface.h"

// Everything a layout reads besides its rectangle, page and scale.
struct LayoutInputs {
    const AppSettings &app; // Annee, colours, advertising lines
    const ViewState &view;  // toggles
    const CTamvelDoc *doc;  // particular days, Pentecost Monday option, images; may be null
};

// The layout dispatcher shared by the screen, the printer and the exports: raises the scale to
// at least 1 and calls the layout of the current mode.
void DrawCalendar(platform::DrawSurface &dc, const LayoutInputs &inputs, int left, int top, int right, int bottom,
                  int page, double scale);

// The layouts themselves (s is already at least 1).
void DrawVertical(platform::DrawSurface &dc, const LayoutInputs &inputs, int left, int top, int right, int bottom,
                  double scale);
void DrawHorizontal(platform::DrawSurface &dc, const LayoutInputs &inputs, int left, int top, int right, int bottom,
                    int page, double scale);
void DrawVerticalPhoto(platform::DrawSurface &dc, const LayoutInputs &inputs, int left, int top, int right, int bottom,
                       int page, double scale);
void DrawHorizontalPhoto(platform::DrawSurface &dc, const LayoutInputs &inputs, int left, int top, int right,
                         int bottom, int page, double scale);
void DrawLargeCells(platform::DrawSurface &dc, const LayoutInputs &inputs, int left, int top, int right, int bottom,
                    int page, double scale);
// The photo calendar: page 1 the cover, page m + 1 month m under its photo.
void DrawPhotoMonths(platform::DrawSurface &dc, const LayoutInputs &inputs, int left, int top, int right, int bottom,
                     int page, double scale);
