#pragma once

#include "model/holiday_label.h"
#include "output/calendar_export.h"

#include <QString>

#include <string>

class CTamvelApp;
class CTamvelDoc;
struct ViewState;
class QWidget;

namespace app {

// The year's labelled days, as the calendar shows them, into an iCalendar file that appears
// whole or not at all.
ExportResult ExportIcs(const QString &path, int year, const model::HolidayOptions &options);

// "Exporter en iCalendar...": asks for the file, writes it, says what went wrong. The file
// written, or an empty text when nothing was.
QString RunIcsExport(QWidget *parent, int year, const model::HolidayOptions &options);

// --ics FILE and --import-ics FILE, for the year the application shows; the exit status.
int ExportIcsCommand(const std::string &path, CTamvelApp &tamvel, const ViewState &view);
int ImportIcsCommand(const std::string &path, CTamvelApp &tamvel, const ViewState &view);

} // namespace app
