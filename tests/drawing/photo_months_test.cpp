#include "layout_fixture.h"

#include "drawing/drawing_conventions.h"
#include "images/photo_limits.h"
#include "platform/font_substitutions.h"
#include "platform/painter_surface.h"

#include <QImage>
#include <QPainter>

namespace {

// The photo calendar on a portrait rectangle (0, 0, 600, 850).
class PhotoMonthsTest : public LayoutTest
{
protected:
    PhotoMonthsTest() { app.Annee = 2027; }

    QStringList Texts() const
    {
        QStringList texts;
        for (const auto &call : Of(Kind::Text))
            texts << call.text;
        return texts;
    }
};

TEST_F(PhotoMonthsTest, ACoverThenTheTwelveMonthsInOrder)
{
    EXPECT_EQ(PageCount(DisplayMode::PhotoMonths), 13);
    EXPECT_TRUE(IsPortrait(DisplayMode::PhotoMonths));
    Draw(DisplayMode::PhotoMonths, 1, 1.0);
    EXPECT_NE(FindText(QStringLiteral("2027")), nullptr);
    EXPECT_FALSE(Texts().join(QLatin1Char(' ')).contains(QStringLiteral("Janvier")));
    // Page m + 1 is month m, its whole grid under the photo's frame: the large cells' own title
    // and days, starting on the weekday of the 1st.
    const int photoBottom = Tr(850 * photo_limits::kMonthPhotoShare);
    for (int month = 1; month <= 12; ++month) {
        Draw(DisplayMode::PhotoMonths, month + 1, 1.0);
        const platform::RecordedCall *title = FindText(render::MonthName(month) + QStringLiteral(" 2027"));
        ASSERT_NE(title, nullptr) << month;
        EXPECT_GT(title->rect.top, photoBottom);
        const int days = render::MonthLengths(2027)[static_cast<std::size_t>(month - 1)];
        EXPECT_NE(FindText(QString::number(days)), nullptr) << month;
    }
    // January 2027 starts on a Friday: the day 1 stands in the fifth column.
    view.Sem = 0;
    Draw(DisplayMode::PhotoMonths, 2, 1.0);
    const platform::RecordedCall *friday = FindText(QStringLiteral("Vendredi"));
    const auto texts = Of(Kind::Text);
    const auto first = std::find_if(texts.begin(), texts.end(), [](const auto &call) {
        return call.text.startsWith(QStringLiteral("1 - ")) || call.text == QStringLiteral("1");
    });
    ASSERT_NE(friday, nullptr);
    ASSERT_NE(first, texts.end());
    EXPECT_EQ(first->rect.left, friday->rect.left);
    for (const int page : {0, 14, -1}) {
        Draw(DisplayMode::PhotoMonths, page, 1.0);
        EXPECT_TRUE(dc.Calls().empty()) << page;
    }
}

TEST_F(PhotoMonthsTest, EmptyFramesHintOnScreenOnly)
{
    Draw(DisplayMode::PhotoMonths, 4, 1.0);
    EXPECT_NE(FindText(QStringLiteral("Photo de mars")), nullptr);
    EXPECT_TRUE(Of(Kind::Image).empty());
    platform::RecordingSurface paper(300, true);
    DrawCalendar(paper, Inputs(), 0, 0, 600, 850, 4, 1.0);
    for (const auto &call : paper.CallsOf(Kind::Text))
        EXPECT_FALSE(call.text.startsWith(QStringLiteral("Photo de"))) << call.text.toStdString();
    EXPECT_NE(Texts().indexOf(QStringLiteral("Mars 2027")), -1);
}

TEST_F(PhotoMonthsTest, APhotoIsCutToFillItsFrameNeverStretched)
{
    platform::RegisterFontSubstitutions();
    // A black circle in the middle of a wide pink photo, on January's page and on the cover.
    const QRgb pink = qRgb(230, 200, 200);
    QImage photo(900, 600, QImage::Format_RGB32);
    photo.fill(pink);
    {
        QPainter painter(&photo);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::black);
        painter.drawEllipse(QPointF(450, 300), 150, 150);
    }
    doc.MonthPhotos[0] = Photo(photo);
    doc.MonthPhotos[1] = Photo(photo);
    view.mode = DisplayMode::PhotoMonths;
    for (const int page : {1, 2}) {
        QImage sheet(600, 850, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        {
            QPainter painter(&sheet);
            platform::PainterSurface surface(painter, 72, 72, true);
            DrawCalendar(surface, Inputs(), 0, 0, 600, 850, page, 1.0);
        }
        const double share = page == 1 ? photo_limits::kCoverPhotoShare : photo_limits::kMonthPhotoShare;
        const int frameBottom = Tr(850 * share);
        int left = 600, right = -1, top = 850, bottom = -1;
        for (int y = 0; y < frameBottom; ++y)
            for (int x = 0; x < 600; ++x)
                if (qGray(sheet.pixel(x, y)) < 100) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        // The frame is taller than 3:2: the photo fills its height, its sides are cut.
        const double width = right - left + 1, height = bottom - top + 1;
        EXPECT_NEAR(width / height, 1.0, 0.03) << page;
        EXPECT_NEAR(height, frameBottom / 2.0, 3) << page;
        EXPECT_NEAR((left + right) / 2.0, 300, 2) << page;
        // Filled to the frame's corners.
        EXPECT_EQ(sheet.pixel(1, 1), pink);
        EXPECT_EQ(sheet.pixel(598, frameBottom - 2), pink);
    }
}

} // namespace
