#include "render/calendar_export.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A whole export to PDF, file included: what `tamvel --pdf` and "Exporter en PDF..." cost.
void ExportMode(benchmark::State &state, DisplayMode mode)
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
    for (auto _ : state) {
        const ExportResult result = ExportPdf(path, {app, view, &doc});
        if (!result.ok)
            state.SkipWithError("export failed");
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

} // namespace
