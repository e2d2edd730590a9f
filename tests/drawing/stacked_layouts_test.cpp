#include "layout_fixture.h"

#include <QStringList>

#include <cstdlib>
#include <optional>

namespace {

using platform::Rect;

// The vertical and horizontal layouts on the rectangle (0, 0, 600, 850).
class StackedLayoutTest : public LayoutTest
{
protected:
    static constexpr double CW = 600.0 / 6;
    static double VerticalUnit(double s) { return 850.0 / (2 * s + 82); }
    static double HorizontalUnit(double s) { return 850.0 / (2 * s + 42); }

    // Week-number texts of the column that starts at c.
    std::vector<platform::RecordedCall> WeekNumbers(int c) const
    {
        std::vector<platform::RecordedCall> found;
        for (const auto &call : TextsAt(Tr((c + 0.85) * CW + 0)))
            if (call.flags == platform::kTextRight)
                found.push_back(call);
        return found;
    }
    std::optional<platform::RecordedCall> WeekNumber(int c, const QString &number) const
    {
        for (const auto &call : WeekNumbers(c))
            if (call.text == number)
                return call;
        return std::nullopt;
    }
};

class VerticalAtScale : public StackedLayoutTest, public ::testing::WithParamInterface<double>
{
};

TEST_P(VerticalAtScale, BandsRulesAndFonts)
{
    const double s = GetParam();
    const double U = VerticalUnit(s);
    view.PubVisible = 1;
    Draw(DisplayMode::Vertical, 1, s);

    const auto *title = FindText(QString::fromUtf8("Année 2021"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->rect, (Rect{0, 0, 600, Tr(4 * U + 0)}));
    EXPECT_EQ(title->font.face, "TIME NEW ROMAN");
    EXPECT_EQ(title->font.tenths, Tr(200 / s));
    EXPECT_EQ(title->flags, 0x25u);
    EXPECT_EQ(title->bkMode, platform::OPAQUE);

    const auto fills = Of(Kind::FillRect);
    for (int i = 0; i < 12; ++i) {
        const int c = i % 6, V = 39 * (i / 6);
        EXPECT_EQ(fills[i].rect, (Rect{Tr(c * CW), Tr((V + 6) * U), Tr((c + 1) * CW), Tr((V + 9) * U)})) << i;
        EXPECT_EQ(fills[i].colour, app.Color_Sem_Mois);
    }

    const auto lines = Of(Kind::Line);
    const double rules[] = {6, 41, 9, 45, 80, 48};
    for (int k = 0; k < 6; ++k) {
        const int y = Tr(rules[k] * U);
        EXPECT_EQ((std::array{lines[k].x1, lines[k].y1, lines[k].x2, lines[k].y2}), (std::array{0, y, 600, y})) << k;
    }
    for (int k = 0; k <= 6; ++k) {
        const auto &upper = lines[6 + 2 * k];
        const auto &lower = lines[7 + 2 * k];
        EXPECT_EQ((std::array{upper.x1, upper.y1, upper.x2, upper.y2}),
                  (std::array{Tr(k * CW), Tr(6 * U), Tr(k * CW), Tr(41 * U)}));
        EXPECT_EQ((std::array{lower.x1, lower.y1, lower.x2, lower.y2}),
                  (std::array{Tr(k * CW), Tr(45 * U), Tr(k * CW), Tr(80 * U)}));
    }

    const auto *july = FindText("Juillet");
    ASSERT_NE(july, nullptr);
    EXPECT_EQ(july->rect, (Rect{Tr(0.05 * CW), Tr((39 + 6.6) * U), Tr(0.95 * CW), Tr((39 + 8.4) * U)}));
    EXPECT_EQ(july->font.tenths, Tr(120 / s));
    EXPECT_EQ(july->bkMode, platform::TRANSPARENT);

    // 7 July 2021, a Wednesday, in the second block.
    const auto julyDays = TextsAt(Tr(0.16 * CW));
    ASSERT_EQ(julyDays.size(), 62u);
    const auto &seventh = julyDays[31 + 6];
    EXPECT_EQ(seventh.text, " 7");
    EXPECT_EQ(seventh.rect, (Rect{Tr(0.16 * CW), Tr((7 + 8.1 + 39) * U), Tr(0.25 * CW), Tr((39 + 9 + 7) * U)}));
    EXPECT_EQ(seventh.font, dc.CreatePointFont(Tr(60 / s), "COURRIER NEW"));
    EXPECT_EQ(seventh.flags, 0x24u);

    const auto *pub1 = FindText(QString::fromUtf8("Première ligne"));
    const auto *pub2 = FindText("Seconde ligne");
    ASSERT_TRUE(pub1 && pub2);
    EXPECT_EQ(pub1->rect, (Rect{0, Tr(82 * U), 600, Tr((s + 82) * U)}));
    EXPECT_EQ(pub2->rect, (Rect{0, Tr((s + 82) * U), 600, Tr((2 * s + 82) * U)}));
    EXPECT_EQ(pub1->font.tenths, Tr(60 / s));
    EXPECT_EQ(pub1->font.face, "TIME NEW ROMAN");
    EXPECT_EQ(&dc.Calls().back(), pub2);
    // Every group of texts gives the previous font back.
    EXPECT_EQ(dc.CurrentFont(), platform::Font{});
    EXPECT_EQ(dc.CurrentBkMode(), platform::OPAQUE);
}

INSTANTIATE_TEST_SUITE_P(Scales, VerticalAtScale, ::testing::Values(1.0, 1.5));

TEST_F(StackedLayoutTest, FillsComeFirstAndSundaysCloseEveryWeek)
{
    Draw(DisplayMode::Vertical, 1, 1.0);
    const double U = VerticalUnit(1.0);
    const auto &calls = dc.Calls();
    std::size_t firstLine = calls.size(), lastFill = 0, lastText = 0;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].kind == Kind::Line)
            firstLine = std::min(firstLine, i);
        if (calls[i].kind == Kind::FillRect)
            lastFill = i;
        if (calls[i].kind == Kind::Text)
            lastText = i;
    }
    EXPECT_LT(lastFill, firstLine);
    std::vector<platform::RecordedCall> separators(calls.begin() + static_cast<long>(lastText) + 1, calls.end());
    ASSERT_EQ(separators.size(), 52u); // the Sundays of 2021
    // 3 January 2021 is the first Sunday.
    const int y = Tr((0 + 9 + 3) * U);
    EXPECT_EQ((std::array{separators[0].x1, separators[0].y1, separators[0].x2, separators[0].y2}),
              (std::array{0, y, 100, y}));
}

