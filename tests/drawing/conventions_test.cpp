#include "drawing/drawing_conventions.h"

#include "drawing/text_wrap.h"
#include "model/ole_date_time.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace render;

TEST(DrawingConventions, TablesAndFormats)
{
    EXPECT_EQ(MonthName(2), QString::fromUtf8("Février"));
    EXPECT_EQ(MonthName(8), QString::fromUtf8("Août"));
    EXPECT_EQ(MonthName(12), QString::fromUtf8("Décembre"));
    EXPECT_TRUE(MonthName(0).isEmpty());
    EXPECT_TRUE(MonthName(13).isEmpty());
    EXPECT_EQ(WeekdayInitial(0), "D");
    EXPECT_EQ(WeekdayInitial(4), "J");
    EXPECT_TRUE(WeekdayInitial(-1).isEmpty());
    EXPECT_EQ(FormatYear(800), "0800");
    EXPECT_EQ(MonthLengths(2024)[1], 29);
    EXPECT_EQ(MonthLengths(2000)[1], 29);
    EXPECT_EQ(MonthLengths(1900)[1], 28);
    EXPECT_EQ(MonthLengths(2100)[1], 28);
    EXPECT_EQ(MonthLengths(2023)[1], 28);
}

// Widths counted in characters.
TEST(DrawingConventions, LabelsWrapAtSpacesAndEndWithDotsOnlyWhenTheRoomRunsOut)
{
    const struct {
        const char *text;
        int width, lines;
        QStringList expected;
        bool complete;
    } cases[] = {
        {"Fête Travail", 14, 3, {"Fête Travail"}, true},
        {"Inventaire annuel du magasin central", 14, 4, {"Inventaire", "annuel du", "magasin", "central"}, true},
        {"Inventaire annuel du magasin central", 14, 3, {"Inventaire", "annuel du", "magasin..."}, false},
        {"Inventaire annuel du magasin central", 10, 2, {"Inventaire", "annuel..."}, false},
        {"Anticonstitutionnellement fermé", 10, 4, {"Anticonsti", "tutionnell", "ement", "fermé"}, true},
        {"  deux   espaces ", 20, 1, {"deux espaces"}, true},
        {"rien", 10, 0, {}, false},
    };
    for (const auto &c : cases) {
        const WrappedText wrapped =
            WrapWords(QString::fromUtf8(c.text), c.width, c.lines, [](const QString &t) { return int(t.size()); });
        EXPECT_EQ(wrapped.lines, c.expected) << c.text << " in " << c.lines;
        EXPECT_EQ(wrapped.complete, c.complete) << c.text << " in " << c.lines;
    }
}

// Names break between words, else after a hyphen, never inside a word; what does not fit ends
// with "…", cut at a word's end when that keeps most of it.
TEST(DrawingConventions, NamesWrapAfterHyphensAndAreCutOnlyBeforeAnEllipsis)
{
    const auto chars = [](const QString &t) { return int(t.size()); };
    const struct {
        const char *name;
        int width, lines;
        bool afterHyphens;
        QStringList expected;
        bool complete;
    } cases[] = {
        {"Marie-Madeleine", 14, 2, false, {"Marie-Madelei…"}, false},
        {"Marie-Madeleine", 14, 2, true, {"Marie-", "Madeleine"}, true},
        {"Jeanne-Françoise de Chantal", 16, 3, true, {"Jeanne-Françoise", "de Chantal"}, true},
        {"Jean-Baptiste de la Salle", 16, 1, true, {"Jean-Baptiste…"}, false},
        {"Transfiguration", 10, 3, true, {"Transfigu…"}, false},
    };
    for (const auto &c : cases) {
        const WrappedText wrapped = WrapName(QString::fromUtf8(c.name), c.width, c.lines, c.afterHyphens, chars);
        EXPECT_EQ(wrapped.lines, c.expected) << c.name << " in " << c.width;
        EXPECT_EQ(wrapped.complete, c.complete) << c.name << " in " << c.width;
    }
}

