#include "images/photo.h"
#include "output/calendar_export.h"
#include "output/print_ready.h"

#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <random>

namespace {

// A whole export to PDF, file included: what `tamvel --pdf` and "Exporter en PDF..." cost; with
// printReady, what `--print-ready` and "Exporter pour l'imprimeur..." cost, Ghostscript included.
void ExportMode(benchmark::State &state, DisplayMode mode, bool printReady = false, bool photos = false)
{
    QTemporaryDir dir;
    AppSettings app;
    app.Annee = 2025;
    app.Pub1 = AppSettings::DefaultPub1();
    app.Pub2 = AppSettings::DefaultPub2();
    ViewState view;
    view.mode = mode;
    view.Sem = view.NonTrav = view.Ferie = view.PubVisible = 1;
    CTamvelDoc doc(app);
    if (photos) {
        // A camera's 3000 x 2000 picture on both photo pages.
        QImage picture(3000, 2000, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
        doc.Photo1 = doc.Photo2 = Photo(picture);
    }
    const QString path = dir.filePath(QStringLiteral("bench.pdf"));
    const PrintReadyOptions options{kDefaultBleedMm, QStringLiteral("gs"), QStringLiteral(TAMVEL_PRESS_PROFILE)};
    for (auto _ : state) {
        const ExportResult result =
            printReady ? ExportPrintReadyPdf(path, {app, view, &doc}, options) : ExportPdf(path, {app, view, &doc});
        if (!result.ok)
            state.SkipWithError(result.error.toLocal8Bit().constData());
    }
}

void BM_ExportVerticalPdf(benchmark::State &state)
{
    ExportMode(state, DisplayMode::Vertical);
}
BENCHMARK(BM_ExportVerticalPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportLargeCellsPdf(benchmark::State &state)
{
    ExportMode(state, DisplayMode::HorizontalLargeCells);
}
BENCHMARK(BM_ExportLargeCellsPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

// Twelve pages for the print shop: the target is within 3 times the plain export.
void BM_ExportLargeCellsPrintReady(benchmark::State &state)
{
    ExportMode(state, DisplayMode::HorizontalLargeCells, true);
}
BENCHMARK(BM_ExportLargeCellsPrintReady)->Unit(benchmark::kMillisecond)->UseRealTime();

// Two photo pages, what a batch row costs; print-ready within 4 times the plain export.
void BM_ExportPhotoPdf(benchmark::State &state)
{
    ExportMode(state, DisplayMode::VerticalPhoto, false, true);
}
BENCHMARK(BM_ExportPhotoPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportPhotoPrintReady(benchmark::State &state)
{
    ExportMode(state, DisplayMode::VerticalPhoto, true, true);
}
BENCHMARK(BM_ExportPhotoPrintReady)->Unit(benchmark::kMillisecond)->UseRealTime();

// A 24-megapixel camera photo of noise, which JPEG cannot make small: the worst to decode.
QString CameraPhoto(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("camera.jpg"));
    QImage image(6000, 4000, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = 0xFF000000u | (random() & 0xFFFFFFu);
    }
    image.save(path, "JPEG", 85);
    return path;
}

// The photo calendar with thirteen 24-megapixel photos, from their files to the 13-page PDF: the
// decoding (reduced, two at a time) and the export. Targets: 6 s, and 700 MB at the peak
// (peak_MB, the process's largest resident size so far).
void BM_ExportPhotoMonthsPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString photo = CameraPhoto(dir);
    AppSettings app;
    app.Annee = 2027;
    ViewState view;
    view.mode = DisplayMode::PhotoMonths;
    view.PubVisible = 1;
    const QString path = dir.filePath(QStringLiteral("bench.pdf"));
    for (auto _ : state) {
        CTamvelDoc doc(app);
        doc.MonthImages.fill(photo);
        LoadYearImages(doc);
        const ExportResult result = ExportPdf(path, {app, view, &doc});
        if (!result.ok)
            state.SkipWithError(result.error.toLocal8Bit().constData());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
}
BENCHMARK(BM_ExportPhotoMonthsPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace
