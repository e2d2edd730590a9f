#include "output/press_sheet.h"
#include "output/print_geometry.h"

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

// The press sheet of an A4 page as the PDF export draws it (595 x 842 points at 1200 dpi): the
// trim is the page, the bleed surrounds it, the margin is whole points and whole pixels.
TEST(PressSheet, TrimBleedAndMediaBoxesForBothOrientationsAndTwoBleeds)
{
    constexpr double kMm = 72.0 / 25.4;
    struct Row {
        double width, height;
        double bleedMm;
        PdfBox media, trim;
        int offset; // pixels at 1200 dpi
    };
    const Row rows[] = {
        {595, 842, 3, {0, 0, 649, 896}, {27, 27, 622, 869}, 450},
        {842, 595, 3, {0, 0, 896, 649}, {27, 27, 869, 622}, 450},
        {595, 842, 5, {0, 0, 661, 908}, {33, 33, 628, 875}, 550},
        {842, 595, 5, {0, 0, 908, 661}, {33, 33, 875, 628}, 550},
        // The exact A4: the sheet in whole points, the trim from its top left corner.
        {210 * kMm, 297 * kMm, 3, {0, 0, 650, 896}, {27, 869 - 297 * kMm, 27 + 210 * kMm, 869}, 450},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << row.width << " x " << row.height << ", bleed " << row.bleedMm);
        const PressSheet sheet = ComputePressSheet(row.width, row.height, row.bleedMm, 1200);
        EXPECT_EQ(sheet.media.right, row.media.right);
        EXPECT_EQ(sheet.media.top, row.media.top);
        EXPECT_NEAR(sheet.trim.left, row.trim.left, 1e-9);
        EXPECT_NEAR(sheet.trim.bottom, row.trim.bottom, 1e-9);
        EXPECT_NEAR(sheet.trim.right, row.trim.right, 1e-9);
        EXPECT_NEAR(sheet.trim.top, row.trim.top, 1e-9);
        // The drawing moves by exactly the margin: 50 pixels are 3 points at 1200 dpi.
        EXPECT_EQ(sheet.drawingOffset, row.offset);
        const double bleed = row.bleedMm * kMm;
        EXPECT_NEAR(sheet.bleed.left, row.trim.left - bleed, 1e-9);
        EXPECT_NEAR(sheet.bleed.bottom, row.trim.bottom - bleed, 1e-9);
        EXPECT_NEAR(sheet.bleed.right, row.trim.right + bleed, 1e-9);
        EXPECT_NEAR(sheet.bleed.top, row.trim.top + bleed, 1e-9);
        // The crop marks begin outside the bleed and have their 5 mm before the edge.
        EXPECT_GT(sheet.markStart, bleed);
        EXPECT_GE(sheet.margin - sheet.markStart, 5 * kMm - 1e-9);
    }
}
