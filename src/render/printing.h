#pragma once

#include "render/draw_calendar.h"
#include "render/print_geometry.h"

class QPageLayout;
class QPagedPaintDevice;

// The orientation a mode prints in; it is written into the printer settings at every job, so
// the next print dialog opens showing it.
void OnBeginPrinting(QPagedPaintDevice &printer, DisplayMode mode);

// The sheet as the printer (or PDF writer) reports it, in device pixels.
PrinterSheet SheetOf(const QPagedPaintDevice &printer);
// The sheet of a page layout at the given resolution, in device pixels.
PrinterSheet SheetOf(const QPageLayout &layout, int dpiX, int dpiY);

// Draws one printed page (1-based) of the current mode into the printable area.
void OnPrint(platform::DrawSurface &dc, const PrinterSheet &sheet, const LayoutInputs &inputs, int page);

// The job loop: pages fromPage .. toPage, clipped to the mode's count, one sheet each. The
// printer must already be set up (orientation included). False when the device cannot be
// opened for painting.
bool PrintPages(QPagedPaintDevice &printer, const LayoutInputs &inputs, int fromPage, int toPage);
// The same loop with each page drawn as on `sheet`, moved right and down by `offset` device
// pixels: a page set on a larger sheet.
bool PrintPages(QPagedPaintDevice &printer, const LayoutInputs &inputs, int fromPage, int toPage,
                const PrinterSheet &sheet, int offset);
