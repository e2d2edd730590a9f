#include "layout_fixture.h"

#include "platform/painter_surface.h"

#include <QImage>
#include <QPainter>

#include <array>
#include <optional>

namespace {

using platform::Rect;

Photo MakePhoto(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return Photo(image);
}

using Segment = std::array<int, 4>;

class PhotoLayoutTest : public LayoutTest
{
protected:
    std::vector<Segment> Lines() const
    {
        std::vector<Segment> lines;
        for (const auto &call : Of(Kind::Line))
            lines.push_back({call.x1, call.y1, call.x2, call.y2});
        return lines;
    }
    bool HasLine(const Segment &line) const
    {
        const auto lines = Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    int CountLines(const Segment &line) const
    {
        const auto lines = Lines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }
    // Right-aligned texts (week numbers) starting at x.
    std::optional<platform::RecordedCall> WeekNumber(int x, const QString &number) const
    {
        for (const auto &call : TextsAt(x))
            if (call.flags == platform::kTextRight && call.text == number)
                return call;
        return std::nullopt;
    }
    bool Filled(const Rect &rect, platform::ColorRef colour) const
    {
        for (const auto &fill : Of(Kind::FillRect))
            if (fill.rect == rect && fill.colour == colour)
                return true;
        return false;
    }
};

// The vertical photo page on (10, 20, 610, 870) and on a printer-sized rectangle.
class VerticalPhotoTest : public PhotoLayoutTest, public ::testing::WithParamInterface<std::tuple<double, int>>
{
};

TEST_P(VerticalPhotoTest, BandsFramesAndRules)
{
    const auto [s, B] = GetParam();
    const double L = 10, T = 20, R = 610;
    const double CW = (R - L) * 0.125, X0 = L + CW, XR = R - CW;
    const double U = (B - T) / (2 * s + 102);
    view.PubVisible = 1;
    Draw(DisplayMode::VerticalPhoto, 1, s, 10, 20, 610, B);

    const auto *year = FindText("2021");
    ASSERT_NE(year, nullptr);
    EXPECT_EQ(year->rect, (Rect{10, Tr(T + 6 * U), 610, Tr(T + 14 * U)}));
    EXPECT_EQ(year->font, dc.CreatePointFont(Tr(400 / s), "TIME NEW ROMAN"));
    EXPECT_EQ(year->bkMode, platform::OPAQUE);

    const auto fills = Of(Kind::FillRect);
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(fills[c].rect, (Rect{Tr(X0 + c * CW), Tr(T + 56 * U), Tr(X0 + (c + 1) * CW), Tr(T + 59 * U)}));
        EXPECT_EQ(fills[c].colour, app.Color_Sem_Mois);
    }
    // 2 January 2021, a Saturday.
    EXPECT_TRUE(Filled({Tr(X0), Tr(T + 60 * U), Tr(X0 + CW), Tr(T + 61 * U)}, app.Color_NTrav));

    // n closed outlines for the photograph and the grid, n header rules thickening upward.
    const int n = Tr(U / 20 + 1);
    EXPECT_EQ(n, B > 3000 ? 4 : 1);
    for (int k = 0; k < n; ++k) {
        const int x0 = Tr(X0 - k), xr = Tr(XR + k);
        for (const auto &[top, bottom] :
             {std::pair{Tr(T + 18 * U - k), Tr(T + 50.1 * U + k)}, std::pair{Tr(T + 56 * U - k), Tr(T + 91 * U + k)}}) {
            EXPECT_TRUE(HasLine({x0, top, xr, top})) << k;
            EXPECT_TRUE(HasLine({xr, top, xr, bottom})) << k;
            EXPECT_TRUE(HasLine({xr, bottom, x0, bottom})) << k;
            EXPECT_TRUE(HasLine({x0, bottom, x0, top})) << k;
        }
        EXPECT_TRUE(HasLine({Tr(X0), Tr(T + 59 * U - k), Tr(XR), Tr(T + 59 * U - k)})) << k;
    }
    EXPECT_FALSE(HasLine({Tr(X0 - n), Tr(T + 18 * U - n), Tr(XR + n), Tr(T + 18 * U - n)}));
    for (int i = 0; i <= 6; ++i)
        EXPECT_TRUE(HasLine({Tr(X0 + i * CW), Tr(T + 56 * U), Tr(X0 + i * CW), Tr(T + 91 * U)})) << i;
    // Two outlines of four sides and one header rule per k, seven thin column rules, then a line
    // under every Sunday of January to June 2021 (26).
    EXPECT_EQ(Lines().size(), static_cast<std::size_t>(9 * n + 7 + 26));

