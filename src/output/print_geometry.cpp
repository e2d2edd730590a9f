#include "output/print_geometry.h"

platform::Rect PrintRectangle(const PrinterSheet &sheet)
{
    platform::Rect r{0, 0, sheet.printableWidth, sheet.printableHeight};

    // Make the distances to opposite physical edges equal: the widest such rectangle that
    // stays inside the printable area.
    const int width2 = sheet.paperWidth - 2 * sheet.offsetX;
    if (width2 - r.right > 0)
        r.left += width2 - r.right;
    else
        r.right = width2;
    const int height2 = sheet.paperHeight - 2 * sheet.offsetY;
    if (height2 - r.bottom > 0)
        r.top += height2 - r.bottom;
    else
        r.bottom = height2;

    // Then grow the margins to 0.591 inch, unless the printer's own already reach that. The
    // margin is measured from the rectangle's width, so that a printable area starting closer to
    // the left edge than it ends from the right one does not get a margin that is too wide.
    const int mx = (sheet.paperWidth - (r.right - r.left)) / 2;
    const int my = (sheet.paperHeight - (r.bottom - r.top)) / 2;
    const int ex = static_cast<int>(sheet.dpiX * kPrintMarginInches - mx);
    const int ey = static_cast<int>(sheet.dpiY * kPrintMarginInches - my);
    if (ex > 0) {
        r.left += ex;
        r.right -= ex;
    }
    if (ey > 0) {
        r.top += ey;
        r.bottom -= ey;
    }
    return r;
}
