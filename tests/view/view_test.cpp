#include "document/view_settings.h"
#include "platform/recording_surface.h"
#include "platform/registry.h"
#include "resources/command_ids.h"
#include "view/sheet_geometry.h"
#include "view/tamvel_view.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace cmd;

namespace {

class ViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        platform::SetSettingsFile(dir_.filePath("tamvel.conf"));
        app_.Annee = 2026;
    }

    void Store(const QString &name, std::uint32_t value)
    {
        auto key = platform::RegistryKey::Create("Software\\Varnel\\Tamvel\\Settings");
        ASSERT_TRUE(key);
        key->SetNumber(name, value);
    }

    ViewState Stored() const
    {
        ViewState state;
        state.LoadViewSettings();
        return state;
    }

    QTemporaryDir dir_;
    AppSettings app_;
    CTamvelDoc doc_{app_};
};

CommandState StateOf(const CTamvelView &view, int id)
{
    const CommandStates states = view.ComputeCommandStates();
    const auto it = states.find(id);
    return it == states.end() ? CommandState{} : it->second;
}

TEST_F(ViewTest, FirstRunStartsWithTheInitialStateAndItsMenuStates)
{
    CTamvelView view(app_, &doc_);
    const ViewState &s = view.State();
    EXPECT_EQ(s.mode, DisplayMode::Vertical);
    EXPECT_EQ(s.Sem, 1);
    EXPECT_EQ(s.NonTrav, 1);
    EXPECT_EQ(s.Ferie, 1);
    EXPECT_EQ(s.FerieParticulier, 0);
    EXPECT_EQ(s.GrosTrait, 1);
    EXPECT_EQ(s.PhotoBas, 1);
    EXPECT_EQ(s.PubVisible, 0);
    EXPECT_EQ(view.Page(), 1);

    for (int id : {ID_SEM, ID_NON_TRAV, ID_FERIE})
        EXPECT_TRUE(*StateOf(view, id).checked) << id;
    EXPECT_FALSE(*StateOf(view, ID_FERIE_PARTICULIER).checked);
    EXPECT_TRUE(StateOf(view, ID_FERIE_PARTICULIER).enabled);
    EXPECT_FALSE(StateOf(view, ID_GROS_TRAIT).enabled);
    EXPECT_TRUE(*StateOf(view, ID_VERTICAL).checked);
    EXPECT_TRUE(StateOf(view, ID_VERTICAL).radio);
    for (int id : {ID_HORIZONTAL, ID_VERTICAL_PHOTO, ID_HORIZONTAL_PHOTO, ID_GRANDES_CASES, ID_HORIZONTAL_PHOTO_BAS,
                   ID_HORIZONTAL_PHOTO_HAUT})
        EXPECT_FALSE(*StateOf(view, id).checked) << id;
    EXPECT_FALSE(StateOf(view, ID_PHOTO_HAUT).enabled);
    EXPECT_FALSE(StateOf(view, ID_PHOTO_BAS).enabled);
    EXPECT_TRUE(*StateOf(view, ID_PHOTO_BAS).checked);
    EXPECT_FALSE(StateOf(view, ID_PAGE_PREV).enabled);
    EXPECT_FALSE(StateOf(view, ID_PAGE_NEXT).enabled);
    EXPECT_EQ(StateOf(view, ID_PAGE_PREV).text, "Semestre &précédent");
    EXPECT_EQ(StateOf(view, ID_PAGE_NEXT).text, "Semestre &suivant");
    EXPECT_FALSE(StateOf(view, ID_EDIT_FERIES).enabled);
    EXPECT_FALSE(StateOf(view, ID_EDIT_PUB).enabled);
    EXPECT_FALSE(StateOf(view, ID_CHARGER_IMAGES).enabled);
    EXPECT_TRUE(StateOf(view, ID_COULEURS).enabled);
    EXPECT_TRUE(StateOf(view, ID_LUNDI_PENTECOTE).enabled);
    EXPECT_FALSE(*StateOf(view, ID_LUNDI_PENTECOTE).checked);

    // The school zones are metropolitan: an overseas region turns them off and says why.
    EXPECT_TRUE(StateOf(view, ID_VACANCES_ZONE_A).enabled);
    app_.Region = model::Region::Guadeloupe;
    EXPECT_FALSE(StateOf(view, ID_VACANCES_ZONE_A).enabled);
    EXPECT_EQ(StateOf(view, ID_VACANCES_ZONE_C).text, QString::fromUtf8("Zone &C (métropole seulement)"));
}

