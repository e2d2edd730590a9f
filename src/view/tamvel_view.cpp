#include "view/tamvel_view.h"

#include "almanac/almanac.h"
#include "almanac/school_zones_apply.h"
#include "drawing/draw_calendar.h"
#include "drawing/drawing_conventions.h"
#include "drawing/school_bands.h"
#include "model/holiday_label.h"
#include "resources/command_ids.h"
#include "view/print_dialogs.h"
#include "view/sheet_geometry.h"

#include "platform/painter_surface.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>

using namespace cmd;

namespace {

constexpr platform::ColorRef kDeskGray = 0x808080;
constexpr platform::ColorRef kSheetWhite = 0xFFFFFF;

} // namespace

CTamvelView::CTamvelView(const AppSettings &app, CTamvelDoc *doc, QWidget *parent)
    : QWidget(parent), app_(app), doc_(doc)
{
    // Painted entirely by paintEvent, straight onto the window.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(1, 1);
    LoadViewSettings();
}

CTamvelView::~CTamvelView() = default;

CommandStates CTamvelView::ComputeCommandStates() const
{
    const ViewState &s = state_;
    const DisplayMode mode = s.mode;
    const bool horizontalPhoto = mode == DisplayMode::HorizontalPhoto;
    const bool largeCells = mode == DisplayMode::HorizontalLargeCells;
    const bool months = IsMonthPaging(mode);
    const bool labelsOrFill = s.Ferie != 0 || s.NonTrav != 0;
    const int pages = PageCount(mode);
    const bool photoMode = mode == DisplayMode::VerticalPhoto || horizontalPhoto;

    auto check = [](bool enabled, bool checked) { return CommandState{enabled, checked, false, {}}; };
    auto radio = [](bool enabled, bool checked) { return CommandState{enabled, checked, true, {}}; };

    CommandStates states;
    states[ID_SEM] = check(true, s.Sem != 0);
    states[ID_NON_TRAV] = check(true, s.NonTrav != 0);
    states[ID_FERIE] = check(true, s.Ferie != 0);
    states[ID_FERIE_PARTICULIER] = check(labelsOrFill, s.FerieParticulier != 0);
    states[ID_GROS_TRAIT] = check(horizontalPhoto, s.GrosTrait != 0);
    states[ID_PUB] = check(true, s.PubVisible != 0);
    states[ID_RECADRER_PHOTOS] = check(photoMode, s.RecadrerPhotos != 0);
    states[ID_FETES_VISIBLE] = check(true, s.FetesVisible != 0);
    states[ID_LUNE_VISIBLE] = check(true, s.LuneVisible != 0);
    const unsigned zones = almanac::ZonesFromLetters(s.VacancesZones.toStdString());
    // The zones are metropolitan France's: off for an overseas region or another country, and
    // their items say why.
    const bool zonesApply = almanac::SchoolZonesApply(app_);
    const bool france = app_.Pays.country == model::Country::France;
    const QString zonesWhy =
        france ? QStringLiteral(" (métropole seulement)") : QStringLiteral(" (écoles de France seulement)");
    for (const almanac::SchoolZone zone : almanac::kSchoolZones) {
        const QString text = QStringLiteral("Zone &") + QLatin1Char(almanac::ZoneLetter(zone));
        states[SchoolZoneCommand(zone)] = {zonesApply, (zones & almanac::ZoneBit(zone)) != 0, false,
                                           zonesApply ? text : text + zonesWhy};
    }
    states[ID_VERTICAL] = radio(true, mode == DisplayMode::Vertical);
    states[ID_HORIZONTAL] = radio(true, mode == DisplayMode::Horizontal);
    states[ID_VERTICAL_PHOTO] = radio(true, mode == DisplayMode::VerticalPhoto);
    states[ID_HORIZONTAL_PHOTO] = radio(true, horizontalPhoto);
    states[ID_GRANDES_CASES] = radio(true, largeCells);
    states[ID_PHOTO_MOIS] = radio(true, mode == DisplayMode::PhotoMonths);
    states[ID_HORIZONTAL_PHOTO_BAS] = radio(true, horizontalPhoto && s.PhotoBas != 0);
    states[ID_HORIZONTAL_PHOTO_HAUT] = radio(true, horizontalPhoto && s.PhotoBas == 0);
    states[ID_PHOTO_HAUT] = radio(horizontalPhoto, s.PhotoBas == 0);
    states[ID_PHOTO_BAS] = radio(horizontalPhoto, s.PhotoBas != 0);
    states[ID_PAGE_PREV] = {mode != DisplayMode::Vertical && s.page >= 2, std::nullopt, false,
                            months ? QStringLiteral("Mois &précédent") : QStringLiteral("Semestre &précédent")};
    states[ID_PAGE_NEXT] = {mode != DisplayMode::Vertical && s.page < pages, std::nullopt, false,
                            months ? QStringLiteral("Mois &suivant") : QStringLiteral("Semestre &suivant")};
    states[ID_EDIT_FERIES] = {s.FerieParticulier != 0 && labelsOrFill, std::nullopt, false, {}};
    states[ID_EDIT_PUB] = {s.PubVisible != 0, std::nullopt, false, {}};
    const bool pentecostOption = doc_ != nullptr && doc_->LundiPentecote != 0;
    // Elsewhere the country's own law says whether Pentecost Monday is off.
    states[ID_LUNDI_PENTECOTE] =
        check(france && labelsOrFill && app_.Annee >= 2005, pentecostOption || app_.Annee <= 2004);
    for (int id = ID_REGION_FIRST; id <= ID_REGION_LAST; ++id)
        states[id] = radio(true, france && static_cast<int>(app_.Region) == id - ID_REGION_FIRST);
    const std::vector<model::Place> &places = model::PlaceChoices();
    for (std::size_t k = 0; k < places.size(); ++k)
        states[ID_PAYS_FIRST + static_cast<int>(k)] = radio(true, app_.Pays == places[k]);
    states[ID_CHARGER_IMAGES] = {photoMode, std::nullopt, false, {}};
    return states;
}