TEST_F(StackedLayoutTest, FebruaryHasItsLeapDayOnlyInLeapYears)
{
    for (const auto &[year, rows] : {std::pair{2024, 29}, {2000, 29}, {2023, 28}, {2100, 28}, {1900, 28}}) {
        app.Annee = year;
        Draw(DisplayMode::Horizontal, 1, 1.0);
        const auto february = TextsAt(Tr((1 + 0.16) * CW));
        ASSERT_EQ(february.size(), static_cast<std::size_t>(rows)) << year;
        EXPECT_EQ(february.back().text, QString::number(rows));
    }
}

TEST_F(StackedLayoutTest, WeekNumbersSitInTheMiddleOfTheirWeek)
{
    // Vertical 2021: January's first number is 1 on Thursday 7; 1 to 3 January have none.
    double U = VerticalUnit(1.0);
    Draw(DisplayMode::Vertical, 1, 1.0);
    std::vector<QString> january;
    for (const auto &call : WeekNumbers(0))
        if (call.rect.top < Tr(45 * U))
            january.push_back(call.text);
    EXPECT_EQ(january, (std::vector<QString>{"1", "2", "3", "4"}));
    EXPECT_EQ(WeekNumber(0, "1")->rect, (Rect{Tr(0.85 * CW), Tr((7 + 8.1) * U), Tr(0.99 * CW), Tr(16 * U)}));
    EXPECT_EQ(WeekNumber(0, "1")->font.face, "COURRIER NEW");
    // 4 March 2021: not moved.
    EXPECT_EQ(WeekNumber(2, "9")->rect.top, Tr((4 + 8.1) * U));

    // Vertical 2020: 53 on Thursday 31 December, 1.5 rows up; 1 October, a Thursday, 1.5 rows down;
    // 2 January, one row down.
    app.Annee = 2020;
    Draw(DisplayMode::Vertical, 1, 1.0);
    const auto last = WeekNumber(5, "53");
    ASSERT_TRUE(last);
    EXPECT_EQ(last->rect.top, Tr((31 + 8.1 + 39) * U) - Tr(3 * U * 0.5));
    EXPECT_EQ(last->rect.bottom, Tr((39 + 9 + 31) * U) - Tr(3 * U * 0.5));
    EXPECT_EQ(WeekNumber(3, "40")->rect.top, Tr((1 + 8.1 + 39) * U) + Tr(3 * U * 0.5));
    EXPECT_EQ(WeekNumber(0, "1")->rect.top, Tr((2 + 8.1) * U) + Tr(2 * U * 0.5));
    // 27 October 2022, the month's length less four, stays on its row.
    app.Annee = 2022;
    Draw(DisplayMode::Vertical, 1, 1.0);
    EXPECT_EQ(WeekNumber(3, "43")->rect.top, Tr((27 + 8.1 + 39) * U));

    // Horizontal 2019: 29 August moves up half a row; 25 July (length - 6) stays.
    app.Annee = 2019;
    U = HorizontalUnit(1.0);
    Draw(DisplayMode::Horizontal, 2, 1.0);
    EXPECT_EQ(WeekNumber(1, "35")->rect.top, Tr((29 + 8.1) * U) - Tr(1 * U * 0.5));
    EXPECT_EQ(WeekNumber(0, "30")->rect.top, Tr((25 + 8.1) * U));
    // Horizontal 2020, page 2: 31 December gives 53 and nothing follows it.
    app.Annee = 2020;
    Draw(DisplayMode::Horizontal, 2, 1.0);
    EXPECT_EQ(WeekNumbers(5).back().text, "53");

    view.Sem = 0;
    Draw(DisplayMode::Horizontal, 2, 1.0);
    EXPECT_TRUE(WeekNumbers(5).empty());
}

