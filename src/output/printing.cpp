#include "output/printing.h"

#include "platform/painter_surface.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

void OnBeginPrinting(QPagedPaintDevice &printer, DisplayMode mode)
{
    printer.setPageOrientation(IsPortrait(mode) ? QPageLayout::Portrait : QPageLayout::Landscape);
}

PrinterSheet SheetOf(const QPagedPaintDevice &printer)
{
    return SheetOf(printer.pageLayout(), printer.logicalDpiX(), printer.logicalDpiY());
}

PrinterSheet SheetOf(const QPageLayout &layout, int dpiX, int dpiY)
{
    const QRectF paper = layout.fullRectPixels(dpiX);
    const QRectF printable = layout.paintRectPixels(dpiX);
    PrinterSheet sheet;
    sheet.paperWidth = qRound(paper.width());
    sheet.paperHeight = qRound(paper.height());
    sheet.offsetX = qRound(printable.left() - paper.left());
    sheet.offsetY = qRound(printable.top() - paper.top());
    sheet.printableWidth = qRound(printable.width());
    sheet.printableHeight = qRound(printable.height());
    sheet.dpiX = dpiX;
    sheet.dpiY = dpiY;
    return sheet;
}

void OnPrint(platform::DrawSurface &dc, const PrinterSheet &sheet, const LayoutInputs &inputs, int page)
{
    const platform::Rect r = PrintRectangle(sheet);
    DrawCalendar(dc, inputs, r.left, r.top, r.right, r.bottom, page, 1.0);
}

bool PrintPages(QPagedPaintDevice &printer, const LayoutInputs &inputs, int fromPage, int toPage)
{
    return PrintPages(printer, inputs, fromPage, toPage, SheetOf(printer), 0);
}

bool PrintPages(QPagedPaintDevice &printer, const LayoutInputs &inputs, int fromPage, int toPage,
                const PrinterSheet &sheet, int offset)
{
    const int first = std::max(1, fromPage);
    const int last = std::min(PageCount(inputs.view.mode), toPage);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.translate(offset, offset);
    platform::PainterSurface dc(painter, sheet.dpiX, sheet.dpiY, true);
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer.newPage();
        OnPrint(dc, sheet, inputs, page);
        dc.Flush();
    }
    return painter.end();
}
