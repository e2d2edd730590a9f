#include "drawing/school_bands.h"
#include "layout_fixture.h"
#include "model/ole_date_time.h"
#include "platform/registry.h"

#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

using platform::RecordedCall;
using platform::Rect;

// The pages of 2026 over the bundled record, read from a settings file of the test's own.
class SchoolBands : public LayoutTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        platform::SetSettingsFile(dir_.filePath(QStringLiteral("t.conf")));
        app.Annee = 2026;
    }
    void TearDown() override { platform::SetSettingsFile(QString()); }

    void DrawPage(DisplayMode mode, int page, const char *zones)
    {
        view.VacancesZones = QString::fromLatin1(zones);
        if (IsPortrait(mode))
            Draw(mode, page, 1.0, 0, 0, 1200, 1700);
        else
            Draw(mode, page, 1.0, 0, 0, 1700, 1200);
    }

    static std::optional<almanac::SchoolZone> ZoneOf(const RecordedCall &call)
    {
        for (const almanac::SchoolZone zone : almanac::kSchoolZones) {
            if (call.kind == Kind::FillRect && call.colour == render::SchoolZoneColour(zone))
                return zone;
        }
        return std::nullopt;
    }

    // The letters of the zones whose colour fills a rectangle inside `area`.
    std::string ZonesFilling(const Rect &area) const
    {
        unsigned zones = 0;
        for (const RecordedCall &call : dc.Calls()) {
            const Rect &r = call.rect;
            if (const auto zone = ZoneOf(call);
                zone && r.left >= area.left && r.right <= area.right && r.top >= area.top && r.bottom <= area.bottom)
                zones |= almanac::ZoneBit(*zone);
        }
        return almanac::LettersOfZones(zones);
    }

    // Where day d of a month may carry its bands: the start of its row, before the weekday
    // initial, in the month columns, the lower half of its cell in the large cells.
    Rect BandArea(DisplayMode mode, int month, int d) const
    {
        const double U = mode == DisplayMode::Vertical ? 1700.0 / 84 : 1200.0 / 44;
        if (mode == DisplayMode::HorizontalLargeCells) {
            const int w1 = (COleDateTime(2026, month, 1, 0, 0, 0).GetDayOfWeek() + 6) % 7 + 1;
            const int rows = (model::DaysInMonth(2026, month) + w1 - 1 + 6) / 7;
            const double CW = 1700 / 7.3, L2 = Tr(0.3 * CW), RH = U * 32 / rows;
            const int c = (d + w1 - 2) % 7, w = (d + w1 - 2) / 7;
            return {Tr(L2 + c * CW), Tr(9 * U + (w + 0.5) * RH), Tr(L2 + (c + 1) * CW), Tr(9 * U + (w + 1) * RH)};
        }
        const double CW = (mode == DisplayMode::Vertical ? 1200 : 1700) / 6.0;
        const int k = (month - 1) % 6;
        const int V = mode == DisplayMode::Vertical ? 39 * ((month - 1) / 6) : 0;
        return {Tr(k * CW), Tr((d + 8 + V) * U), Tr((k + 0.17) * CW), Tr((V + 9 + d) * U)};
    }

    QTemporaryDir dir_;
};

