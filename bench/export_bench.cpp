#include "output/calendar_export.h"
#include "output/print_ready.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A whole export to PDF, file included: what `tamvel --pdf` and "Exporter en PDF..." cost; with
// printReady, what `--print-ready` and "Exporter pour l'imprimeur..." cost, Ghostscript included.
void ExportMode(benchmark::State &state, DisplayMode mode, bool printReady = false)
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

// Twelve pages for the print shop: the target is under 3 s.
void BM_ExportLargeCellsPrintReady(benchmark::State &state)
{
    ExportMode(state, DisplayMode::HorizontalLargeCells, true);
}
BENCHMARK(BM_ExportLargeCellsPrintReady)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