bool CTamvelView::IsCommandEnabled(int id) const
{
    const CommandStates states = ComputeCommandStates();
    const auto it = states.find(id);
    return it == states.end() || it->second.enabled;
}

bool CTamvelView::OnCommand(int id)
{
    void (CTamvelView::*handler)() = nullptr;
    switch (id) {
    case ID_SEM:
        handler = &CTamvelView::OnSem;
        break;
    case ID_NON_TRAV:
        handler = &CTamvelView::OnNonTrav;
        break;
    case ID_FERIE:
        handler = &CTamvelView::OnFerie;
        break;
    case ID_FERIE_PARTICULIER:
        handler = &CTamvelView::OnFerieParticulier;
        break;
    case ID_GROS_TRAIT:
        handler = &CTamvelView::OnGrosTrait;
        break;
    case ID_PUB:
        handler = &CTamvelView::OnPub;
        break;
    case ID_RECADRER_PHOTOS:
        handler = &CTamvelView::OnRecadrerPhotos;
        break;
    case ID_FETES_VISIBLE:
        handler = &CTamvelView::OnFetesVisible;
        break;
    case ID_LUNE_VISIBLE:
        handler = &CTamvelView::OnLuneVisible;
        break;
    case ID_VACANCES_ZONE_A:
    case ID_VACANCES_ZONE_B:
    case ID_VACANCES_ZONE_C:
        OnVacancesZone(static_cast<almanac::SchoolZone>(id - ID_VACANCES_ZONE_A));
        return true;
    case ID_VERTICAL:
        handler = &CTamvelView::OnVertical;
        break;
    case ID_HORIZONTAL:
        handler = &CTamvelView::OnHorizontal;
        break;
    case ID_VERTICAL_PHOTO:
        handler = &CTamvelView::OnVerticalPhoto;
        break;
    case ID_HORIZONTAL_PHOTO:
        handler = &CTamvelView::OnHorizontalPhoto;
        break;
    case ID_HORIZONTAL_PHOTO_BAS:
        handler = &CTamvelView::OnHorizontalPhotoBas;
        break;
    case ID_HORIZONTAL_PHOTO_HAUT:
        handler = &CTamvelView::OnHorizontalPhotoHaut;
        break;
    case ID_GRANDES_CASES:
        handler = &CTamvelView::OnGrandesCases;
        break;
    case ID_PHOTO_MOIS:
        handler = &CTamvelView::OnPhotoMois;
        break;
    case ID_PHOTO_HAUT:
        handler = &CTamvelView::OnPhotoHaut;
        break;
    case ID_PHOTO_BAS:
        handler = &CTamvelView::OnPhotoBas;
        break;
    case ID_PAGE_PREV:
        handler = &CTamvelView::OnPagePrecedente;
        break;
    case ID_PAGE_NEXT:
        handler = &CTamvelView::OnPageSuivante;
        break;
    case ID_FILE_PRINT:
        handler = &CTamvelView::OnFilePrint;
        break;
    case ID_FILE_PRINT_DIRECT:
        handler = &CTamvelView::OnFilePrintDirect;
        break;
    case ID_FILE_PRINT_PREVIEW:
        handler = &CTamvelView::OnFilePrintPreview;
        break;
    case ID_FILE_EXPORT_PDF:
        handler = &CTamvelView::OnFileExportToPdf;
        break;
    case ID_FILE_EXPORT_PRINT_READY:
        handler = &CTamvelView::OnFileExportPrintReady;
        break;
    default:
        return false;
    }
    (this->*handler)();
    return true;
}