    const auto *march = FindText("Mars");
    ASSERT_NE(march, nullptr);
    EXPECT_EQ(march->rect, (Rect{Tr(X0 + 2.05 * CW), Tr(T + 56.6 * U), Tr(X0 + 2.95 * CW), Tr(T + 58.4 * U)}));
    EXPECT_EQ(march->font.tenths, Tr(90 / s));
    EXPECT_EQ(march->bkMode, platform::TRANSPARENT);

    // 7 March: day number band.
    const auto marchDays = TextsAt(Tr(X0 + 2.16 * CW));
    ASSERT_EQ(marchDays.size(), 31u);
    EXPECT_EQ(marchDays[6].text, " 7");
    EXPECT_EQ(marchDays[6].rect, (Rect{Tr(X0 + 2.16 * CW), Tr(T + 65.1 * U), Tr(X0 + 2.25 * CW), Tr(T + 66 * U)}));
    EXPECT_EQ(marchDays[6].font, dc.CreatePointFont(Tr(45 / s), "COURRIER NEW"));

    EXPECT_EQ(FindText(QString::fromUtf8("Première ligne"))->rect,
              (Rect{10, Tr(T + 93 * U), 610, Tr(T + (s + 93) * U)}));
    const auto *pub2 = FindText("Seconde ligne");
    EXPECT_EQ(pub2->rect, (Rect{10, Tr(T + (s + 93) * U), 610, Tr(T + (2 * s + 93) * U)}));
    EXPECT_EQ(pub2->font.tenths, Tr(60 / s));
    EXPECT_EQ(&dc.Calls().back(), pub2);
    EXPECT_EQ(dc.CurrentFont(), platform::Font{});
    EXPECT_EQ(dc.CurrentBkMode(), platform::OPAQUE);
}

INSTANTIATE_TEST_SUITE_P(ScalesAndSizes, VerticalPhotoTest,
                         ::testing::Values(std::tuple{1.0, 870}, std::tuple{1.6, 870}, std::tuple{1.0, 6260}));

TEST_F(PhotoLayoutTest, VerticalPhotoPlaceholderOrImage)
{
    const double CW = 600 * 0.125, U = 850.0 / 104;
    Draw(DisplayMode::VerticalPhoto, 2, 1.0);
    EXPECT_NE(FindText("Juillet"), nullptr);
    EXPECT_EQ(FindText("Janvier"), nullptr);
    const QString lines[] = {"Image non disponible", QString::fromUtf8("Veuillez vérifier dans l'item"),
                             "\"Charger les images\" du menu \"Fichier\""};
    for (int i = 0; i < 3; ++i) {
        const auto *text = FindText(lines[i]);
        ASSERT_NE(text, nullptr) << i;
        EXPECT_EQ(text->rect, (Rect{Tr(CW), Tr((29 + 3 * i) * U), Tr(600 - CW), Tr((32 + 3 * i) * U)}));
        EXPECT_EQ(text->font.tenths, 90);
        EXPECT_EQ(text->flags, platform::kTextCentred);
    }

    // Printing keeps the frame but no placeholder.
    platform::RecordingSurface printer(600, true);
    view.mode = DisplayMode::VerticalPhoto;
    DrawCalendar(printer, Inputs(), 0, 0, 600, 850, 2, 1.0);
    for (const auto &call : printer.CallsOf(Kind::Text))
        for (const auto &line : lines)
            EXPECT_NE(call.text, line);
    EXPECT_FALSE(printer.CallsOf(Kind::Line).empty());

    // Page 2 takes image 2 and stretches it over the photograph band.
    doc.Photo1 = MakePhoto(3, 5, Qt::red);
    Draw(DisplayMode::VerticalPhoto, 2, 1.0);
    EXPECT_TRUE(Of(Kind::Image).empty());
    EXPECT_NE(FindText("Image non disponible"), nullptr);
    doc.Photo2 = MakePhoto(7, 2, Qt::blue);
    Draw(DisplayMode::VerticalPhoto, 2, 1.0);
    const auto images = Of(Kind::Image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].rect, (Rect{Tr(CW), Tr(18 * U), Tr(600 - CW), Tr(50.1 * U)}));
    EXPECT_EQ(FindText("Image non disponible"), nullptr);
    // The photograph comes after the year and before any fill.
    EXPECT_EQ(dc.Calls()[1].kind, Kind::Image);

