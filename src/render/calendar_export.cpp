#include "render/calendar_export.h"

#include "platform/painter_surface.h"
#include "render/printing.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cstdio>

namespace {

constexpr double kA4WidthInches = 210.0 / 25.4;
constexpr double kA4HeightInches = 297.0 / 25.4;
// What a high-resolution printer gives: hairlines stay hairlines when the PDF is zoomed.
constexpr int kPdfResolution = 1200;

QString CannotWrite(const QString &path)
{
    return QStringLiteral("Impossible d'écrire le fichier « %1 » : vérifiez le dossier et les droits.").arg(path);
}

} // namespace

ExportResult ExportPdf(const QString &path, const LayoutInputs &inputs)
{
    ExportResult result;
    // Written next to the target and renamed over it once complete, so that a failure never
    // leaves half a PDF under the user's name.
    const QFileInfo target(path);
    QTemporaryFile partial(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                           QStringLiteral(".XXXXXX"));
    if (target.isDir() || !partial.open()) {
        result.error = CannotWrite(path);
        return result;
    }
    partial.close();

    // A PDF writer rather than a printer: it asks no print system for its printers, so every
    // export costs the same with or without one, on any thread.
    QPdfWriter writer(partial.fileName());
    writer.setResolution(kPdfResolution);
    writer.setPageSize(QPageSize(QPageSize::A4));
    // A PDF has no unprintable border: the whole sheet is the printable area and the calendar
    // keeps the same 1.5 cm margins as on paper.
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setCreator(QStringLiteral("Générateur de Tamvel"));
    writer.setTitle(QStringLiteral("Année %1").arg(inputs.app.Annee, 4, 10, QLatin1Char('0')));
    OnBeginPrinting(writer, inputs.view.mode);

    if (!PrintPages(writer, inputs, 1, PageCount(inputs.view.mode)) || QFileInfo(partial.fileName()).size() == 0) {
        result.error = CannotWrite(path);
        return result;
    }
    if (std::rename(QFile::encodeName(partial.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        result.error = CannotWrite(path);
        return result;
    }
    partial.setAutoRemove(false);
    // The temporary file was private to its owner; the PDF gets the permissions of any new file.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    result.ok = true;
    result.files << path;
    return result;
}

ExportResult WriteWholeFile(const QString &path, const QByteArray &bytes)
{
    ExportResult result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        result.error = CannotWrite(path);
        return result;
    }
    result.ok = true;
    result.files << path;
    return result;
}

ExportResult ExportPng(const QString &prefix, int dpi, const LayoutInputs &inputs)
{
    ExportResult result;
    const bool portrait = IsPortrait(inputs.view.mode);
    const int shortSide = qRound(kA4WidthInches * dpi);
    const int longSide = qRound(kA4HeightInches * dpi);
    const QSize size = portrait ? QSize(shortSide, longSide) : QSize(longSide, shortSide);

    PrinterSheet sheet;
    sheet.paperWidth = sheet.printableWidth = size.width();
    sheet.paperHeight = sheet.printableHeight = size.height();
    sheet.dpiX = sheet.dpiY = dpi;

    // The pages share their fonts and their moons.
    platform::PaintCache cache;
    const int pages = PageCount(inputs.view.mode);
    for (int page = 1; page <= pages; ++page) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        const int dotsPerMeter = qRound(dpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        {
            QPainter painter(&image);
            platform::PainterSurface dc(painter, dpi, dpi, true, &cache);
            OnPrint(dc, sheet, inputs, page);
        }
        const QString path = QStringLiteral("%1-%2.png").arg(prefix).arg(page);
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG") || !WriteWholeFile(path, png).ok) {
            // Take back the pages already written: the export is whole or absent.
            for (const QString &written : std::as_const(result.files))
                QFile::remove(written);
            result.files.clear();
            result.error = CannotWrite(path);
            return result;
        }
        result.files << path;
    }
    result.ok = true;
    return result;
}
