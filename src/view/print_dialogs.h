#pragma once

#include "drawing/draw_calendar.h"

#include <optional>
#include <utility>

class QPrintDialog;
class QPrinter;
class QWidget;

// The printing commands as the user meets them: the print dialog and job, the preview window,
// the print setup and the export to PDF. Messages go through platform::Prompts().

// Whether the system knows of any printer at all.
bool PrinterInstalled();
// Replaces the system's answer (tests run on machines with and without printers); nullopt asks
// the system again.
void OverridePrinterInstalled(std::optional<bool> installed);

// The print dialog as every print command offers it for a mode: never a selection or the
// current page, a page range only when the mode has more than one page, within its pages.
void PreparePrintDialog(QPrintDialog &dialog, DisplayMode mode);
// The first and last page a job prints: the range the dialog left in the printer, clipped to
// the mode's pages, or all of them.
std::pair<int, int> PagesToPrint(const QPrinter &printer, DisplayMode mode);

// Print (with the dialog) or direct print (without): one sheet per page of the current mode.
// False when the user cancelled the dialog or there is no printer.
bool RunPrintJob(QWidget *parent, QPrinter &printer, const LayoutInputs &inputs, bool withDialog);

// The preview window on the same pages; it needs no printer. Its Print button is the Print
// command; the page's orientation is the mode's, so the window offers no other.
void RunPrintPreview(QWidget *parent, QPrinter &printer, const LayoutInputs &inputs);

// Print setup: opens in portrait and leaves the settings in portrait; the orientation of a job
// comes from the display mode when the job starts.
void RunPrintSetup(QWidget *parent, QPrinter &printer);

// Asks for a file name, then writes every page of the current mode to it. The file written, or
// an empty text when nothing was.
QString RunPdfExport(QWidget *parent, const LayoutInputs &inputs);

// Asks for the bleed (remembered for the next time) and a file name, then writes every page of
// the current mode as a print-ready PDF. The file written, or an empty text when nothing was.
QString RunPrintReadyExport(QWidget *parent, const LayoutInputs &inputs);