TEST(DrawingConventions, TruncationNeverOverflows)
{
    EXPECT_EQ(Trunc(2.99), 2);
    EXPECT_EQ(Trunc(-2.99), -2);
    EXPECT_EQ(Trunc(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(Trunc(-1e300), std::numeric_limits<int>::min());
    EXPECT_EQ(Trunc(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(FontTenths(200, 1.5), 133);
}

TEST(DrawingConventions, HolidayLabelsCountForNonWorkingDays)
{
    std::vector<COleDateTime> dates{COleDateTime(2021, 3, 10, 0, 0, 0)};
    std::vector<std::string> labels{"F\xC3\xAAte && cie"}; // written for the mnemonic drawing
    const MonthDays july = LookUpMonth(2021, 7, {false, &dates, &labels, false});
    EXPECT_EQ(july.length, 31);
    EXPECT_EQ(july.Day(14).label, QString::fromUtf8("Fête Nationale"));
    EXPECT_TRUE(july.Day(14).IsNonWorking()); // a Wednesday
    EXPECT_FALSE(july.Day(13).IsNonWorking());
    EXPECT_TRUE(july.Day(4).IsNonWorking()); // Sunday
    EXPECT_TRUE(july.Day(3).IsNonWorking()); // Saturday
    EXPECT_EQ(LookUpMonth(2021, 3, {true, &dates, &labels, false}).Day(10).label, QString::fromUtf8("Fête & cie"));
    EXPECT_TRUE(LookUpMonth(2021, 3, {false, &dates, &labels, false}).Day(10).label.isEmpty());

    const MonthDays invalid = LookUpMonth(99, 1, {});
    EXPECT_EQ(invalid.length, 31);
    EXPECT_EQ(invalid.Day(1).dayOfWeek, -1);
    EXPECT_FALSE(invalid.Day(1).IsNonWorking());
}

} // namespace

#include "almanac/name_days.h"
#include "drawing/day_marks.h"
#include "layout_fixture.h"

namespace {

class FootLinesTest : public LayoutTest
{
};

// The foot lines go through the 8-bit code page, print their ampersands as typed ("&&", written
// for the mnemonic drawing, prints one), and are drawn, like the title, in whatever background
// mode the context holds.
TEST_F(FootLinesTest, AdvertisingLinesPassThroughTheCodePageInTheCurrentMode)
{
    app.Pub1 = QString::fromUtf8("Łódź & Fils");
    app.Pub2 = QString::fromUtf8("€ 2 && 3");
    view.PubVisible = 1;
    for (const DisplayMode mode : {DisplayMode::Vertical, DisplayMode::Horizontal, DisplayMode::HorizontalLargeCells}) {
        for (const int bkMode : {platform::OPAQUE, platform::TRANSPARENT}) {
            dc.SetBkMode(bkMode);
            Draw(mode, 1, 1.0);
            const auto *pub1 = FindText(QString::fromUtf8("?ód? & Fils"));
            const auto *pub2 = FindText(QString::fromUtf8("€ 2 & 3"));
            ASSERT_TRUE(pub1 && pub2) << static_cast<int>(mode);
            EXPECT_EQ(pub1->bkMode, bkMode);
            EXPECT_EQ(pub2->bkMode, bkMode);
            EXPECT_EQ(pub1->flags, platform::kTextCentred | platform::DT_NOPREFIX);
            EXPECT_EQ(pub1->font, dc.CreatePointFont(60, "TIME NEW ROMAN"));
            EXPECT_EQ(Of(Kind::Text).front().bkMode, bkMode); // the title
            EXPECT_EQ(dc.CurrentBkMode(), bkMode);
        }
    }
}

class NameForms : public LayoutTest
{
};

// A long name of the bundled table takes its short form, and past that "…", rather than be cut.
TEST_F(NameForms, ALongNameTakesItsShortFormThenAnEllipsis)
{
    dc.SelectFont(dc.CreatePointFont(60, "COURRIER NEW"));
    const auto characters = [this](int n) { return dc.TextWidth(QString(n, QLatin1Char('x'))); };
    almanac::DayMarks marks;
    marks.nameDay = almanac::NameDay(4, 7);
    marks.nameDayShort = almanac::NameDayShortForm(4, 7);
    EXPECT_EQ(render::FittedName(dc, marks, characters(25)), QStringLiteral("Jean-Baptiste de la Salle"));
    EXPECT_EQ(render::FittedName(dc, marks, characters(20)), QStringLiteral("Jean-Bapt. S."));
    EXPECT_EQ(render::FittedName(dc, marks, characters(12)), QStringLiteral("Jean-Baptis\u2026"));
}

} // namespace