    // No document: no image.
    view.mode = DisplayMode::VerticalPhoto;
    dc.Clear();
    DrawCalendar(dc, {app, view, nullptr}, 0, 0, 600, 850, 1, 1.0);
    EXPECT_NE(FindText("Image non disponible"), nullptr);
}

TEST_F(PhotoLayoutTest, VerticalPhotoWeekNumbersAndLeapYears)
{
    const double CW = 600 * 0.125, X0 = CW, U = 850.0 / 104;
    // 1 April 2021 is a Thursday: 1.5 rows down.
    Draw(DisplayMode::VerticalPhoto, 1, 1.0);
    const int april = Tr(X0 + 3.85 * CW);
    const auto first = WeekNumber(april, "13");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->rect, (Rect{april, Tr(59.1 * U) + Tr(3 * U / 2), Tr(X0 + 3.99 * CW), Tr(60 * U) + Tr(3 * U / 2)}));
    // 1 to 3 January belong to week 53 of 2020: January starts at 1, on the 7th.
    EXPECT_EQ(TextsAt(Tr(X0 + 0.85 * CW)).front().text, "1");
    EXPECT_EQ(TextsAt(Tr(X0 + 0.85 * CW)).front().rect.top, Tr(65.1 * U));
    // 31 December 2020, a Thursday: 53, 1.5 rows up.
    app.Annee = 2020;
    Draw(DisplayMode::VerticalPhoto, 2, 1.0);
    const auto last = WeekNumber(Tr(X0 + 5.85 * CW), "53");
    ASSERT_TRUE(last);
    EXPECT_EQ(last->rect.top, Tr(89.1 * U) - Tr(3 * U / 2));

    for (const auto &[year, rows] : {std::pair{2024, 29}, {2000, 29}, {2023, 28}, {2100, 28}, {1900, 28}}) {
        app.Annee = year;
        Draw(DisplayMode::VerticalPhoto, 1, 1.0);
        EXPECT_EQ(TextsAt(Tr(X0 + 1.16 * CW)).size(), static_cast<std::size_t>(rows)) << year;
    }
}

// The horizontal photo page on (0, 0, 1200, H).
class HorizontalPhotoTest : public PhotoLayoutTest
{
protected:
    struct Geometry {
        double L, T, R, B, CW, U, XP1, XP2;
        int e;
    };
    static Geometry Of(double s, int W, int H)
    {
        const int e = Tr(H / (2 * s + 42) / 5);
        Geometry g{double(e), double(e), double(W - e), double(H - e), 0, 0, 0, 0, e};
        g.CW = (g.R - g.L) * 0.125;
        g.U = (g.B - g.T) / (2 * s + 42);
        g.XP1 = g.L + 2 * g.CW;
        g.XP2 = g.R - 2 * g.CW;
        return g;
    }
    using PhotoLayoutTest::Of;
};

