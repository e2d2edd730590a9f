#include "drawing/day_marks.h"
#include "drawing/school_bands.h"
#include "layout_fixture.h"
#include "model/ole_date_time.h"

namespace {

using platform::RecordedCall;

constexpr DisplayMode kModes[] = {DisplayMode::Vertical, DisplayMode::Horizontal, DisplayMode::VerticalPhoto,
                                  DisplayMode::HorizontalPhoto, DisplayMode::HorizontalLargeCells};

class AlmanacMarks : public LayoutTest
{
protected:
    // On a sheet of the layout's orientation.
    void DrawPage(DisplayMode mode, int page)
    {
        if (IsPortrait(mode))
            Draw(mode, page, 1.0, 0, 0, 600, 850);
        else
            Draw(mode, page, 1.0, 0, 0, 850, 600);
    }

    std::vector<RecordedCall> TextsContaining(const QString &part) const
    {
        std::vector<RecordedCall> found;
        for (const auto &call : Of(Kind::Text))
            if (call.text.contains(part))
                found.push_back(call);
        return found;
    }
};

TEST_F(AlmanacMarks, NameDayStandsWhereNoLabelDoesAndYieldsToHolidaysAndParticularDays)
{
    // 2028: 1 January is a holiday (Marie, Mère de Dieu), 3 January a particular day
    // (Geneviève), 2 January only has its name day (Basile).
    app.Annee = 2028;
    doc.Dates = {COleDateTime(2028, 1, 3, 0, 0, 0)};
    doc.Libelles = {"Galette"};
    view.FerieParticulier = 1;
    view.FetesVisible = 1;
    for (const DisplayMode mode : kModes) {
        DrawPage(mode, 1);
        const auto basile = TextsContaining("Basile");
        ASSERT_EQ(basile.size(), 1u) << static_cast<int>(mode);
        EXPECT_EQ(basile[0].textColour, render::kNameDayColour);
        for (const QString &label : {QStringLiteral("Nouvel An"), QStringLiteral("Galette")}) {
            const auto shown = TextsContaining(label);
            ASSERT_EQ(shown.size(), 1u) << static_cast<int>(mode);
            EXPECT_EQ(shown[0].textColour, platform::kBlack);
        }
        EXPECT_TRUE(TextsContaining(QString::fromUtf8("Mère de Dieu")).empty()) << static_cast<int>(mode);
        EXPECT_TRUE(TextsContaining(QString::fromUtf8("Genevi")).empty()) << static_cast<int>(mode);
    }

    // Without the labels, every day shows its name, a long one in its short form.
    view.Ferie = 0;
    DrawPage(DisplayMode::Vertical, 1);
    EXPECT_NE(FindText(QString::fromUtf8("Marie, Mère D.")), nullptr);
    EXPECT_NE(FindText(QString::fromUtf8("Geneviève")), nullptr);
}

TEST_F(AlmanacMarks, EveryPageShowsNamesAndMoonsAndWithBothOffIsDrawnAsWithout)
{
    // Whole discs (one per phase) and texts in the name days' colour on the recorded page.
    const auto marks = [this] {
        std::pair<int, int> counts{0, 0};
        for (const auto &ellipse : Of(Kind::Ellipse))
            counts.first += ellipse.part == platform::EllipsePart::Whole;
        for (const auto &text : Of(Kind::Text))
            counts.second += text.textColour == render::kNameDayColour;
        return counts;
    };
    // With the week numbers on, whose rows in the folded months of the horizontal photo page used
    // to lose their names (20 and 27 March 2027...), and without the labels, every day shows its
    // name: whole, in its short form or cut before "…", never past the row's room.
    app.Annee = 2027;
    view.Sem = 1;
    view.Ferie = 0;
    for (const DisplayMode mode : kModes) {
        for (int page = 1; page <= PageCount(mode); ++page) {
            const std::string where = std::to_string(static_cast<int>(mode)) + "/" + std::to_string(page);
            view.FetesVisible = view.LuneVisible = 0;
            DrawPage(mode, page);
            const std::vector<RecordedCall> off = dc.Calls();
            EXPECT_EQ(marks(), (std::pair{0, 0})) << where;

            // A month holds at least three phases.
            view.FetesVisible = view.LuneVisible = 1;
            DrawPage(mode, page);
            EXPECT_GE(marks().first, 3) << where;
            const auto [first, last] = render::MonthsOfPage(mode, page);
            int days = 0;
            for (int month = first; month <= last; ++month)
                days += model::DaysInMonth(2027, month);
            if (mode == DisplayMode::HorizontalLargeCells)
                EXPECT_GE(marks().second, days) << where; // a name may take two lines
            else
                EXPECT_EQ(marks().second, days) << where;

            // Drawing them leaves the surface as it was: the same page without them again is the
            // same drawing.
            view.FetesVisible = view.LuneVisible = 0;
            DrawPage(mode, page);
            EXPECT_TRUE(dc.Calls() == off) << where;
        }
    }
}

} // namespace
