#pragma once

#include "almanac/school_periods.h"
#include "document/app_settings.h"
#include "document/tamvel_doc.h"
#include "document/view_settings.h"
#include "drawing/draw_calendar.h"
#include "platform/draw_surface.h"
#include "platform/paint_cache.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class COleDateTime;
class QPrinter;

// What a menu item or toolbar button of one command shows.
struct CommandState {
    bool enabled = true;
    std::optional<bool> checked; // set for items with a check or radio mark
    bool radio = false;          // the mark is one of an exclusive group
    QString text;                // replaces the item's text when not empty
};
// Commands absent from the map are always enabled and carry no mark.
using CommandStates = std::map<int, CommandState>;

// The calendar view: display mode, toggles, current page, and the sheet on the gray desk.
class CTamvelView : public QWidget
{
    Q_OBJECT

public:
    // Starts from the initial state, then reads the stored display settings.
    CTamvelView(const AppSettings &app, CTamvelDoc *doc, QWidget *parent = nullptr);
    ~CTamvelView() override;

    const ViewState &State() const { return state_; }
    int Page() const { return state_.page; }
    CTamvelDoc *Document() const { return doc_; }

    void LoadViewSettings() { state_.LoadViewSettings(); }
    void SaveViewSettings() const { state_.SaveViewSettings(); }

    // Enabled, check, radio and text of every command whose state depends on the view.
    CommandStates ComputeCommandStates() const;
    bool IsCommandEnabled(int id) const;

    // True when the view carries the command; it then ran it, unless the command is disabled.
    bool OnCommand(int id);

    // Display commands.
    void OnSem();
    void OnNonTrav();
    void OnFerie();
    void OnFerieParticulier();
    void OnGrosTrait();
    void OnPub();
    void OnRecadrerPhotos();
    void OnFetesVisible();
    void OnLuneVisible();
    // Shows or hides the school holidays of a zone.
    void OnVacancesZone(almanac::SchoolZone zone);
    static int SchoolZoneCommand(almanac::SchoolZone zone);
    void OnVertical();
    void OnHorizontal();
    void OnVerticalPhoto();
    void OnHorizontalPhoto();
    void OnHorizontalPhotoBas();
    void OnHorizontalPhotoHaut();
    void OnGrandesCases();
    void OnPhotoMois();
    void OnPhotoHaut();
    void OnPhotoBas();
    void OnPagePrecedente();
    void OnPageSuivante();

    // Printing: the print dialog and job, a job without dialog, the preview, the PDF export.
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    void OnFileExportToPdf();
    void OnFileExportPrintReady();

    // The application's printer settings, shared by every job and by the print setup.
    QPrinter &Printer();
    // What the layouts read when this view draws.
    LayoutInputs Inputs() const { return {app_, state_, doc_}; }

    // The label of a day as this view shows it: the year's particular days count when
    // FerieParticulier is on.
    std::string GetHolidayLabel(const COleDateTime &date) const;

    // What the status bar suggests when the page shows a zone for days that no school calendar
    // covers yet; empty otherwise.
    QString SchoolHolidaysHint() const;

    // Desk, sheet and calendar for a view of w x h pixels; the calendar goes through dispatch.
    using CalendarDispatcher = std::function<void(platform::DrawSurface &, const LayoutInputs &, int left, int top,
                                                  int right, int bottom, int page, double scale)>;
    void PaintSheet(platform::DrawSurface &dc, int w, int h, const CalendarDispatcher &dispatch = DrawCalendar) const;

signals:
    // Panes 1 to 3 of the status bar: N.TRAV, FERIE, SEM.
    void StatusPanesChanged(bool nonTrav, bool ferie, bool sem);
    // The calendar was written to `path`.
    void Exported(const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Stores the display settings, then redraws at once.
    void SaveAndRedraw();
    void SetMode(DisplayMode mode, bool resetPage);
    void WaitForImages() const;
    void EmitStatusPanes();

    const AppSettings &app_;
    CTamvelDoc *doc_;
    ViewState state_;
    std::unique_ptr<QPrinter> printer_;
    // What one repaint leaves for the next.
    platform::PaintCache paintCache_;
};
