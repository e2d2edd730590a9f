#pragma once

#include "output/calendar_export.h"

#include <QCoreApplication>
#include <QString>

// What the print-ready conversion needs besides the pages.
struct PrintReadyOptions {
    double bleedMm = kDefaultBleedMm;
    QString ghostscript = QStringLiteral("gs"); // looked up in PATH unless it is a path
    QString profile;                            // the FOGRA39 ICC profile; PressProfilePath() when empty
};

// The standard a print-ready file follows, in the words of the About box and the help.
QString PrintReadyStandard();

// The FOGRA39 profile built with the program: installed, in the program's data folder; in the
// build tree, beside the executable.
QString PressProfilePath(const QString &executablePath = QCoreApplication::applicationFilePath());

// Every page of the current mode as a print shop wants it: PDF/X-3 in CMYK with a FOGRA39 output
// intent, each A4 page set on its press sheet with TrimBox, BleedBox and crop marks in
// registration colour (all four inks); black and greys in black ink alone, colours and photos
// through FOGRA39. Ghostscript makes the PDF/X frame and the pages are set in it; when it is
// missing, fails, takes too long or gives something else than that frame, or the profile is
// missing, the result says so and no file is left.
ExportResult ExportPrintReadyPdf(const QString &path, const LayoutInputs &inputs, const PrintReadyOptions &options);
