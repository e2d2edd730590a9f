#pragma once

#include "drawing/draw_calendar.h"
#include "output/press_sheet.h"
#include "platform/whole_file.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Outcome of an export: the files written, or one French sentence saying why nothing was.
struct ExportResult {
    bool ok = false;
    QString error;
    QStringList files;
    bool diskFull = false;        // the error is a full disk: nothing more can be written there
    bool converterFailed = false; // the print-ready converter failed: it would fail again
    QStringList warnings = {};    // what the user should know of a file that was written
};

// The photos a PDF of these pages prints below 200 pixels per inch in their frame: one French
// sentence each, naming the photo and its resolution.
QStringList LowResolutionPhotos(const LayoutInputs &inputs);

// Every page of the current mode into one A4 PDF, in the mode's orientation, with the margins
// of paper. The file appears whole or not at all (see platform::WholeFile). With a press sheet,
// each A4 page is drawn the same on that larger sheet, moved by its margin.
ExportResult ExportPdf(const QString &path, const LayoutInputs &inputs,
                       platform::WholeFile::Abandoned abandoned = platform::WholeFile::Abandoned::Clear,
                       const std::optional<PressSheet> &press = std::nullopt);

// What ExportPdf does, in two steps for a caller that commits the file elsewhere: draws every
// page into `file`, open (false when the drawing could not begin), ...
bool DrawPdf(platform::WholeFile &file, const LayoutInputs &inputs,
             const std::optional<PressSheet> &press = std::nullopt);
// ... then commits it, saying why when it cannot.
ExportResult CommitExport(platform::WholeFile &file);

// The press sheet of the mode's A4 pages in a PDF export, with a bleed in millimetres.
PressSheet PdfPressSheet(DisplayMode mode, double bleedMm);

// What an export says of a file it cannot write, and of a whole file that failed.
QString CannotWrite(const QString &path);
ExportResult FailedWrite(const platform::WholeFile &file);

// Writes the bytes beside `path` and renames them over it: the file appears whole or not at all.
ExportResult WriteWholeFile(const QString &path, const QByteArray &bytes);

// Every page as PREFIX-1.png, PREFIX-2.png ... at the given resolution, A4 like the PDF.
ExportResult ExportPng(const QString &prefix, int dpi, const LayoutInputs &inputs);