TEST_F(ViewTest, StoredModeOutsideTwoToFiveOpensInVertical)
{
    for (std::uint32_t stored : {0u, 1u, 6u, 4000000000u}) {
        Store("Affichage", stored);
        CTamvelView view(app_, &doc_);
        EXPECT_EQ(view.State().mode, DisplayMode::Vertical) << stored;
    }
    Store("Affichage", 5);
    Store("Sem", 0);
    CTamvelView view(app_, &doc_);
    EXPECT_EQ(view.State().mode, DisplayMode::HorizontalLargeCells);
    EXPECT_EQ(view.State().Sem, 0);
    EXPECT_EQ(view.Page(), 1);
}

TEST_F(ViewTest, TogglesInvertSaveAtOnceAndReportThePanes)
{
    CTamvelView view(app_, &doc_);
    QSignalSpy panes(&view, &CTamvelView::StatusPanesChanged);

    EXPECT_TRUE(view.OnCommand(ID_SEM));
    EXPECT_EQ(view.State().Sem, 0);
    EXPECT_EQ(Stored().Sem, 0);
    ASSERT_FALSE(panes.isEmpty());
    EXPECT_EQ(panes.last(), (QList<QVariant>{true, true, false}));

    view.OnCommand(ID_NON_TRAV);
    EXPECT_EQ(Stored().NonTrav, 0);
    EXPECT_EQ(panes.last(), (QList<QVariant>{false, true, false}));
    view.OnCommand(ID_FERIE);
    EXPECT_EQ(Stored().Ferie, 0);
    EXPECT_EQ(panes.last(), (QList<QVariant>{false, false, false}));

    // With neither holiday labels nor non-working days, the particular days and Pentecost are off.
    EXPECT_FALSE(StateOf(view, ID_FERIE_PARTICULIER).enabled);
    EXPECT_FALSE(StateOf(view, ID_LUNDI_PENTECOTE).enabled);
    view.OnCommand(ID_FERIE_PARTICULIER);
    EXPECT_EQ(view.State().FerieParticulier, 0);

    view.OnCommand(ID_FERIE);
    view.OnCommand(ID_FERIE_PARTICULIER);
    EXPECT_EQ(Stored().FerieParticulier, 1);
    EXPECT_TRUE(StateOf(view, ID_EDIT_FERIES).enabled);

    view.OnCommand(ID_PUB);
    EXPECT_EQ(Stored().PubVisible, 1);
    EXPECT_TRUE(StateOf(view, ID_EDIT_PUB).enabled);
    view.OnCommand(ID_PUB);
    EXPECT_EQ(Stored().PubVisible, 0);
}