TEST_F(HorizontalPhotoTest, BandsAndMiddleMonthsFollowPhotoBas)
{
    for (const double s : {1.0, 1.4}) {
        for (const int bottomPhoto : {0, 1}) {
            const auto g = Of(s, 1200, 850);
            const int P = bottomPhoto ? 21 : 4, K = bottomPhoto ? 4 : 24;
            view.PhotoBas = bottomPhoto;
            view.PubVisible = 1;
            Draw(DisplayMode::HorizontalPhoto, 1, s, 0, 0, 1200, 850);
            SCOPED_TRACE(testing::Message() << s << " " << bottomPhoto);

            const auto *year = FindText("2021");
            ASSERT_NE(year, nullptr);
            EXPECT_EQ(year->rect, (Rect{g.e, Tr(g.T + g.U), 1200 - g.e, Tr(g.T + 4 * g.U)}));
            EXPECT_EQ(year->font.tenths, Tr(200 / s));

            const auto *placeholder = FindText("Image non disponible");
            ASSERT_NE(placeholder, nullptr);
            EXPECT_EQ(placeholder->rect,
                      (Rect{Tr(g.XP1), Tr(g.T + (P + 8) * g.U), Tr(g.XP2), Tr(g.T + (P + 10) * g.U)}));
            EXPECT_EQ(placeholder->font.tenths, Tr(200 / s));
            const auto *hint =
                FindText(QString::fromUtf8("Veuillez vérifier dans l'item \"Charger les images\" du menu \"Fichier\""));
            ASSERT_NE(hint, nullptr);
            EXPECT_EQ(hint->rect, (Rect{Tr(g.XP1), Tr(g.T + (P + 10) * g.U), Tr(g.XP2), Tr(g.T + (P + 12) * g.U)}));
            EXPECT_EQ(hint->font.tenths, Tr(120 / s));

            const auto fills = Of(Kind::FillRect);
            const int columns[6][2] = {{0, 1}, {1, 2}, {2, 4}, {4, 6}, {6, 7}, {7, 8}};
            for (int j = 0; j < 6; ++j) {
                const double top = (j == 2 || j == 3) ? K : 4;
                EXPECT_EQ(fills[j].rect, (Rect{Tr(g.L + columns[j][0] * g.CW), Tr(g.T + top * g.U),
                                               Tr(g.L + columns[j][1] * g.CW), Tr(g.T + (top + 3) * g.U)}))
                    << j;
            }
            const auto *april = FindText("Avril");
            EXPECT_EQ(april->rect, (Rect{Tr(g.L + 4.55 * g.CW), Tr(g.T + (K + 0.6) * g.U), Tr(g.L + 5.45 * g.CW),
                                         Tr(g.T + (K + 2.4) * g.U)}));
            EXPECT_EQ(FindText("Juin")->rect.top, Tr(g.T + 4.6 * g.U));

            // March: days 1-16 in the left sub-column, 17-31 in the right one, rows of 0.85 U.
            const auto left = TextsAt(Tr(g.L + 2.16 * g.CW));
            const auto right = TextsAt(Tr(g.L + 3.16 * g.CW));
            ASSERT_EQ(left.size(), 16u);
            ASSERT_EQ(right.size(), 15u);
            EXPECT_EQ(right[0].text, "17");
            EXPECT_EQ(right[0].rect.top, Tr(g.T + (0 * 0.85 + 1 + (K - 4) + 6.1) * g.U));
            EXPECT_EQ(right[0].rect.bottom, Tr(g.T + (0.85 + 6 + (0 * 0.85 + 1 + (K - 4))) * g.U));
            // Side months: rows of 1.08 U from 6.98 U.
            const auto june = TextsAt(Tr(g.L + 7.16 * g.CW));
            ASSERT_EQ(june.size(), 30u);
            EXPECT_EQ(june[0].rect, (Rect{Tr(g.L + 7.16 * g.CW), Tr(g.T + (1 * 1.08 - 0.1 + 6.1) * g.U),
                                          Tr(g.L + 7.25 * g.CW), Tr(g.T + (1.08 + 6 + (1 * 1.08 - 0.1)) * g.U)}));
            EXPECT_EQ(june[0].font.tenths, Tr(60 / s));

            EXPECT_EQ(FindText("Seconde ligne")->rect, (Rect{g.e, Tr(g.T + 43 * g.U), 1200 - g.e, Tr(g.T + 44 * g.U)}));
        }
    }
    // Page 2 holds Septembre and Octobre in the middle.
    Draw(DisplayMode::HorizontalPhoto, 2, 1.0, 0, 0, 1200, 850);
    EXPECT_EQ(TextsAt(Tr(Of(1.0, 1200, 850).L + 2.16 * Of(1.0, 1200, 850).CW)).size(), 16u);
    EXPECT_NE(FindText("Septembre"), nullptr);
    EXPECT_EQ(FindText("Mars"), nullptr);
}

