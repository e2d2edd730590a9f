#include "batch/batch_run.h"
#include "platform/registry.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 200;

// A settings file that shows the advertising lines, as a customer's calendar does.
QString WriteSettings(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("s.conf"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("[Settings]\nPubVisible=1\nPub1=Client\nPub2=Merci de votre fid\xC3\xA9lit\xC3\xA9\n");
    return path;
}

// 200 vertical calendars without photos, each with its own line, on 1 or 2 threads.
void BM_Batch200Vertical(benchmark::State &state)
{
    QTemporaryDir dir;
    platform::SetSettingsFile(WriteSettings(dir));
    const QString csv = dir.filePath(QStringLiteral("clients.csv"));
    QFile file(csv);
    file.open(QIODevice::WriteOnly);
    file.write("fichier,annee,disposition,pub1,pub2\n");
    for (int i = 1; i <= kRows; ++i)
        file.write(
            QStringLiteral("client-%1,2027,vertical,Client numéro %1,Merci de votre fidélité\n").arg(i).toUtf8());
    file.close();
    const batch::BatchReport report{[&state](const QString &) { state.SkipWithError("a row was refused"); },
                                    [](int, int) {}};
    for (auto _ : state) {
        const batch::BatchSummary summary = batch::RunBatch(
            {csv, dir.filePath(QStringLiteral("out")), static_cast<int>(state.range(0)), 2027, {}, {}, {}}, report);
        if (summary.written != kRows)
            state.SkipWithError("not every calendar was written");
    }
    state.counters["per_calendar_ms"] = benchmark::Counter(
        static_cast<double>(kRows) / 1000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Batch200Vertical)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5);

// What the batch replaces: one `tamvel --pdf` process per customer (20 of them; x 10 for 200).
void BM_SeparatePdfProcesses20(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString settings = WriteSettings(dir);
    for (auto _ : state) {
        for (int i = 0; i < 20; ++i) {
            const int status = QProcess::execute(QStringLiteral(TAMVEL_BINARY),
                                                 {QStringLiteral("--settings"), settings, QStringLiteral("--pdf"),
                                                  dir.filePath(QStringLiteral("%1.pdf").arg(i)),
                                                  QStringLiteral("--year"), QStringLiteral("2027")});
            if (status != 0)
                state.SkipWithError("tamvel --pdf failed");
        }
    }
    state.counters["per_calendar_ms"] =
        benchmark::Counter(20.0 / 1000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SeparatePdfProcesses20)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5);

} // namespace