TEST_F(ViewTest, ModeCommandsSetThePageAndThePhotoPlace)
{
    CTamvelView view(app_, &doc_);
    view.OnCommand(ID_GRANDES_CASES);
    EXPECT_EQ(Stored().mode, DisplayMode::HorizontalLargeCells);
    view.OnCommand(ID_PAGE_NEXT);
    view.OnCommand(ID_PAGE_NEXT);
    EXPECT_EQ(view.Page(), 3);

    // Vertical keeps the page it ignores; any other mode starts again at page 1.
    view.OnCommand(ID_VERTICAL);
    EXPECT_EQ(view.Page(), 3);
    EXPECT_EQ(Stored().mode, DisplayMode::Vertical);
    view.OnCommand(ID_HORIZONTAL);
    EXPECT_EQ(view.Page(), 1);
    EXPECT_EQ(Stored().mode, DisplayMode::Horizontal);

    view.OnCommand(ID_PAGE_NEXT);
    view.OnCommand(ID_HORIZONTAL_PHOTO_HAUT);
    EXPECT_EQ(view.Page(), 1);
    EXPECT_EQ(view.State().mode, DisplayMode::HorizontalPhoto);
    EXPECT_EQ(Stored().PhotoBas, 0);
    EXPECT_TRUE(*StateOf(view, ID_HORIZONTAL_PHOTO_HAUT).checked);
    EXPECT_FALSE(*StateOf(view, ID_HORIZONTAL_PHOTO_BAS).checked);
    EXPECT_TRUE(*StateOf(view, ID_HORIZONTAL_PHOTO).checked);
    EXPECT_TRUE(StateOf(view, ID_GROS_TRAIT).enabled);
    EXPECT_TRUE(StateOf(view, ID_CHARGER_IMAGES).enabled);

    // Photo above or below keeps mode and page.
    view.OnCommand(ID_PAGE_NEXT);
    view.OnCommand(ID_PHOTO_BAS);
    EXPECT_EQ(view.Page(), 2);
    EXPECT_EQ(Stored().PhotoBas, 1);
    EXPECT_TRUE(*StateOf(view, ID_HORIZONTAL_PHOTO_BAS).checked);
    view.OnCommand(ID_PHOTO_HAUT);
    EXPECT_EQ(view.Page(), 2);
    EXPECT_EQ(Stored().PhotoBas, 0);

    // The menu's photo mode leaves the photo place alone; the bottom button sets it.
    view.OnCommand(ID_HORIZONTAL_PHOTO);
    EXPECT_EQ(view.Page(), 1);
    EXPECT_EQ(view.State().PhotoBas, 0);
    view.OnCommand(ID_PAGE_NEXT);
    view.OnCommand(ID_HORIZONTAL_PHOTO_BAS);
    EXPECT_EQ(view.Page(), 1);
    EXPECT_EQ(Stored().PhotoBas, 1);

    view.OnCommand(ID_GROS_TRAIT);
    EXPECT_EQ(Stored().GrosTrait, 0);
    view.OnCommand(ID_VERTICAL_PHOTO);
    EXPECT_EQ(Stored().mode, DisplayMode::VerticalPhoto);
    // Outside the photo mode the separator and the photo place cannot change.
    view.OnCommand(ID_GROS_TRAIT);
    view.OnCommand(ID_PHOTO_BAS);
    EXPECT_EQ(Stored().GrosTrait, 0);
    EXPECT_EQ(Stored().PhotoBas, 1);
    EXPECT_EQ(view.State().PhotoBas, 1);
}

TEST_F(ViewTest, PagesClampAtBothEndsWithTheTextsOfTheMode)
{
    CTamvelView view(app_, &doc_);
    view.OnCommand(ID_GRANDES_CASES);
    EXPECT_EQ(StateOf(view, ID_PAGE_PREV).text, "Mois &précédent");
    EXPECT_EQ(StateOf(view, ID_PAGE_NEXT).text, "Mois &suivant");
    EXPECT_FALSE(StateOf(view, ID_PAGE_PREV).enabled);
    for (int i = 0; i < 20; ++i)
        view.OnCommand(ID_PAGE_NEXT);
    EXPECT_EQ(view.Page(), 12);
    EXPECT_FALSE(StateOf(view, ID_PAGE_NEXT).enabled);
    EXPECT_TRUE(StateOf(view, ID_PAGE_PREV).enabled);
    for (int i = 0; i < 20; ++i)
        view.OnCommand(ID_PAGE_PREV);
    EXPECT_EQ(view.Page(), 1);

    view.OnCommand(ID_VERTICAL_PHOTO);
    EXPECT_EQ(StateOf(view, ID_PAGE_NEXT).text, "Semestre &suivant");
    view.OnCommand(ID_PAGE_NEXT);
    view.OnCommand(ID_PAGE_NEXT);
    EXPECT_EQ(view.Page(), 2);
    EXPECT_FALSE(StateOf(view, ID_PAGE_NEXT).enabled);

    // Pages are never stored.
    CTamvelView again(app_, &doc_);
    EXPECT_EQ(again.State().mode, DisplayMode::VerticalPhoto);
    EXPECT_EQ(again.Page(), 1);
}