TEST_F(HorizontalPhotoTest, ThickFramesAndRules)
{
    // A printer-sized rectangle: U about 60, so n = 8 and the thick rules span t = -2..4.
    const int W = 8000, H = 2580;
    const auto g = Of(1.0, W, H);
    const int n = Tr(g.U / 10 + 2), o = Tr(g.U / 10 + 1), o2 = n + Tr(g.U / 5);
    ASSERT_GT(n, 4);
    const int L = g.e, R = W - g.e;
    const int x1 = Tr(g.XP1), x2 = Tr(g.XP2);
    const auto y = [&](double units) { return Tr(g.T + units * g.U); };

    for (const int bottomPhoto : {0, 1}) {
        for (const int thick : {0, 1}) {
            SCOPED_TRACE(testing::Message() << bottomPhoto << " " << thick);
            view.PhotoBas = bottomPhoto;
            view.GrosTrait = thick;
            Draw(DisplayMode::HorizontalPhoto, 1, 1.0, 0, 0, W, H);
            const int P = bottomPhoto ? 21 : 4, K = bottomPhoto ? 4 : 24;
            for (int k = 0; k < n; ++k) {
                EXPECT_TRUE(HasLine({L - o, Tr(g.T + 4 * g.U - k), R + o, Tr(g.T + 4 * g.U - k)})) << k;
                EXPECT_TRUE(HasLine({L - o, Tr(g.T + 41 * g.U + k), R + o, Tr(g.T + 41 * g.U + k)})) << k;
                EXPECT_TRUE(HasLine({L - k, Tr(g.T + 4 * g.U - o), L - k, Tr(g.T + 41 * g.U + o)})) << k;
                EXPECT_TRUE(HasLine({R + k, Tr(g.T + 4 * g.U - o), R + k, Tr(g.T + 41 * g.U + o)})) << k;
                const int header = Tr(g.T + 7 * g.U - k);
                if (bottomPhoto) {
                    EXPECT_TRUE(HasLine({L - k, header, R + k, header}));
                    EXPECT_TRUE(HasLine({x1, Tr(g.T + P * g.U + k), x2, Tr(g.T + P * g.U + k)}));
                } else {
                    EXPECT_TRUE(HasLine({L - k, header, x1, header}));
                    EXPECT_TRUE(HasLine({x2, header, R + k, header}));
                    EXPECT_TRUE(HasLine({x1, Tr(g.T + 27 * g.U - k), x2, Tr(g.T + 27 * g.U - k)}));
                    EXPECT_TRUE(HasLine({x1, Tr(g.T + 24 * g.U + k), x2, Tr(g.T + 24 * g.U + k)}));
                }
                EXPECT_TRUE(HasLine({Tr(g.XP1 + k), y(P), Tr(g.XP1 + k), y(P + 20)}));
                EXPECT_TRUE(HasLine({Tr(g.XP2 - k), y(P), Tr(g.XP2 - k), y(P + 20)}));
                EXPECT_EQ(HasLine({Tr(g.XP1 + k), y(24), Tr(g.XP1 + k), y(27)}), !bottomPhoto && !thick);
            }
            EXPECT_FALSE(HasLine({L - o, Tr(g.T + 4 * g.U - n), R + o, Tr(g.T + 4 * g.U - n)}));
            // The thin outer frame.
            const int ya = Tr(g.T + 4 * g.U - o2), yb = Tr(g.T + 41 * g.U + o2);
            for (const Segment &line : {Segment{L - o2, ya, R + o2, ya}, Segment{L - o2, yb, R + o2, yb},
                                        Segment{L - o2, ya, L - o2, yb}, Segment{R + o2, ya, R + o2, yb}})
                EXPECT_EQ(CountLines(line), 1);

            // Column rules; only those between sub-columns stay one line with thick rules on.
            for (int i = 0; i <= 8; ++i) {
                const double XD = g.L + i * g.CW;
                const int from = i == 4 ? y(K) : (i == 3 || i == 5) ? y(K + 3) : y(4);
                const int to = (i >= 3 && i <= 5) ? y(K + 17) : y(41);
                int expected = 1;
                if (thick && i != 3 && i != 5) {
                    for (int t = Tr(1 - g.U / 20); t <= Tr(1 + g.U / 20); ++t) {
                        EXPECT_TRUE(HasLine({Tr(XD - t), from, Tr(XD - t), to})) << i << " " << t;
                        expected += t == 0 ? 1 : 0;
                    }
                }
                EXPECT_EQ(CountLines({Tr(XD), from, Tr(XD), to}), expected) << i;
            }
        }
    }
}

