#include "layout_fixture.h"

namespace {

using platform::Rect;

// The large cells on a landscape rectangle (0, 0, 850, 600).
class LargeCellsTest : public LayoutTest
{
protected:
    void DrawMonth(int year, int month, double s = 1.0)
    {
        app.Annee = year;
        Draw(DisplayMode::HorizontalLargeCells, month, s, 0, 0, 850, 600);
        U = 600.0 / (2 * std::max(1.0, s) + 42);
        CW = view.Sem ? 850.0 / 7.3 : 850.0 / 7;
        L2 = view.Sem ? Tr(0.3 * CW) : 0;
    }
    double RowHeight(int rows) const { return U * 32 / rows; }

    // Lines between the week rows, after the three fixed rules and the eight column rules.
    std::vector<int> RowRules() const
    {
        std::vector<int> ys;
        const auto lines = Of(Kind::Line);
        for (std::size_t i = 3 + 8; i < lines.size(); ++i)
            ys.push_back(lines[i].y1);
        return ys;
    }
    std::vector<platform::RecordedCall> WeekNumbers() const
    {
        std::vector<platform::RecordedCall> found;
        for (const auto &call : Of(Kind::Text))
            if (call.flags == platform::kTextRight)
                found.push_back(call);
        return found;
    }

    double U = 0, CW = 0, L2 = 0;
};

TEST_F(LargeCellsTest, WeekRowsFollowTheMonth)
{
    // February 2021: 4 rows; March 2021: 5; May 2021 (the 1st a Saturday): 6.
    for (const auto &[month, rows] : {std::pair{2, 4}, {3, 5}, {5, 6}}) {
        DrawMonth(2021, month);
        const double Y9 = 0 + 9 * U, RH = RowHeight(rows);
        std::vector<int> expected;
        for (int w = 1; w < rows; ++w)
            expected.push_back(Tr(Y9 + w * RH));
        EXPECT_EQ(RowRules(), expected) << month;
        // The last day sits in the last row.
        const auto *last = FindText(QString::number(month == 2 ? 28 : 31));
        ASSERT_NE(last, nullptr);
        EXPECT_EQ(last->rect.top, Tr(Y9 + (rows - 1 + 0.05) * RH)) << month;
        EXPECT_EQ(last->rect.bottom, Tr(Y9 + rows * RH));
    }
}

TEST_F(LargeCellsTest, MonthStartingOnSundayUsesTheSeventhColumn)
{
    DrawMonth(2021, 8); // 1 August 2021 is a Sunday
    const double Y9 = 9 * U, RH = RowHeight(6);
    const auto *first = FindText("1");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->rect, (Rect{Tr(L2 + 6 * CW), Tr(Y9 + 0.05 * RH), Tr(L2 + 7 * CW), Tr(Y9 + RH)}));
    EXPECT_EQ(first->flags, 0x1u);
    EXPECT_EQ(first->font.tenths, 120);
    EXPECT_EQ(first->font.face, "COURRIER NEW");
    int firstRowFills = 0;
    for (const auto &fill : Of(Kind::FillRect))
        if (fill.colour == app.Color_NTrav && fill.rect.top == Tr(Y9)) {
            ++firstRowFills;
            EXPECT_EQ(fill.rect, (Rect{Tr(L2 + 6 * CW), Tr(Y9), Tr(L2 + 7 * CW), Tr(Y9 + RH)}));
        }
    EXPECT_EQ(firstRowFills, 1);
}

TEST_F(LargeCellsTest, WeekNumbersOfTheYearsEdges)
{
    const auto numbers = [&] {
        std::vector<QString> texts;
        for (const auto &call : WeekNumbers())
            texts.push_back(call.text);
        return texts;
    };
    DrawMonth(2021, 1); // 1 January a Friday: the first row belongs to 2020
    EXPECT_EQ(numbers(), (std::vector<QString>{"1", "2", "3", "4"}));
    const double RH = RowHeight(5), Y9 = 9 * U;
    EXPECT_EQ(WeekNumbers()[0].rect, (Rect{Tr(L2 - 0.3 * CW), Tr(Y9 + RH), Tr(L2 - 0.05 * CW), Tr(Y9 + 2 * RH)}));
    EXPECT_EQ(WeekNumbers()[0].font.tenths, 80);
    DrawMonth(2015, 1); // 1 January a Thursday
    EXPECT_EQ(numbers().front(), "1");
    DrawMonth(2019, 12); // 31 December a Tuesday: the last row belongs to 2020
    EXPECT_EQ(numbers().back(), "52");
    EXPECT_EQ(numbers().size(), 5u);
    DrawMonth(2020, 12);
    EXPECT_EQ(numbers().back(), "53");
    DrawMonth(2019, 3); // the first row's Thursday is 28 February
    EXPECT_EQ(numbers().front(), "9");
}