// 2026 in the record: winter holidays A 7-22 February, B 14 February-1 March, C 21 February-8
// March; Christmas until 4 January; nothing known after 31 August.
TEST_F(SchoolBands, BandsFollowTheDaysOfEachZoneShown)
{
    struct Row {
        DisplayMode mode;
        int page;
        const char *zones;
        int month;
        int day;
        const char *banded;
    };
    const Row rows[] = {
        {DisplayMode::Horizontal, 1, "AC", 2, 6, ""},
        {DisplayMode::Horizontal, 1, "AC", 2, 7, "A"},
        {DisplayMode::Horizontal, 1, "AC", 2, 21, "AC"},
        {DisplayMode::Horizontal, 1, "AC", 2, 22, "AC"},
        {DisplayMode::Horizontal, 1, "AC", 2, 23, "C"},
        {DisplayMode::Horizontal, 1, "AC", 3, 8, "C"},
        {DisplayMode::Horizontal, 1, "AC", 3, 9, ""},
        {DisplayMode::Horizontal, 2, "C", 8, 30, "C"},
        {DisplayMode::Horizontal, 2, "C", 10, 24, ""},
        {DisplayMode::Vertical, 1, "B", 1, 4, "B"},
        {DisplayMode::Vertical, 1, "B", 1, 5, ""},
        {DisplayMode::Vertical, 1, "B", 2, 13, ""},
        {DisplayMode::Vertical, 1, "B", 2, 14, "B"},
        {DisplayMode::Vertical, 1, "B", 3, 1, "B"},
        {DisplayMode::Vertical, 1, "B", 3, 2, ""},
        {DisplayMode::HorizontalLargeCells, 2, "AC", 2, 6, ""},
        {DisplayMode::HorizontalLargeCells, 2, "AC", 2, 7, "A"},
        {DisplayMode::HorizontalLargeCells, 2, "AC", 2, 22, "AC"},
        {DisplayMode::HorizontalLargeCells, 2, "AC", 2, 23, "C"},
    };
    for (const Row &row : rows) {
        DrawPage(row.mode, row.page, row.zones);
        EXPECT_EQ(ZonesFilling(BandArea(row.mode, row.month, row.day)), row.banded)
            << static_cast<int>(row.mode) << " " << row.zones << " " << row.month << "/" << row.day;
    }

    // The legend says what no data covers instead of guessing it, once for the page.
    DrawPage(DisplayMode::Horizontal, 1, "AC");
    EXPECT_NE(FindText("Zone C"), nullptr);
    DrawPage(DisplayMode::Horizontal, 2, "AC");
    EXPECT_NE(FindText("Zone C"), nullptr);
    const auto texts = Of(Kind::Text);
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const RecordedCall &call) { return call.text.contains(QStringLiteral("inconnues")); }),
              1);
    EXPECT_NE(FindText(QString::fromUtf8("dates inconnues après le 31/08/2026")), nullptr);
}

// Beyond the bands and the legend, the zones only move the texts of the rows right of the bands.
TEST_F(SchoolBands, WithNoZoneShownThePagesAreWhatTheyWereAndZonesOnlyAddBandsAndALegend)
{
    view.Sem = view.NonTrav = view.Ferie = view.PubVisible = view.FetesVisible = 1;
    const auto schoolOnly = [](const RecordedCall &call) {
        return ZoneOf(call) || call.text.startsWith(QStringLiteral("Vacances scolaires")) ||
               call.text.startsWith(QStringLiteral("Zone ")) || call.text.contains(QStringLiteral("inconnues"));
    };
    const auto untexted = [](std::vector<RecordedCall> calls) {
        std::erase_if(calls, [](const RecordedCall &call) { return call.kind == Kind::Text; });
        return calls;
    };
    for (const DisplayMode mode : {DisplayMode::Vertical, DisplayMode::Horizontal, DisplayMode::VerticalPhoto,
                                   DisplayMode::HorizontalPhoto, DisplayMode::HorizontalLargeCells}) {
        for (int page = 1; page <= PageCount(mode); ++page) {
            view.LuneVisible = 0;
            DrawPage(mode, page, "");
            const std::vector<RecordedCall> plain = dc.Calls();
            EXPECT_TRUE(std::none_of(plain.begin(), plain.end(), schoolOnly)) << static_cast<int>(mode) << " " << page;

            DrawPage(mode, page, "ABC");
            std::vector<RecordedCall> zones = dc.Calls();
            EXPECT_GT(zones.size(), plain.size()) << static_cast<int>(mode) << " " << page;
            std::erase_if(zones, schoolOnly);
            EXPECT_TRUE(untexted(zones) == untexted(plain)) << static_cast<int>(mode) << " " << page;
            EXPECT_EQ(zones.size(), plain.size()) << static_cast<int>(mode) << " " << page;

            // The moons and their times stand clear of the bands.
            view.LuneVisible = 1;
            DrawPage(mode, page, "ABC");
            static const QRegularExpression time(QStringLiteral("^\\d+ h \\d\\d$"));
            for (const RecordedCall &moon : dc.Calls()) {
                if (moon.kind != Kind::Ellipse && !time.match(moon.text).hasMatch())
                    continue;
                for (const RecordedCall &band : Of(Kind::FillRect)) {
                    const Rect &a = moon.rect, &b = band.rect;
                    EXPECT_FALSE(ZoneOf(band) && a.left < b.right && b.left < a.right && a.top < b.bottom &&
                                 b.top < a.bottom)
                        << static_cast<int>(mode) << " " << page << " " << moon.text.toStdString();
                }
            }
        }
    }
}

} // namespace
