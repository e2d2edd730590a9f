#include "images/photo.h"
#include "output/calendar_export.h"
#include "output/print_ready.h"

#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

} // namespace
