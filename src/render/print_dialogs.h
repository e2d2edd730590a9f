#pragma once

#include "render/draw_calendar.h"

#include <optional>

class QPrinter;
class QWidget;

// The printing commands as the user meets them: the print dialog and job, the preview window,
// the print setup and the export to PDF. Messages go through platform::Prompts().

// Whether the system knows of any printer at all.
bool PrinterInstalled();
// Replaces the system's answer (tests run on machines with and without printers); nullopt asks
// the system again.
void OverridePrinterInstalled(std::optional<bool> installed);

// Print (with the dialog) or direct print (without): one sheet per page of the current mode.
void RunPrintJob(QWidget *parent, QPrinter &printer, const LayoutInputs &inputs, bool withDialog);

// The preview window on the same pages; it needs no printer.
void RunPrintPreview(QWidget *parent, QPrinter &printer, const LayoutInputs &inputs);

// Print setup: opens in portrait and leaves the settings in portrait; the orientation of a job
// comes from the display mode when the job starts.
void RunPrintSetup(QWidget *parent, QPrinter &printer);

// Asks for a file name, then writes every page of the current mode to it.
void RunPdfExport(QWidget *parent, const LayoutInputs &inputs);
