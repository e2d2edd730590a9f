#pragma once

#include "platform/draw_surface.h"

// What a printer tells about its sheet, all in device units: the physical sheet, where the
// printable area starts on it, how large that area is, and the resolution.
struct PrinterSheet {
    int paperWidth = 0; // physical sheet size
    int paperHeight = 0;
    int offsetX = 0; // printable area's distance from the sheet's top-left corner
    int offsetY = 0;
    int printableWidth = 0; // the drawing rectangle handed over per page: (0, 0, w, h)
    int printableHeight = 0;
    int dpiX = 0;
    int dpiY = 0;
};

// The calendar's margin from every physical edge of the sheet, in inches (1.5 cm).
constexpr double kPrintMarginInches = 0.591;

// The rectangle a printed page is drawn in, in the coordinates of the printable area: centred on
// the physical sheet, with 0.591-inch margins, or the printer's own margin where it is larger.
platform::Rect PrintRectangle(const PrinterSheet &sheet);