TEST_F(StackedLayoutTest, ALabelStopsASpaceBeforeTheWeekNumberOfItsRow)
{
    struct Case {
        int year;
        model::Region region;
        int month, day;
        QString label;
        QString weekNumber; // written across the label's row; empty when none is
    };
    const Case cases[] = {
        {2027, model::Region::Guadeloupe, 5, 27, QStringLiteral("Abol. esclavage"), QStringLiteral("21")},
        // Thursday 1 January 2026: its number moves down, across the 2nd and the 3rd.
        {2026, model::Region::Metropole, 1, 2, QStringLiteral("Pont"), QStringLiteral("1")},
        {2026, model::Region::Metropole, 1, 1, QStringLiteral("Nouvel An"), QString()},
        // Thursday 1 May 2025, likewise: the label keeps its whole width.
        {2025, model::Region::Metropole, 5, 1, QString::fromUtf8("Fête Travail"), QString()},
    };
    view.FerieParticulier = 1;
    for (const Case &c : cases) {
        app.Annee = c.year;
        app.Region = c.region;
        doc.Dates = {COleDateTime(2026, 1, 2, 0, 0, 0)};
        doc.Libelles = {"Pont"};
        Draw(DisplayMode::Vertical, 1, 1.0);
        const auto *label = FindText(c.label);
        ASSERT_NE(label, nullptr) << c.label.toStdString();
        const int column = (c.month - 1) % 6;
        if (c.weekNumber.isEmpty()) {
            EXPECT_EQ(label->rect.right, Tr((column + 0.95) * CW)) << c.label.toStdString();
            EXPECT_EQ(label->flags, platform::kTextLeft | platform::DT_NOPREFIX);
            continue;
        }
        const auto number = WeekNumber(column, c.weekNumber);
        ASSERT_TRUE(number);
        dc.SelectFont(label->font);
        const int numberLeft = number->rect.right - dc.TextWidth(c.weekNumber);
        EXPECT_LE(label->rect.right + dc.TextWidth(QStringLiteral(" ")), numberLeft) << c.label.toStdString();
        EXPECT_GT(label->rect.right, Tr((column + 0.26) * CW));
        EXPECT_TRUE(label->flags & platform::DT_CONDENSE) << "narrowed rather than cut";
    }
}

