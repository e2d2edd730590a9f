#include "platform/font_substitutions.h"
#include "platform/painter_surface.h"
#include "platform/recording_surface.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPicture>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

using platform::Rect;

// Paints on a white 60 x 40 image through the painter surface.
QImage Paint(const std::function<void(platform::PainterSurface &)> &draw, QColor background = Qt::white)
{
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    platform::PainterSurface dc(painter, 96, 96, false);
    draw(dc);
    painter.end();
    return image;
}

bool IsBlack(const QImage &image, int x, int y)
{
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

bool IsWhite(const QImage &image, int x, int y)
{
    return image.pixel(x, y) == qRgb(255, 255, 255);
}

int CountNonWhite(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += IsWhite(image, x, y) ? 0 : 1;
    return count;
}

TEST(DrawSurface, PointFontsUseTheVerticalResolutionRoundedLikeMulDiv)
{
    platform::RecordingSurface screen(96);
    EXPECT_EQ(screen.CreatePointFont(200, "TIME NEW ROMAN"), (platform::Font{"TIME NEW ROMAN", 200, 27}));
    EXPECT_EQ(screen.CreatePointFont(60, "COURRIER NEW").pixelHeight, 8); // 7.999...
    EXPECT_EQ(screen.CreatePointFont(133, "X").pixelHeight, 18);          // 17.73
    platform::RecordingSurface printer(600, true);
    EXPECT_EQ(printer.CreatePointFont(45, "X").pixelHeight, 38); // 37.5 rounds up
    EXPECT_TRUE(printer.IsPrinting());
}

TEST(DrawSurface, FontSubstitutionsResolveToLiberation)
{
    platform::RegisterFontSubstitutions();
    EXPECT_EQ(QFontInfo(QFont("TIME NEW ROMAN")).family(), "Liberation Serif");
    EXPECT_EQ(QFontInfo(QFont("COURRIER NEW")).family(), "Liberation Mono");
}

TEST(PainterSurface, LinesLightTheirPixelsWithoutTheEndPoint)
{
    const QImage image = Paint([](platform::DrawSurface &dc) {
        dc.MoveTo(10, 5);
        dc.LineTo(20, 5);
        dc.MoveTo(20, 9); // drawn backwards: 11..20
        dc.LineTo(10, 9);
        dc.MoveTo(30, 10);
        dc.LineTo(30, 15);
        dc.MoveTo(40, 3);
        dc.LineTo(40, 3); // nothing
    });
    for (int x = 10; x < 20; ++x)
        EXPECT_TRUE(IsBlack(image, x, 5)) << x;
    EXPECT_TRUE(IsWhite(image, 9, 5));
    EXPECT_TRUE(IsWhite(image, 20, 5));
    EXPECT_EQ(CountNonWhite(image, QRect(0, 4, 60, 1)), 0);
    EXPECT_EQ(CountNonWhite(image, QRect(0, 6, 60, 1)), 0);
    EXPECT_TRUE(IsWhite(image, 10, 9));
    EXPECT_TRUE(IsBlack(image, 11, 9));
    EXPECT_TRUE(IsBlack(image, 20, 9));
    EXPECT_EQ(CountNonWhite(image, QRect(0, 9, 60, 1)), 10);
    EXPECT_EQ(CountNonWhite(image, QRect(30, 0, 1, 40)), 5);
    EXPECT_TRUE(IsBlack(image, 30, 10));
    EXPECT_TRUE(IsWhite(image, 30, 15));
    EXPECT_EQ(CountNonWhite(image, QRect(29, 0, 1, 40)) + CountNonWhite(image, QRect(31, 0, 1, 40)), 0);
    EXPECT_TRUE(IsWhite(image, 40, 3));
}

// A printer page at 1200 dpi is shown reduced in the preview and in PDF viewers: its rules must
// stay visible there instead of thinning out to nothing.
TEST(PainterSurface, LinesOnVectorDevicesStayVisibleWhenTheyAreScaledDown)
{
    QPicture picture;
    {
        QPainter painter(&picture);
        platform::PainterSurface dc(painter, 1200, 1200, true);
        dc.MoveTo(0, 400);
        dc.LineTo(2000, 400);
        dc.MoveTo(1000, 0);
        dc.LineTo(1000, 800);
    }
    QImage image(250, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(0.1, 0.1);
        picture.play(&painter);
    }
    auto darkest = [&](int x0, int y0, int x1, int y1) {
        int gray = 255;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                gray = std::min(gray, qGray(image.pixel(x, y)));
        return gray;
    };
    EXPECT_LT(darkest(50, 39, 50, 41), 128);  // the horizontal rule, far from the vertical one
    EXPECT_LT(darkest(99, 20, 101, 20), 128); // the vertical rule
    EXPECT_EQ(darkest(150, 60, 200, 90), 255);
}

TEST(PainterSurface, FillsIncludeLeftAndTopEdgesOnly)
{
    const QImage image = Paint([](platform::DrawSurface &dc) {
        dc.FillRect({2, 3, 6, 8}, 0x00FF8040);   // blue 0xFF, green 0x80, red 0x40
        dc.FillRect({20, 20, 10, 30}, 0x000000); // inverted: nothing
    });
    EXPECT_EQ(image.pixel(2, 3), qRgb(0x40, 0x80, 0xFF));
    EXPECT_EQ(image.pixel(5, 7), qRgb(0x40, 0x80, 0xFF));
    EXPECT_TRUE(IsWhite(image, 6, 7));
    EXPECT_TRUE(IsWhite(image, 5, 8));
    EXPECT_TRUE(IsWhite(image, 1, 3));
    EXPECT_EQ(CountNonWhite(image, image.rect()), 4 * 5);
}

TEST(PainterSurface, CoordinatesAcrossTheWholeIntRange)
{
    constexpr int kMin = std::numeric_limits<int>::min(), kMax = std::numeric_limits<int>::max();
    const QImage filled = Paint([](platform::DrawSurface &dc) { dc.FillRect({kMin, kMin, kMax, kMax}, 0x000000); });
    EXPECT_EQ(CountNonWhite(filled, filled.rect()), 60 * 40);

    const QImage drawn = Paint([](platform::DrawSurface &dc) {
        QImage white(2, 2, QImage::Format_RGB32);
        white.fill(Qt::white);
        dc.DrawImage(white, {kMin, kMin, kMax, kMax});
        dc.Rectangle({kMin, kMin, kMax, kMax}, 0xFFFFFF);
        dc.DrawText("x", {kMin, kMin, kMax, kMax}, platform::kTextCentred);
        dc.MoveTo(kMax, 5);
        dc.LineTo(kMin, 5);
        dc.MoveTo(7, kMin);
        dc.LineTo(7, kMax);
    });
    EXPECT_TRUE(IsBlack(drawn, 0, 5));
    EXPECT_TRUE(IsBlack(drawn, 59, 5));
    EXPECT_TRUE(IsBlack(drawn, 7, 39));
}

TEST(PainterSurface, RectangleOutlinesItsInnerEdge)
{
    const QImage image = Paint(
        [](platform::DrawSurface &dc) {
            dc.Rectangle({5, 5, 15, 12}, 0x808080);
        },
        QColor(0, 255, 0));
    EXPECT_TRUE(IsBlack(image, 5, 5));
    EXPECT_TRUE(IsBlack(image, 14, 11));
    EXPECT_TRUE(IsBlack(image, 14, 8));
    EXPECT_EQ(image.pixel(6, 6), qRgb(0x80, 0x80, 0x80));
    EXPECT_EQ(image.pixel(13, 10), qRgb(0x80, 0x80, 0x80));
    EXPECT_EQ(image.pixel(15, 8), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(10, 12), qRgb(0, 255, 0));
}

TEST(PainterSurface, TextsStayInsideTheirRectangle)
{
    platform::RegisterFontSubstitutions();
    const QImage image = Paint([](platform::DrawSurface &dc) {
        dc.SelectFont(dc.CreatePointFont(200, "COURRIER NEW"));
        dc.SetBkMode(platform::TRANSPARENT);
        dc.DrawText("WWWWWWWWWW", {10, 10, 30, 30}, platform::kTextCentred);
    });
    EXPECT_GT(CountNonWhite(image, QRect(10, 10, 20, 20)), 20);
    EXPECT_EQ(CountNonWhite(image, image.rect()), CountNonWhite(image, QRect(10, 10, 20, 20)));
}

TEST(PainterSurface, OpaqueTextsPaintWhiteBehindTheirBoxOnly)
{
    platform::RegisterFontSubstitutions();
    const auto draw = [](int mode) {
        return Paint(
            [mode](platform::DrawSurface &dc) {
                dc.SelectFont(dc.CreatePointFont(120, "TIME NEW ROMAN"));
                dc.SetBkMode(mode);
                dc.DrawText("i", {0, 0, 60, 40}, platform::kTextCentred);
            },
            QColor(0, 255, 0));
    };
    const QImage opaque = draw(platform::OPAQUE);
    const QImage transparent = draw(platform::TRANSPARENT);
    int white = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            white += IsWhite(opaque, x, y) ? 1 : 0;
    EXPECT_GT(white, 10);
    EXPECT_EQ(opaque.pixel(1, 1), qRgb(0, 255, 0)); // outside the text's own box
    EXPECT_EQ(CountNonWhite(transparent, transparent.rect()), 60 * 40);
}

TEST(PainterSurface, AmpersandsAreMnemonics)
{
    platform::RegisterFontSubstitutions();
    const auto draw = [](const QString &text) {
        return Paint([&text](platform::DrawSurface &dc) {
            dc.SelectFont(dc.CreatePointFont(100, "COURRIER NEW"));
            dc.SetBkMode(platform::TRANSPARENT);
            dc.DrawText(text, {0, 0, 60, 40}, platform::kTextLeft);
        });
    };
    // "&&" shows one ampersand; "&x" shows x, underlined.
    QImage plain(60, 40, QImage::Format_RGB32);
    plain.fill(Qt::white);
    {
        QPainter painter(&plain);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        QFont font("COURRIER NEW");
        font.setPixelSize(13);
        painter.setFont(font);
        painter.drawText(QRect(0, 0, 60, 40), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, "a&b");
    }
    EXPECT_EQ(draw("a&&b"), plain);
    const QImage underlined = draw("&b");
    const QImage bare = draw("b");
    EXPECT_NE(underlined, bare);
    EXPECT_GT(CountNonWhite(underlined, underlined.rect()), CountNonWhite(bare, bare.rect()));
}

TEST(RecordingSurface, KeepsEveryCallWithItsState)
{
    platform::RecordingSurface dc;
    const platform::Font font = dc.CreatePointFont(80, "COURRIER NEW");
    EXPECT_EQ(dc.SelectFont(font), platform::Font{});
    EXPECT_EQ(dc.SetBkMode(platform::TRANSPARENT), platform::OPAQUE);
    dc.DrawText("7", {1, 2, 3, 4}, platform::kTextRight);
    dc.MoveTo(5, 6);
    dc.LineTo(7, 6);
    dc.FillRect({0, 0, 2, 2}, 0x123456);
    ASSERT_EQ(dc.Calls().size(), 3u);
    const platform::RecordedCall &text = dc.Calls()[0];
    EXPECT_EQ(text.text, "7");
    EXPECT_EQ(text.rect, (Rect{1, 2, 3, 4}));
    EXPECT_EQ(text.flags, 0x26u);
    EXPECT_EQ(text.font, font);
    EXPECT_EQ(text.bkMode, platform::TRANSPARENT);
    const platform::RecordedCall &line = dc.Calls()[1];
    EXPECT_EQ((std::array{line.x1, line.y1, line.x2, line.y2}), (std::array{5, 6, 7, 6}));
    EXPECT_EQ(dc.CallsOf(platform::RecordedCall::Kind::FillRect).at(0).colour, 0x123456u);
}

} // namespace
