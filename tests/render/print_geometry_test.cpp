#include "render/print_geometry.h"

#include <gtest/gtest.h>

namespace {

PrinterSheet A4At600(int offsetLeft, int offsetTop, int offsetRight, int offsetBottom)
{
    PrinterSheet sheet;
    sheet.paperWidth = 4961;
    sheet.paperHeight = 7016;
    sheet.offsetX = offsetLeft;
    sheet.offsetY = offsetTop;
    sheet.printableWidth = sheet.paperWidth - offsetLeft - offsetRight;
    sheet.printableHeight = sheet.paperHeight - offsetTop - offsetBottom;
    sheet.dpiX = sheet.dpiY = 600;
    return sheet;
}

// Distance of the drawing rectangle from each physical edge of the sheet.
struct Margins {
    int left, top, right, bottom;
};

Margins PhysicalMargins(const PrinterSheet &sheet, const platform::Rect &r)
{
    return {sheet.offsetX + r.left, sheet.offsetY + r.top, sheet.paperWidth - (sheet.offsetX + r.right),
            sheet.paperHeight - (sheet.offsetY + r.bottom)};
}

TEST(PrintRectangle, WorkedExampleA4At600Dpi)
{
    const platform::Rect r = PrintRectangle(A4At600(100, 100, 100, 100));
    EXPECT_EQ(r, (platform::Rect{254, 254, 4507, 6562}));
    const Margins m = PhysicalMargins(A4At600(100, 100, 100, 100), r);
    EXPECT_EQ(m.left, 354);
    EXPECT_EQ(m.right, 354);
}

TEST(PrintRectangle, OffCentrePrintableAreaGetsEqualMarginsOfOnePointFiveCentimetres)
{
    for (const PrinterSheet &sheet : {A4At600(150, 120, 50, 30), A4At600(50, 30, 150, 120)}) {
        const platform::Rect r = PrintRectangle(sheet);
        const Margins m = PhysicalMargins(sheet, r);
        EXPECT_EQ(m.left, m.right);
        EXPECT_EQ(m.top, m.bottom);
        // 0.591 inch at 600 dpi is 354.6 dots; the rectangle is never narrower than that.
        EXPECT_NEAR(m.left, 354, 1);
        EXPECT_NEAR(m.top, 354, 1);
        EXPECT_GE(r.left, 0);
        EXPECT_LE(r.right, sheet.printableWidth);
    }
}

TEST(PrintRectangle, WiderPrinterMarginsAreKept)
{
    // 2 cm unprintable on every side is already more than 1.5 cm: nothing is added.
    const PrinterSheet sheet = A4At600(472, 472, 472, 472);
    const platform::Rect r = PrintRectangle(sheet);
    EXPECT_EQ(r, (platform::Rect{0, 0, sheet.printableWidth, sheet.printableHeight}));
}

TEST(PrintRectangle, WholeSheetPrintableAt300Dpi)
{
    PrinterSheet sheet;
    sheet.paperWidth = sheet.printableWidth = 3508; // A4 landscape at 300 dpi
    sheet.paperHeight = sheet.printableHeight = 2480;
    sheet.dpiX = sheet.dpiY = 300;
    const platform::Rect r = PrintRectangle(sheet);
    // 300 x 0.591 = 177.3 dots.
    EXPECT_EQ(r, (platform::Rect{177, 177, 3508 - 177, 2480 - 177}));
}

} // namespace