TEST_F(ViewTest, PhotoCalendarHasItsOwnKeyAndThirteenPages)
{
    Store("Affichage", 3);
    {
        CTamvelView view(app_, &doc_);
        view.OnCommand(ID_PHOTO_MOIS);
        EXPECT_TRUE(*StateOf(view, ID_PHOTO_MOIS).checked);
        EXPECT_EQ(StateOf(view, ID_PAGE_NEXT).text, "Mois &suivant");
        for (int i = 0; i < 20; ++i)
            view.OnCommand(ID_PAGE_NEXT);
        EXPECT_EQ(view.Page(), 13);
    }
    // Older versions read Affichage alone and find the layout they left.
    auto key = platform::RegistryKey::Open("Software\\Varnel\\Tamvel\\Settings");
    EXPECT_EQ(key->QueryNumber("Affichage"), 3u);
    EXPECT_EQ(key->QueryNumber("CalendrierPhoto"), 1u);
    EXPECT_EQ(Stored().mode, DisplayMode::PhotoMonths);
    {
        CTamvelView view(app_, &doc_);
        EXPECT_EQ(view.State().mode, DisplayMode::PhotoMonths);
        view.OnCommand(ID_GRANDES_CASES);
    }
    EXPECT_EQ(key->QueryNumber("CalendrierPhoto"), 0u);
    EXPECT_EQ(Stored().mode, DisplayMode::HorizontalLargeCells);
}

TEST_F(ViewTest, PentecostMondayFollowsTheYearAndTheDocument)
{
    CTamvelView view(app_, &doc_);
    doc_.LundiPentecote = 1;
    EXPECT_TRUE(*StateOf(view, ID_LUNDI_PENTECOTE).checked);
    app_.Annee = 2004;
    doc_.LundiPentecote = 0;
    EXPECT_TRUE(*StateOf(view, ID_LUNDI_PENTECOTE).checked);
    EXPECT_FALSE(StateOf(view, ID_LUNDI_PENTECOTE).enabled);
    app_.Annee = 2005;
    EXPECT_FALSE(*StateOf(view, ID_LUNDI_PENTECOTE).checked);
    EXPECT_TRUE(StateOf(view, ID_LUNDI_PENTECOTE).enabled);
}

TEST_F(ViewTest, HolidayLabelTakesParticularDaysOnlyWhenAskedFor)
{
    doc_.Dates.push_back(COleDateTime(2026, 3, 17, 0, 0, 0));
    doc_.Libelles.push_back("Fête du club");
    CTamvelView view(app_, &doc_);
    const COleDateTime day(2026, 3, 17, 0, 0, 0);
    EXPECT_EQ(view.GetHolidayLabel(day), "");
    EXPECT_EQ(view.GetHolidayLabel(COleDateTime(2026, 7, 14, 0, 0, 0)), "Fête Nationale");
    view.OnCommand(ID_FERIE_PARTICULIER);
    EXPECT_EQ(view.GetHolidayLabel(day), "Fête du club");
}

struct DispatchCall {
    int calls = 0;
    int left = 0, top = 0, right = 0, bottom = 0, page = 0;
    double scale = 0;
};

CTamvelView::CalendarDispatcher Recorder(DispatchCall &call)
{
    return [&call](platform::DrawSurface &, const LayoutInputs &, int l, int t, int r, int b, int page, double s) {
        call = {call.calls + 1, l, t, r, b, page, s};
    };
}

TEST_F(ViewTest, WideWindowShowsTheLandscapeSheetFullHeightAndCentred)
{
    Store("Affichage", 2);
    CTamvelView view(app_, &doc_);
    view.OnCommand(ID_PAGE_NEXT);
    platform::RecordingSurface dc;
    DispatchCall call;
    view.PaintSheet(dc, 1200, 700, Recorder(call));

    // 700 * 30 / 21 = 1000 wide, 100 of gray on each side; margins 1000*1.5/30 = 50, 700*1.5/21 = 50.
    const auto rects = dc.CallsOf(platform::RecordedCall::Kind::Rectangle);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].rect, (platform::Rect{-1, -1, 1201, 701}));
    EXPECT_EQ(rects[0].colour, 0x808080u);
    EXPECT_EQ(rects[1].rect, (platform::Rect{100, 0, 1100, 700}));
    EXPECT_EQ(rects[1].colour, 0xFFFFFFu);
    ASSERT_EQ(call.calls, 1);
    EXPECT_EQ(call.left, 150);
    EXPECT_EQ(call.top, 50);
    EXPECT_EQ(call.right, 1050);
    EXPECT_EQ(call.bottom, 650);
    EXPECT_EQ(call.page, 2);
    EXPECT_DOUBLE_EQ(call.scale, 1.5);
}