// Each handler checks its own state, so a disabled command does nothing however it arrives.

void CTamvelView::OnSem()
{
    state_.Sem = state_.Sem ? 0 : 1;
    SaveAndRedraw();
}

void CTamvelView::OnNonTrav()
{
    state_.NonTrav = state_.NonTrav ? 0 : 1;
    SaveAndRedraw();
}

void CTamvelView::OnFerie()
{
    state_.Ferie = state_.Ferie ? 0 : 1;
    SaveAndRedraw();
}

void CTamvelView::OnFerieParticulier()
{
    if (!IsCommandEnabled(ID_FERIE_PARTICULIER))
        return;
    state_.FerieParticulier = state_.FerieParticulier ? 0 : 1;
    SaveAndRedraw();
}

void CTamvelView::OnGrosTrait()
{
    if (!IsCommandEnabled(ID_GROS_TRAIT))
        return;
    state_.GrosTrait = state_.GrosTrait ? 0 : 1;
    SaveAndRedraw();
}

void CTamvelView::OnPub()
{
    state_.PubVisible = state_.PubVisible ? 0 : 1;
    SaveAndRedraw();
}

void CTamvelView::OnRecadrerPhotos()
{
    if (!IsCommandEnabled(ID_RECADRER_PHOTOS))
        return;
    state_.RecadrerPhotos = state_.RecadrerPhotos ? 0 : 1;
    SaveAndRedraw();
}

void CTamvelView::OnFetesVisible()
{
    state_.FetesVisible = state_.FetesVisible ? 0 : 1;
    SaveAndRedraw();
}

void CTamvelView::OnLuneVisible()
{
    state_.LuneVisible = state_.LuneVisible ? 0 : 1;
    SaveAndRedraw();
}

int CTamvelView::SchoolZoneCommand(almanac::SchoolZone zone)
{
    return ID_VACANCES_ZONE_A + static_cast<int>(zone);
}

void CTamvelView::OnVacancesZone(almanac::SchoolZone zone)
{
    const unsigned zones = almanac::ZonesFromLetters(state_.VacancesZones.toStdString()) ^ almanac::ZoneBit(zone);
    state_.VacancesZones = QString::fromStdString(almanac::LettersOfZones(zones));
    SaveAndRedraw();
}

QString CTamvelView::SchoolHolidaysHint() const
{
    const auto [firstMonth, lastMonth] = render::MonthsOfPage(state_.mode, state_.page);
    const almanac::Almanac almanac(app_.Annee, firstMonth, lastMonth,
                                   {false, false, render::SchoolZonesOf(state_, app_)});
    QStringList unknown;
    for (const almanac::SchoolLegendEntry &entry : almanac.SchoolLegend()) {
        if (entry.unknown)
            unknown += QString(QLatin1Char(almanac::ZoneLetter(entry.zone)));
    }
    if (unknown.isEmpty())
        return {};
    return (unknown.size() == 1 ? QStringLiteral("Vacances de la zone %1 inconnues sur cette page")
                                : QStringLiteral("Vacances des zones %1 inconnues sur cette page"))
               .arg(unknown.join(QStringLiteral(", "))) +
           QStringLiteral(" : importez le calendrier scolaire du ministère (Affichage > Almanach > Vacances "
                          "scolaires > Importer le calendrier scolaire...)");
}

void CTamvelView::SetMode(DisplayMode mode, bool resetPage)
{
    state_.SetMode(mode);
    if (resetPage)
        state_.page = 1;
    SaveAndRedraw();
}

