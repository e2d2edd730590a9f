#pragma once

#include <QByteArray>
#include <QString>

// Turns a PDF's pages into inks for an offset press, with libqpdf: every RGB colour of the page
// descriptions becomes CMYK (neutral tones black ink alone, colours through FOGRA39) and every
// RGB photo CMYK through FOGRA39, kept lossless. The pages are then set into `frame`, a one-page
// PDF/X file made by the converter: its output intent and document keys, its page's boxes and,
// over each page, its page's marks.
struct PressInks {
    QByteArray pdf;               // the whole print-ready file
    QString error;                // or why there is none, in French
    bool converterFailed = false; // the converter's frame was not what it should be
};
PressInks SetPagesInFrame(const QString &pagesPath, const QString &framePath, int pageCount);