// Every layout drawn into a rectangle away from the origin draws the same page, moved (to a
// unit, as adding the offset may round a coordinate that truncation would have cut).
TEST_F(StackedLayoutTest, EveryLayoutMovesWithItsRectangle)
{
    view.PubVisible = 1;
    const auto near = [](int a, int b) { return std::abs(a - b) <= 1; };
    for (const DisplayMode mode : {DisplayMode::Vertical, DisplayMode::Horizontal, DisplayMode::VerticalPhoto,
                                   DisplayMode::HorizontalPhoto, DisplayMode::HorizontalLargeCells}) {
        Draw(mode, 2, 1.0, 0, 0, 800, 560);
        const std::vector<platform::RecordedCall> atOrigin = dc.Calls();
        Draw(mode, 2, 1.0, 37, 53, 837, 613);
        ASSERT_EQ(dc.Calls().size(), atOrigin.size()) << static_cast<int>(mode);
        for (std::size_t i = 0; i < atOrigin.size(); ++i) {
            const platform::RecordedCall &was = atOrigin[i];
            const platform::RecordedCall &call = dc.Calls()[i];
            const bool moved = call.kind == Kind::Line ? near(call.x1, was.x1 + 37) && near(call.y1, was.y1 + 53) &&
                                                             near(call.x2, was.x2 + 37) && near(call.y2, was.y2 + 53)
                                                       : near(call.rect.left, was.rect.left + 37) &&
                                                             near(call.rect.top, was.rect.top + 53) &&
                                                             near(call.rect.right, was.rect.right + 37) &&
                                                             near(call.rect.bottom, was.rect.bottom + 53);
            ASSERT_TRUE(moved && call.text == was.text)
                << "mode " << static_cast<int>(mode) << ", call " << i << " " << call.text.toStdString();
        }
    }
}

TEST_F(StackedLayoutTest, HolidaysAreFilledWhateverTheLabelsToggle)
{
    const double U = HorizontalUnit(1.0);
    const Rect july14{0, Tr((14 + 8) * U), 100, Tr((14 + 9) * U)};
    const auto filled = [&](const Rect &rect) {
        for (const auto &fill : Of(Kind::FillRect))
            if (fill.rect == rect && fill.colour == app.Color_NTrav)
                return true;
        return false;
    };

    view.Ferie = 0;
    Draw(DisplayMode::Horizontal, 2, 1.0);
    EXPECT_TRUE(filled(july14));
    EXPECT_EQ(FindText(QString::fromUtf8("Fête Nationale")), nullptr);

    view.Ferie = 1;
    view.NonTrav = 0;
    Draw(DisplayMode::Horizontal, 2, 1.0);
    EXPECT_FALSE(filled(july14));
    for (const auto &fill : Of(Kind::FillRect))
        EXPECT_EQ(fill.colour, app.Color_Sem_Mois);
    const auto *label = FindText(QString::fromUtf8("Fête Nationale"));
    ASSERT_NE(label, nullptr);
    // Cut at 0.95 of the column.
    EXPECT_EQ(label->rect, (Rect{Tr(0.26 * CW), Tr((14 + 8.1) * U), Tr(0.95 * CW), Tr((14 + 9) * U)}));
    EXPECT_EQ(label->flags, 0x24u | platform::DT_NOPREFIX);

    // A particular day counts only with FerieParticulier; its '&' is drawn as typed.
    doc.Dates = {COleDateTime(2021, 7, 7, 0, 0, 0)};
    doc.Libelles = {"Jour & nuit"};
    view.NonTrav = 1;
    const Rect july7{0, Tr((7 + 8) * U), 100, Tr((7 + 9) * U)};
    Draw(DisplayMode::Horizontal, 2, 1.0);
    EXPECT_FALSE(filled(july7));
    view.FerieParticulier = 1;
    Draw(DisplayMode::Horizontal, 2, 1.0);
    EXPECT_TRUE(filled(july7));
    EXPECT_NE(FindText("Jour & nuit"), nullptr);
}

