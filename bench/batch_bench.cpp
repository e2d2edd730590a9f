#include "batch/batch_run.h"
#include "platform/registry.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

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
            {csv, dir.filePath(QStringLiteral("out")), static_cast<int>(state.range(0)), 2027, {}, {}}, report);
        if (summary.written != kRows)
            state.SkipWithError("not every calendar was written");
    }
    state.counters["per_calendar_ms"] = benchmark::Counter(
        static_cast<double>(kRows) / 1000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Batch200Vertical)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5);

// Processor time of the whole process, every thread included, in milliseconds.
double ProcessorMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// 200 customers, each with a 6-megapixel photo of their own (3000 x 2000, as a camera or a phone
// gives), on 1 or 2 threads: a photo to decode for every calendar. The files hold the same
// picture: what counts is that each one is read and decoded for its own row.
void BM_Batch200OwnPhotos(benchmark::State &state)
{
    QTemporaryDir dir;
    platform::SetSettingsFile(WriteSettings(dir));
    QImage picture(3000, 2000, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] = qRgb((x / 12 + y / 20) % 256, (y / 8) % 256, ((x ^ y) & 63) + 96);
    }
    const QString first = dir.filePath(QStringLiteral("photo-1.jpg"));
    picture.save(first, "JPG", 88);
    const QString csv = dir.filePath(QStringLiteral("photos.csv"));
    QFile file(csv);
    file.open(QIODevice::WriteOnly);
    file.write("fichier,annee,disposition,pub1,image1\n");
    for (int i = 1; i <= kRows; ++i) {
        const QString photo = QStringLiteral("photo-%1.jpg").arg(i);
        if (i > 1)
            QFile::copy(first, dir.filePath(photo));
        file.write(QStringLiteral("client-%1,2027,vertical-photo,Client numéro %1,%2\n").arg(i).arg(photo).toUtf8());
    }
    file.close();
    const batch::BatchReport report{[&state](const QString &) { state.SkipWithError("a row was refused"); },
                                    [](int, int) {}};
    double processorMs = 0;
    for (auto _ : state) {
        const double before = ProcessorMs();
        const batch::BatchSummary summary = batch::RunBatch(
            {csv, dir.filePath(QStringLiteral("out")), static_cast<int>(state.range(0)), 2027, {}, {}}, report);
        processorMs += ProcessorMs() - before;
        if (summary.written != kRows)
            state.SkipWithError("not every calendar was written");
    }
    state.counters["per_calendar_ms"] = benchmark::Counter(
        static_cast<double>(kRows) / 1000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    // Processor time per calendar, all threads: what the pool costs beside what it saves.
    state.counters["processor_per_calendar_ms"] =
        processorMs / static_cast<double>(state.iterations()) / static_cast<double>(kRows);
}
BENCHMARK(BM_Batch200OwnPhotos)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

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
