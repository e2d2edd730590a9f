#pragma once

#include "platform/whole_file.h"
#include "render/draw_calendar.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Outcome of an export: the files written, or one French sentence saying why nothing was.
struct ExportResult {
    bool ok = false;
    QString error;
    QStringList files;
    bool diskFull = false; // the error is a full disk: nothing more can be written there
};

// Every page of the current mode into one A4 PDF, in the mode's orientation, with the margins
// of paper. The file appears whole or not at all (see platform::WholeFile).
ExportResult ExportPdf(const QString &path, const LayoutInputs &inputs,
                       platform::WholeFile::Abandoned abandoned = platform::WholeFile::Abandoned::Clear);

// Writes the bytes beside `path` and renames them over it: the file appears whole or not at all.
ExportResult WriteWholeFile(const QString &path, const QByteArray &bytes);

// Every page as PREFIX-1.png, PREFIX-2.png ... at the given resolution, A4 like the PDF.
ExportResult ExportPng(const QString &prefix, int dpi, const LayoutInputs &inputs);