TEST_F(LargeCellsTest, WithoutWeekNumbersTheGridTakesTheWholeWidth)
{
    view.Sem = 0;
    view.PubVisible = 1;
    DrawMonth(2025, 3);
    EXPECT_TRUE(WeekNumbers().empty());
    EXPECT_EQ(FindText("Mars 2025")->rect, (Rect{0, Tr(2 * U), 850, Tr(6 * U)}));
    EXPECT_EQ(FindText("Lundi")->rect, (Rect{0, Tr(6 * U), Tr(850.0 / 7), Tr(9 * U)}));
    EXPECT_EQ(FindText(QString::fromUtf8("Première ligne"))->rect.left, 0);

    view.Sem = 1;
    DrawMonth(2025, 3);
    const int left = Tr(0.3 * (850 / 7.3));
    EXPECT_EQ(FindText("Mars 2025")->rect, (Rect{left, Tr(2 * U), 850, Tr(6 * U)}));
    EXPECT_EQ(FindText("Dimanche")->rect, (Rect{Tr(L2 + 6 * CW), Tr(6 * U), Tr(L2 + 7 * CW), Tr(9 * U)}));
    EXPECT_EQ(FindText("Seconde ligne")->rect, (Rect{left, Tr(43 * U), 850, Tr(44 * U)}));
    const auto lines = Of(Kind::Line);
    EXPECT_EQ((std::array{lines[0].x1, lines[0].y1, lines[0].x2}), (std::array{left, Tr(6 * U), 850}));
    EXPECT_EQ(lines[3 + 7].x1, Tr(L2 + 7 * CW));
}

TEST_F(LargeCellsTest, CellTextsFillsAndFonts)
{
    DrawMonth(2021, 5, 1.5); // 1 May 2021, a Saturday
    EXPECT_NE(FindText(QString::fromUtf8("1 - Fête Travail")), nullptr);
    EXPECT_EQ(FindText("Mai 2021")->font.tenths, 133);
    EXPECT_EQ(FindText("Lundi")->font.tenths, 133);
    EXPECT_EQ(FindText("Lundi")->bkMode, platform::TRANSPARENT);
    EXPECT_EQ(FindText(QString::fromUtf8("1 - Fête Travail"))->font.tenths, 80);
    EXPECT_EQ(WeekNumbers().front().font.tenths, 53);

    view.Ferie = 0;
    DrawMonth(2021, 7);
    EXPECT_NE(FindText("14"), nullptr);
    EXPECT_EQ(FindText(QString::fromUtf8("14 - Fête Nationale")), nullptr);
    const auto *july14 = FindText("14");
    bool filled = false;
    for (const auto &fill : Of(Kind::FillRect))
        filled |= fill.colour == app.Color_NTrav && fill.rect.left == july14->rect.left &&
                  fill.rect.bottom == july14->rect.bottom;
    EXPECT_TRUE(filled);
    // The grid comes after the cells so that no fill covers it.
    EXPECT_EQ(dc.Calls().back().kind, Kind::Line);
}

TEST_F(LargeCellsTest, PagesOutsideTheYearAndInvalidYearsAreSafe)
{
    for (const int page : {0, 13, -1}) {
        DrawMonth(2021, page);
        EXPECT_TRUE(dc.Calls().empty()) << page;
    }
    for (const int year : {99, 10000}) {
        for (int month = 1; month <= 12; ++month) {
            DrawMonth(year, month);
            EXPECT_TRUE(WeekNumbers().empty());
            EXPECT_NE(FindText("28"), nullptr);
        }
    }
}

} // namespace