TEST_F(HorizontalPhotoTest, WeekNumbersMoveWithinSubColumns)
{
    const auto g = Of(1.0, 1200, 850);
    const auto at = [&](double column) { return Tr(g.L + (column + 0.85) * g.CW); };
    // 2021 page 2: Thursday 16 September ends the left sub-column and Thursday 30 September the
    // month: both move up 1.5 rows of 0.85 U.
    view.PhotoBas = 0;
    Draw(DisplayMode::HorizontalPhoto, 2, 1.0, 0, 0, 1200, 850);
    const double K = 24;
    const auto rowTop = [&](int d) { return Tr(g.T + (((d - 1) % 16) * 0.85 + 1 + (K - 4) + 6.1) * g.U); };
    const auto sept16 = WeekNumber(at(2), "37");
    ASSERT_TRUE(sept16);
    EXPECT_EQ(sept16->rect.top, rowTop(16) - Tr(3 * g.U * 0.5 * 0.85));
    const auto sept30 = WeekNumber(at(3), "39");
    ASSERT_TRUE(sept30);
    EXPECT_EQ(sept30->rect.top, rowTop(30) - Tr(3 * g.U * 0.5 * 0.85));
    // Thursday 14 October, third from the foot of the left sub-column: up 0.5 row.
    const auto oct14 = WeekNumber(at(4), "41");
    ASSERT_TRUE(oct14);
    EXPECT_EQ(oct14->rect.top, rowTop(14) - Tr(1 * g.U * 0.5 * 0.85));

    // 2022: Thursday 17 March moves down 1.5 rows, Thursday 13 October stays.
    app.Annee = 2022;
    Draw(DisplayMode::HorizontalPhoto, 1, 1.0, 0, 0, 1200, 850);
    const auto march17 = WeekNumber(at(3), "11");
    ASSERT_TRUE(march17);
    EXPECT_EQ(march17->rect.top, rowTop(17) + Tr(3 * g.U * 0.5 * 0.85));
    Draw(DisplayMode::HorizontalPhoto, 2, 1.0, 0, 0, 1200, 850);
    const auto oct13 = WeekNumber(at(4), "41");
    ASSERT_TRUE(oct13);
    EXPECT_EQ(oct13->rect.top, rowTop(13));
    // A side month with rows of 1.08 U: Thursday 1 December 2022, 1.5 rows down.
    const auto dec1 = WeekNumber(at(7), "48");
    ASSERT_TRUE(dec1);
    EXPECT_EQ(dec1->rect.top, Tr(g.T + (1 * 1.08 - 0.1 + 6.1) * g.U) + Tr(3 * g.U * 0.5 * 1.08));
}

TEST_F(HorizontalPhotoTest, ImageOrPlaceholderAndPageChecks)
{
    const auto g = Of(1.0, 1200, 850);
    view.PhotoBas = 1;
    doc.Photo1 = MakePhoto(4, 3, Qt::green);
    Draw(DisplayMode::HorizontalPhoto, 1, 1.0, 0, 0, 1200, 850);
    const auto images = Of(Kind::Image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].rect, (Rect{Tr(g.XP1), Tr(g.T + 21 * g.U), Tr(g.XP2), Tr(g.T + 41 * g.U)}));
    EXPECT_EQ(FindText("Image non disponible"), nullptr);

    platform::RecordingSurface printer(600, true);
    view.mode = DisplayMode::HorizontalPhoto;
    DrawCalendar(printer, Inputs(), 0, 0, 1200, 850, 2, 1.0);
    EXPECT_TRUE(printer.CallsOf(Kind::Image).empty());
    for (const auto &call : printer.CallsOf(Kind::Text))
        EXPECT_NE(call.text, "Image non disponible");

    for (const DisplayMode mode : {DisplayMode::HorizontalPhoto, DisplayMode::VerticalPhoto})
        for (const int page : {0, 3, -1, 1000}) {
            Draw(mode, page, 1.0);
            EXPECT_TRUE(dc.Calls().empty()) << page;
        }
}

TEST_F(PhotoLayoutTest, ThePhotographFillsItsRectangleOnPaper)
{
    // An image of other proportions is stretched over the whole band.
    doc.Photo1 = MakePhoto(2, 9, QColor(200, 0, 0));
    QImage page(600, 850, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        platform::PainterSurface surface(painter, 96, 96, true);
        view.mode = DisplayMode::VerticalPhoto;
        DrawCalendar(surface, Inputs(), 0, 0, 600, 850, 1, 1.0);
    }
    const double CW = 75, U = 850.0 / 104;
    EXPECT_EQ(page.pixel(Tr(CW) + 2, Tr(18 * U) + 2), qRgb(200, 0, 0));
    EXPECT_EQ(page.pixel(Tr(600 - CW) - 3, Tr(50.1 * U) - 3), qRgb(200, 0, 0));
    EXPECT_EQ(page.pixel(Tr(CW) - 3, Tr(30 * U)), qRgb(255, 255, 255));
    EXPECT_EQ(page.pixel(Tr(600 - CW) + 3, Tr(30 * U)), qRgb(255, 255, 255));
}

} // namespace
