#include "layout_fixture.h"

#include "platform/font_substitutions.h"
#include "platform/painter_surface.h"

#include <QImage>
#include <QPainter>

namespace {

// The vertical page of 2021 painted on a white portrait image.
class RenderPixelsTest : public LayoutTest
{
protected:
    static constexpr int L = 40, T = 50, R = 1090, B = 1550;

    QImage Render()
    {
        platform::RegisterFontSubstitutions();
        QImage image(1130, 1600, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        platform::PainterSurface surface(painter, 150, 150, false);
        view.mode = DisplayMode::Vertical;
        DrawCalendar(surface, Inputs(), L, T, R, B, 1, 1.0);
        painter.end();
        return image;
    }

    static QRgb Rgb(platform::ColorRef colour) { return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, colour >> 16); }
    // A point at a fraction of column c and at a fraction of a row counted in units from T.
    static QPoint At(int c, double columnFraction, double rowUnits)
    {
        const double CW = (R - L) / 6.0, U = (B - T) / 84.0;
        return {Tr(L + (c + columnFraction) * CW), Tr(T + rowUnits * U)};
    }
};

TEST_F(RenderPixelsTest, FillsRowsAndRules)
{
    doc.Dates = {COleDateTime(2021, 3, 10, 0, 0, 0)};
    doc.Libelles = {"Un libell\xC3\xA9 bien trop long pour tenir dans sa colonne"};
    view.FerieParticulier = 1;
    const QImage image = Render();
    const QRgb ntrav = Rgb(app.Color_NTrav);

    // Sunday 3 January, right of its texts.
    EXPECT_EQ(image.pixel(At(0, 0.6, 3 + 8.5)), ntrav);
    // 14 July (a Wednesday) past the end of its label.
    EXPECT_EQ(image.pixel(At(0, 0.97, 14 + 8.5 + 39)), ntrav);
    // An ordinary day and the row below 31 January stay white.
    EXPECT_EQ(image.pixel(At(0, 0.6, 5 + 8.5)), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(At(0, 0.5, 32 + 8.5)), qRgb(255, 255, 255));

    // The rule at 6 units lights its own row only, between the blank margin and the header fill.
    const double U = (B - T) / 84.0;
    const int y = Tr(6 * U + T);
    const int x = L + 50;
    EXPECT_EQ(image.pixel(x, y), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(x, y - 1), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(x, y + 1), Rgb(app.Color_Sem_Mois));
    EXPECT_EQ(image.pixel(L - 1, y), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(L, y), qRgb(0, 0, 0));

    // The long label of Wednesday 10 March stops at 0.95 of its column.
    const double CW = (R - L) / 6.0;
    const int clipAt = Tr(2.95 * CW + L), columnEnd = Tr(3 * CW + L);
    for (int yy = Tr((10 + 8.1) * U + T); yy < Tr((10 + 9) * U + T); ++yy)
        for (int xx = clipAt; xx < columnEnd; ++xx)
            ASSERT_EQ(image.pixel(xx, yy), ntrav) << xx << "," << yy;
    // ... and was drawn before it.
    int dark = 0;
    for (int yy = Tr((10 + 8.1) * U + T); yy < Tr((10 + 9) * U + T); ++yy)
        for (int xx = Tr(2.5 * CW + L); xx < clipAt; ++xx)
            dark += qGray(image.pixel(xx, yy)) < 100 ? 1 : 0;
    EXPECT_GT(dark, 10);
}

} // namespace