TEST_F(ViewTest, TallWindowShowsThePortraitSheetFullWidthAndCentred)
{
    CTamvelView view(app_, &doc_);
    platform::RecordingSurface dc;
    DispatchCall call;
    view.PaintSheet(dc, 421, 1000, Recorder(call));

    // 421 * 30 / 21 = 601 high, (1000 - 601) / 2 = 199 above; mx = trunc(421*1.5/21) = 30,
    // my = trunc(601*1.5/30) = 30.
    const auto rects = dc.CallsOf(platform::RecordedCall::Kind::Rectangle);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[1].rect, (platform::Rect{0, 199, 421, 800}));
    EXPECT_EQ(call.left, 30);
    EXPECT_EQ(call.top, 229);
    EXPECT_EQ(call.right, 391);
    EXPECT_EQ(call.bottom, 770);
    EXPECT_DOUBLE_EQ(call.scale, 900.0 / 541);

    // Switching to a landscape mode changes the sheet's shape at the next paint.
    view.OnCommand(ID_HORIZONTAL);
    const SheetGeometry g = ComputeSheetGeometry(421, 1000, view.State().mode);
    EXPECT_EQ(g.y1 - g.y0, 421 * 21 / 30);
    EXPECT_EQ(g.x1 - g.x0, 421);
}

TEST_F(ViewTest, SheetAndInnerRectangleWhenTheFitIsNotExact)
{
    // 610 * 21 / 30 = 427 wide from x = 286; margins trunc(427 * 1.5 / 21) = trunc(610 * 1.5 / 30) = 30.
    const SheetGeometry g = ComputeSheetGeometry(1000, 610, DisplayMode::Vertical);
    EXPECT_EQ(g.sheet, (platform::Rect{286, 0, 713, 610}));
    EXPECT_EQ(g.inner, (platform::Rect{316, 30, 683, 580}));
    // Landscape in a tall window: 999 * 21 / 30 = 699 high from y = 150; margins 49 and 49.
    const SheetGeometry wide = ComputeSheetGeometry(999, 1000, DisplayMode::Horizontal);
    EXPECT_EQ(wide.sheet, (platform::Rect{0, 150, 999, 849}));
    EXPECT_EQ(wide.inner, (platform::Rect{49, 199, 950, 800}));
}

TEST_F(ViewTest, LargeWindowPassesAScaleBelowOneThatTheDispatcherRaises)
{
    CTamvelView view(app_, &doc_);
    DispatchCall call;
    platform::RecordingSurface dc;
    view.PaintSheet(dc, 1000, 1200, Recorder(call));
    EXPECT_LT(call.scale, 1.0);

    // Through the real dispatcher, fonts are never bigger than their printed size: the title
    // keeps its 20 points.
    platform::RecordingSurface real;
    view.PaintSheet(real, 1000, 1200);
    const auto texts = real.CallsOf(platform::RecordedCall::Kind::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front().font.tenths, 200);
}

TEST_F(ViewTest, ViewWithoutInnerSheetDrawsNoCalendar)
{
    CTamvelView view(app_, &doc_);
    // A 1 x 1 window still has an inner sheet one pixel high; the others have none.
    const struct {
        int w, h, calendars;
    } cases[] = {{0, 0, 0}, {5, 0, 0}, {0, 500, 0}, {1, 1, 1}, {30, 30, 1}};
    for (const auto &c : cases) {
        DispatchCall call;
        platform::RecordingSurface dc;
        view.PaintSheet(dc, c.w, c.h, Recorder(call));
        EXPECT_EQ(call.calls, c.calendars) << c.w << "x" << c.h;
        EXPECT_EQ(dc.CallsOf(platform::RecordedCall::Kind::Rectangle).size(), 2u);
    }
}

} // namespace