TEST_F(StackedLayoutTest, HorizontalBandsAtScale)
{
    for (const double s : {1.0, 1.5}) {
        const double U = HorizontalUnit(s);
        view.PubVisible = 1;
        Draw(DisplayMode::Horizontal, 1, s);
        const auto *year = FindText("2021");
        ASSERT_NE(year, nullptr);
        EXPECT_EQ(year->rect, (Rect{0, Tr(2 * U), 600, Tr(6 * U)}));
        EXPECT_EQ(year->font.tenths, Tr(200 / s));
        EXPECT_EQ(FindText("Juin")->font.tenths, Tr(180 / s));
        EXPECT_EQ(FindText(" 1")->font.tenths, Tr(80 / s));
        EXPECT_EQ(FindText("Seconde ligne")->rect, (Rect{0, Tr(43 * U), 600, Tr(44 * U)}));
        const auto lines = Of(Kind::Line);
        EXPECT_EQ((std::array{lines[0].y1, lines[1].y1, lines[2].y1}), (std::array{Tr(6 * U), Tr(41 * U), Tr(9 * U)}));
        EXPECT_EQ(lines[3 + 6].x1, 600);
        EXPECT_EQ(lines[3 + 6].y2, Tr(41 * U));
    }
    EXPECT_EQ(FindText("Juillet"), nullptr);
    Draw(DisplayMode::Horizontal, 2, 1.0);
    EXPECT_NE(FindText(QString::fromUtf8("Décembre")), nullptr);
    EXPECT_EQ(FindText("Janvier"), nullptr);
}

TEST_F(StackedLayoutTest, PagesOutsideTheModeDrawNothing)
{
    for (const int page : {0, 3, -1, 1000}) {
        Draw(DisplayMode::Horizontal, page, 1.0);
        EXPECT_TRUE(dc.Calls().empty()) << page;
    }
    // The vertical page ignores the page, and a scale below 1 counts as 1.
    Draw(DisplayMode::Vertical, 7, 0.25);
    ASSERT_NE(FindText(QString::fromUtf8("Année 2021")), nullptr);
    EXPECT_EQ(FindText(QString::fromUtf8("Année 2021"))->font.tenths, 200);
}

TEST_F(StackedLayoutTest, YearsOutsideTheDateRangeDrawWithoutWeekdays)
{
    for (const int year : {50, 10000, -3}) {
        app.Annee = year;
        Draw(DisplayMode::Vertical, 1, 1.0);
        EXPECT_NE(FindText(QStringLiteral("Ann\u00E9e ") + QString::asprintf("%04d", year)), nullptr);
        int dayNumbers = 0;
        for (const auto &call : Of(Kind::Text)) {
            EXPECT_FALSE(QStringList({"D", "L", "M", "J", "V", "S"}).contains(call.text)) << year;
            dayNumbers += call.flags == platform::kTextLeft && call.font.face == "COURRIER NEW" ? 1 : 0;
        }
        EXPECT_GE(dayNumbers, 365) << year;
        for (const auto &fill : Of(Kind::FillRect))
            EXPECT_EQ(fill.colour, app.Color_Sem_Mois);
    }
}

} // namespace