void CTamvelView::OnVertical()
{
    // Vertical ignores the page, so it is left as it was.
    SetMode(DisplayMode::Vertical, false);
}

void CTamvelView::OnHorizontal()
{
    SetMode(DisplayMode::Horizontal, true);
}

void CTamvelView::OnVerticalPhoto()
{
    SetMode(DisplayMode::VerticalPhoto, true);
}

void CTamvelView::OnHorizontalPhoto()
{
    SetMode(DisplayMode::HorizontalPhoto, true);
}

void CTamvelView::OnHorizontalPhotoBas()
{
    state_.PhotoBas = 1;
    SetMode(DisplayMode::HorizontalPhoto, true);
}

void CTamvelView::OnHorizontalPhotoHaut()
{
    state_.PhotoBas = 0;
    SetMode(DisplayMode::HorizontalPhoto, true);
}

void CTamvelView::OnGrandesCases()
{
    SetMode(DisplayMode::HorizontalLargeCells, true);
}

void CTamvelView::OnPhotoMois()
{
    SetMode(DisplayMode::PhotoMonths, true);
}

void CTamvelView::OnPhotoHaut()
{
    if (!IsCommandEnabled(ID_PHOTO_HAUT))
        return;
    state_.PhotoBas = 0;
    SaveAndRedraw();
}

void CTamvelView::OnPhotoBas()
{
    if (!IsCommandEnabled(ID_PHOTO_BAS))
        return;
    state_.PhotoBas = 1;
    SaveAndRedraw();
}

void CTamvelView::OnPagePrecedente()
{
    if (!IsCommandEnabled(ID_PAGE_PREV))
        return;
    if (state_.page > 1)
        --state_.page;
    repaint();
}

void CTamvelView::OnPageSuivante()
{
    if (!IsCommandEnabled(ID_PAGE_NEXT))
        return;
    if (state_.page < PageCount(state_.mode))
        ++state_.page;
    repaint();
}

QPrinter &CTamvelView::Printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void CTamvelView::OnFilePrint()
{
    WaitForImages();
    RunPrintJob(this, Printer(), Inputs(), true);
}

void CTamvelView::OnFilePrintDirect()
{
    WaitForImages();
    RunPrintJob(this, Printer(), Inputs(), false);
}

void CTamvelView::OnFilePrintPreview()
{
    WaitForImages();
    RunPrintPreview(this, Printer(), Inputs());
}

void CTamvelView::OnFileExportToPdf()
{
    WaitForImages();
    if (const QString path = RunPdfExport(this, Inputs()); !path.isEmpty())
        emit Exported(path);
}

void CTamvelView::OnFileExportPrintReady()
{
    WaitForImages();
    if (const QString path = RunPrintReadyExport(this, Inputs()); !path.isEmpty())
        emit Exported(path);
}

void CTamvelView::WaitForImages() const
{
    // Paper gets the photos, not the placeholder of photos still being decoded.
    if (doc_ != nullptr)
        doc_->FinishImageLoading();
}

void CTamvelView::SaveAndRedraw()
{
    SaveViewSettings();
    EmitStatusPanes();
    repaint();
}

void CTamvelView::EmitStatusPanes()
{
    emit StatusPanesChanged(state_.NonTrav != 0, state_.Ferie != 0, state_.Sem != 0);
}

std::string CTamvelView::GetHolidayLabel(const COleDateTime &date) const
{
    return ::GetHolidayLabel(date, render::HolidayOptionsOf(Inputs()));
}

void CTamvelView::PaintSheet(platform::DrawSurface &dc, int w, int h, const CalendarDispatcher &dispatch) const
{
    const SheetGeometry g = ComputeSheetGeometry(w, h, state_.mode);
    dc.Rectangle(g.desk, kDeskGray);
    dc.Rectangle(g.sheet, kSheetWhite);
    // A view too small to hold any of the sheet's inside draws no calendar.
    if (!g.HasInnerSheet())
        return;
    const LayoutInputs inputs{app_, state_, doc_};
    dispatch(dc, inputs, g.inner.left, g.inner.top, g.inner.right, g.inner.bottom, state_.page, g.scale);
}

void CTamvelView::paintEvent(QPaintEvent *)
{
    EmitStatusPanes();
    QPainter painter(this);
    platform::PainterSurface dc(painter, logicalDpiX(), logicalDpiY(), false, &paintCache_);
    // The view has no frame: its outer rectangle is its own size.
    PaintSheet(dc, width(), height());
}
