#include "images/photo.h"

#include "platform/painter_surface.h"
#include "platform/recording_surface.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// A surface that keeps the picture it was handed.
class KeepingSurface : public platform::RecordingSurface
{
public:
    using RecordingSurface::RecordingSurface;
    void DrawImage(const QImage &image, const platform::Rect &target) override
    {
        drawn = image;
        RecordingSurface::DrawImage(image, target);
    }
    QImage drawn;
};

TEST(PhotoCopies, TheScreenCopyIsScaledOnceAndAgainOnlyWhenTheFrameChanges)
{
    QImage picture(600, 400, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    const Photo photo(picture);
    KeepingSurface screen(96, false);
    const int before = Photo::ScaledCopiesMade();
    for (int repaint = 0; repaint < 3; ++repaint)
        PaintPhoto(screen, {10, 10, 310, 160}, photo, false);
    EXPECT_EQ(Photo::ScaledCopiesMade(), before + 1);
    EXPECT_EQ(screen.drawn.size(), QSize(300, 150));
    // The view was resized: one new copy, kept again.
    PaintPhoto(screen, {10, 10, 210, 110}, photo, false);
    PaintPhoto(screen, {10, 10, 210, 110}, photo, false);
    EXPECT_EQ(Photo::ScaledCopiesMade(), before + 2);
    // Printing in between keeps its own copy: the screen's stays.
    KeepingSurface printer(1200, true);
    PaintPhoto(printer, {0, 0, 4800, 2400}, photo, false);
    PaintPhoto(screen, {10, 10, 210, 110}, photo, false);
    EXPECT_EQ(Photo::ScaledCopiesMade(), before + 3);
}

TEST(PhotoCopies, PaperGetsAtMostThreeHundredPixelsPerInch)
{
    QImage picture(1800, 1200, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    const Photo photo(picture);
    // 4 x 2 inches at 1200 dpi: 1200 x 600 pixels are sent, the device enlarges them.
    KeepingSurface printer(1200, true);
    PaintPhoto(printer, {0, 0, 4800, 2400}, photo, false);
    EXPECT_EQ(printer.drawn.size(), QSize(1200, 600));
    // A small photo is sent as it is, never enlarged.
    const Photo small(picture.copy(0, 0, 300, 200));
    PaintPhoto(printer, {0, 0, 4800, 2400}, small, false);
    EXPECT_EQ(printer.drawn.size(), QSize(300, 200));
    // At 150 dpi the page needs fewer pixels than 300 ppi: the frame's own size.
    KeepingSurface export150(150, true);
    PaintPhoto(export150, {0, 0, 600, 300}, photo, false);
    EXPECT_EQ(export150.drawn.size(), QSize(600, 300));
}

TEST(PhotoCopies, CroppingKeepsTheProportionsAndTheMiddle)
{
    EXPECT_EQ(CropToFrame({400, 600}, {300, 150}), QRect(0, 200, 400, 200));
    EXPECT_EQ(CropToFrame({600, 300}, {100, 100}), QRect(150, 0, 300, 300));
    EXPECT_EQ(CropToFrame({300, 150}, {200, 100}), QRect(0, 0, 300, 150));

    // A portrait picture, red in its middle third, blue above and below, in a wide frame.
    QImage picture(30, 90, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int y = 30; y < 60; ++y)
        for (int x = 0; x < 30; ++x)
            picture.setPixel(x, y, qRgb(255, 0, 0));
    QImage page(100, 50, QImage::Format_RGB32);
    {
        QPainter painter(&page);
        platform::PainterSurface dc(painter, 96, 96, false);
        PaintPhoto(dc, {0, 0, 90, 30}, Photo(picture), true);
    }
    // Only the middle square shows, stretched evenly: red from edge to edge.
    EXPECT_EQ(page.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(page.pixel(88, 28), qRgb(255, 0, 0));
}

} // namespace
