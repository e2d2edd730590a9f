#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

// Turns a PDF's pages into inks for an offset press, with libqpdf: every RGB colour of the page
// descriptions becomes CMYK (neutral tones black ink alone, colours through FOGRA39) and every
// photo a press photo (see press_photo.h), made from the pixels `photoPixels` gives for a page
// and an image size (the picture the page drew, lossless), else from the PDF's own. The pages
// are then set into `frame`, a one-page PDF/X file made by the converter: its output intent and
// document keys, its page's boxes and, over each page, its page's marks; the title is `title`.
struct PressInks {
    QByteArray pdf;               // the whole print-ready file
    QString error;                // or why there is none, in French
    bool converterFailed = false; // the converter's frame was not what it should be
};
using PhotoPixels = std::function<QImage(int page, QSize size)>;
PressInks SetPagesInFrame(const QString &pagesPath, const QByteArray &frame, int pageCount, const QString &title,
                          const PhotoPixels &photoPixels);
