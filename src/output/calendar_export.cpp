#include "output/calendar_export.h"

#include "images/photo.h"
#include "output/printing.h"
#include "platform/painter_surface.h"
#include "platform/recording_surface.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

constexpr double kA4WidthInches = 210.0 / 25.4;
constexpr double kA4HeightInches = 297.0 / 25.4;
// What a high-resolution printer gives: hairlines stay hairlines when the PDF is zoomed.
constexpr int kPdfResolution = 1200;
// Below this many pixels per inch a printed photo shows its pixels.
constexpr int kLeastPhotoPpi = 200;

QPageLayout A4Layout(DisplayMode mode)
{
    return QPageLayout(QPageSize(QPageSize::A4), IsPortrait(mode) ? QPageLayout::Portrait : QPageLayout::Landscape,
                       QMarginsF());
}

} // namespace

QString CannotWrite(const QString &path)
{
    return QStringLiteral("Impossible d'écrire le fichier « %1 » : vérifiez le dossier et les droits.").arg(path);
}

ExportResult FailedWrite(const platform::WholeFile &file)
{
    ExportResult result;
    result.error = file.ErrorText();
    result.diskFull = file.Problem() == platform::WriteProblem::DiskFull;
    return result;
}

PressSheet PdfPressSheet(DisplayMode mode, double bleedMm)
{
    // The exact A4, where the page layout rounds it to whole points.
    const double shortSide = kA4WidthInches * 72, longSide = kA4HeightInches * 72;
    return IsPortrait(mode) ? ComputePressSheet(shortSide, longSide, bleedMm, kPdfResolution)
                            : ComputePressSheet(longSide, shortSide, bleedMm, kPdfResolution);
}

bool DrawPdf(platform::WholeFile &file, const LayoutInputs &inputs, const std::optional<PressSheet> &press)
{
    // A PDF writer rather than a printer: it asks no print system for its printers, so every
    // export costs the same with or without one, on any thread. It does not check its own
    // writes: the file does, and its Commit() tells.
    QPdfWriter writer(file.Device());
    writer.setResolution(kPdfResolution);
    // A PDF has no unprintable border: the whole sheet is the printable area and the calendar
    // keeps the same 1.5 cm margins as on paper.
    const QPageLayout a4 = A4Layout(inputs.view.mode);
    if (press) {
        const QSize media(qRound(press->media.right), qRound(press->media.top));
        writer.setPageLayout(
            QPageLayout(QPageSize(media, QString(), QPageSize::ExactMatch), QPageLayout::Portrait, QMarginsF()));
    } else {
        writer.setPageLayout(a4);
    }
    writer.setCreator(QStringLiteral("Générateur de Tamvel"));
    writer.setTitle(QStringLiteral("Année %1").arg(inputs.app.Annee, 4, 10, QLatin1Char('0')));
    // On a press sheet the page is drawn exactly as on its own A4 sheet, moved by the margin.
    return PrintPages(writer, inputs, 1, PageCount(inputs.view.mode), SheetOf(a4, kPdfResolution, kPdfResolution),
                      press ? press->drawingOffset : 0);
}

QStringList LowResolutionPhotos(const LayoutInputs &inputs)
{
    QStringList said;
    if (inputs.doc == nullptr)
        return said;
    const PrinterSheet sheet = SheetOf(A4Layout(inputs.view.mode), kPdfResolution, kPdfResolution);
    for (int page = 1; page <= PageCount(inputs.view.mode); ++page) {
        const Photo &photo = inputs.doc->PageImage(page);
        if (photo.IsEmpty())
            continue;
        // Where the layout puts the photo, drawn without ink.
        platform::RecordingSurface frames(kPdfResolution, true);
        OnPrint(frames, sheet, inputs, page);
        for (const platform::RecordedCall &call : frames.CallsOf(platform::RecordedCall::Kind::Image)) {
            const QSize frame(call.rect.right - call.rect.left, call.rect.bottom - call.rect.top);
            if (frame.isEmpty())
                continue;
            const QSize shown =
                inputs.view.RecadrerPhotos != 0 ? CropToFrame(photo.Size(), frame).size() : photo.Size();
            const int ppi = static_cast<int>(std::min(double(shown.width()) * kPdfResolution / frame.width(),
                                                      double(shown.height()) * kPdfResolution / frame.height()));
            if (ppi >= kLeastPhotoPpi)
                continue;
            const QString name = page == 2 ? inputs.doc->Image2 : inputs.doc->Image1;
            said << QStringLiteral("La photo « %1 » est imprimée à %2 ppi seulement (moins de %3 ppi) : elle "
                                   "paraîtra floue ou en escalier.")
                        .arg(name.isEmpty() ? QStringLiteral("%1").arg(page) : QFileInfo(name).fileName())
                        .arg(ppi)
                        .arg(kLeastPhotoPpi);
        }
    }
    // A photo on two pages is said once.
    said.removeDuplicates();
    return said;
}

ExportResult CommitExport(platform::WholeFile &file)
{
    if (!file.Commit())
        return FailedWrite(file);
    ExportResult result;
    result.ok = true;
    result.files << file.Target();
    return result;
}

ExportResult ExportPdf(const QString &path, const LayoutInputs &inputs, platform::WholeFile::Abandoned abandoned,
                       const std::optional<PressSheet> &press)
{
    platform::WholeFile file(path);
    if (!file.Open(abandoned))
        return FailedWrite(file);
    if (!DrawPdf(file, inputs, press)) {
        file.Discard();
        ExportResult result;
        result.error = CannotWrite(path);
        return result;
    }
    ExportResult result = CommitExport(file);
    if (result.ok && !press)
        result.warnings = LowResolutionPhotos(inputs);
    return result;
}

ExportResult WriteWholeFile(const QString &path, const QByteArray &bytes)
{
    ExportResult result;
    platform::WholeFile file(path);
    if (!file.Open() || !file.Write(bytes) || !file.Commit())
        return FailedWrite(file);
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
        const ExportResult written = buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG")
                                         ? WriteWholeFile(path, png)
                                         : ExportResult{false, CannotWrite(path), {}, false};
        if (!written.ok) {
            // Take back the pages already written: the export is whole or absent.
            for (const QString &page : std::as_const(result.files))
                QFile::remove(page);
            return written;
        }
        result.files << path;
    }
    result.ok = true;
    return result;
}
