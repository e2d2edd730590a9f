#include "batch/batch_run.h"

#include "almanac/school_store.h"
#include "batch/batch_rows.h"
#include "batch/committer.h"
#include "batch/photo_cache.h"
#include "batch/row_drawing.h"
#include "batch/stop_request.h"
#include "platform/regular_file.h"
#include "platform/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThreadPool>

#include <atomic>
#include <condition_variable>
#include <malloc.h>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

namespace batch {

namespace {

// What every row in flight needs besides its photos: the page being drawn, the photo's copy on
// its way into the PDF, the PDF's own buffers.
constexpr std::size_t kRowWorkingBytes = 48u * 1024 * 1024;
// A thousand customers with a photo each must not hold a thousand photos in memory: the decoded
// photos and the rows in flight share this.
constexpr std::size_t kBudgetBytes = 512u * 1024 * 1024;

// The largest block the C library takes from its heap rather than mapping it apart.
constexpr int kLargestHeapBlock = 32 * 1024 * 1024;

// Whether a file can be made in the folder, which is created when missing.
QString FolderError(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return QStringLiteral("impossible de créer le dossier « %1 ».").arg(folder);
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".tamvel-XXXXXX")));
    if (!probe.open())
        return QStringLiteral("impossible d'écrire dans le dossier « %1 » : vérifiez ses droits.").arg(folder);
    return {};
}

// The records of the batch file, or why it cannot be used.
CsvTable ReadBatchFile(const QString &path)
{
    const platform::FileContents contents =
        platform::ReadRegularFile(QFile::encodeName(path).toStdString(), kMaxCsvBytes);
    CsvTable refused;
    switch (contents.problem) {
    case platform::FileProblem::None:
        return ReadCsv(QByteArray::fromStdString(contents.bytes));
    case platform::FileProblem::Missing:
        refused.error = QStringLiteral("fichier introuvable.");
        break;
    case platform::FileProblem::Folder:
        refused.error = QStringLiteral("c'est un dossier ; donnez le fichier CSV qu'il contient.");
        break;
    case platform::FileProblem::NotRegular:
        refused.error = QStringLiteral("ce n'est pas un fichier ordinaire ; donnez un fichier CSV.");
        break;
    case platform::FileProblem::Unreadable:
        refused.error = QStringLiteral("impossible de lire le fichier : vérifiez ses droits.");
        break;
    case platform::FileProblem::TooLarge:
        refused.error = CsvTooLarge();
        break;
    }
    return refused;
}

// "disque plein : 289 lignes non écrites, à partir de la ligne 13 ; ...", or the same for an
// interrupted run; empty when every row was done.
QString NotDoneText(const BatchSummary &summary)
{
    const int count = summary.skipped;
    if (count == 0 || (!summary.diskFull && !summary.folderGone && !summary.converterFailed && summary.stopSignal == 0))
        return {};
    const QString rows = count > 1 ? QStringLiteral("%1 lignes").arg(count) : QStringLiteral("1 ligne");
    const QString plural = count > 1 ? QStringLiteral("s") : QString();
    const QString text =
        summary.diskFull ? QStringLiteral("disque plein : %1 non écrite%2, à partir de la ligne %3")
        : summary.folderGone
            ? QStringLiteral("le dossier de sortie a disparu : %1 non écrite%2, à partir de la ligne %3")
        : summary.converterFailed
            ? QStringLiteral("conversion pour l'imprimeur impossible : %1 non faite%2, à partir de la ligne %3")
            : QStringLiteral("interrompu : %1 non faite%2, à partir de la ligne %3");
    return text.arg(rows, plural).arg(summary.firstLineNotDone) +
           QStringLiteral(" ; les calendriers écrits sont complets.");
}

} // namespace

BatchSummary RunBatch(const BatchOptions &options, const BatchReport &report)
{
    // From the start: a signal while the file is read still ends the run with its word.
    const StopOnSignals stopOnSignals;
    BatchSummary summary;
    auto refuseFile = [&](const QString &reason) {
        report.error(QStringLiteral("%1 : %2").arg(options.csvFile, reason));
        summary.fileRefused = true;
        return summary;
    };

    const CsvTable table = ReadBatchFile(options.csvFile);
    if (!table.error.isEmpty())
        return refuseFile(table.error);
    if (table.records.empty())
        return refuseFile(QStringLiteral("le fichier est vide ; sa première ligne doit nommer les colonnes."));
    const Header header = ReadHeader(table.records.front());
    if (!header.error.isEmpty())
        return refuseFile(header.error);
    if (const QString error = FolderError(options.outDir); !error.isEmpty()) {
        report.error(error);
        summary.fileRefused = true;
        return summary;
    }
    if (table.readAsWindows1252)
        report.error(
            QStringLiteral("%1 : ce fichier n'est pas en UTF-8 ; il a été lu en Windows-1252, comme l'enregistrent "
                           "les tableurs français.")
                .arg(options.csvFile));

    const std::vector<RowResult> rows =
        ReadRows(header, std::vector<CsvRecord>(table.records.begin() + 1, table.records.end()));
    const int total = static_cast<int>(rows.size());
    StoredSettings stored;
    PhotoCache photos;
    std::vector<std::optional<RowJob>> jobs(rows.size());
    std::set<QString> targets;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].error.isEmpty())
            continue;
        RowJob &job = jobs[i].emplace(Prepare(rows[i].row, options, stored));
        targets.insert(rows[i].row.fileName);
        for (const QString &photo : job.Photos())
            photos.Expect(photo);
    }
    // What killed runs left: once for the folder, rather than once per row.
    platform::ClearAbandonedTemporaries(options.outDir, targets);

    // The rows start in the order of the file, as many at a time as there are jobs and as memory
    // allows; each decodes its own photos on its thread, so that decoding and drawing overlap.
    // Results are told in the order of the file, whichever thread finishes first.
    std::mutex mutex;
    std::condition_variable finished;
    std::vector<std::optional<Rendered>> results(rows.size());
    int running = 0;
    // A full disk, a vanished folder or a failed converter stops the rows not yet started.
    std::atomic<bool> stopRows{false};
    std::size_t reported = 0;
    auto tellFinished = [&](std::unique_lock<std::mutex> &lock) {
        while (reported < rows.size() && results[reported]) {
            const Rendered &result = *results[reported];
            const int line = rows[reported].row.line;
            ++reported;
            lock.unlock();
            report.progress(static_cast<int>(reported), total);
            switch (result.outcome) {
            case Outcome::Written:
                ++summary.written;
                break;
            case Outcome::Refused:
                report.error(result.error);
                ++summary.refused;
                break;
            case Outcome::ConverterFailed:
                // Said once: every row running beside it failed the same way.
                if (!summary.converterFailed)
                    report.error(QStringLiteral("ligne %1 : %2").arg(line).arg(result.error));
                summary.converterFailed = true;
                if (summary.skipped++ == 0)
                    summary.firstLineNotDone = line;
                break;
            case Outcome::DiskFull:
                summary.diskFull = true;
                [[fallthrough]];
            case Outcome::FolderGone:
                summary.folderGone = !summary.diskFull;
                [[fallthrough]];
            case Outcome::NotDone:
                if (summary.skipped++ == 0)
                    summary.firstLineNotDone = line;
                break;
            }
            lock.lock();
        }
    };

    auto record = [&](std::size_t row, Rendered rendered) {
        if (rendered.outcome == Outcome::DiskFull || rendered.outcome == Outcome::FolderGone ||
            rendered.outcome == Outcome::ConverterFailed)
            stopRows = true;
        if (rendered.outcome == Outcome::Refused)
            rendered.error = QStringLiteral("ligne %1 : %2").arg(rows[row].row.line).arg(rendered.error);
        const std::lock_guard lock(mutex);
        results[row] = std::move(rendered);
        finished.notify_one();
    };
    auto committer = std::make_unique<Committer>([&](std::size_t row, platform::WholeFile &file, bool committed) {
        record(row, committed ? Rendered{Outcome::Written, {}, {}} : NotWritten(file));
    });

    // Every row allocates the same large buffers again (the decoded photo, its copy for paper,
    // the PDF's image): they stay in the heap for the next row instead of going back to the
    // system and being faulted in afresh, which cost a sixth of the time. The budget bounds
    // what is kept.
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(kBudgetBytes));

    // The rows' threads run in the application's pool, sized to the jobs asked for: Qt's own
    // work inside a row (scaling a photo, converting it) then stays on the row's thread instead
    // of spreading over more threads than asked.
    QThreadPool &pool = *QThreadPool::globalInstance();
    const int poolSize = pool.maxThreadCount();
    pool.setMaxThreadCount(std::max(1, options.jobs));
    {
        std::unique_lock lock(mutex);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (!jobs[i]) {
                results[i] = Rendered{Outcome::Refused, rows[i].error, {}};
                tellFinished(lock);
                continue;
            }
            if (StopRequested() || stopRows) {
                results[i] = Rendered{};
                continue;
            }
            const RowJob &job = *jobs[i];
            std::size_t needed = kRowWorkingBytes;
            for (const QString &photo : job.Photos())
                needed += photos.BytesToAdd(photo);
            auto fits = [&] {
                const std::size_t inFlight = photos.Bytes() + std::size_t(running) * kRowWorkingBytes;
                return inFlight + needed <= kBudgetBytes;
            };
            while (running > 0 && (running >= std::max(1, options.jobs) || !fits())) {
                photos.TrimTo(kBudgetBytes - std::min(kBudgetBytes, std::size_t(running) * kRowWorkingBytes + needed));
                if (running < std::max(1, options.jobs) && fits())
                    break;
                finished.wait(lock);
                tellFinished(lock);
            }
            ++running;
            pool.start([&, i] {
                Rendered rendered = Render(*jobs[i], photos, stopRows);
                if (rendered.file)
                    committer->Add(i, std::move(rendered.file));
                else
                    record(i, std::move(rendered));
                const std::lock_guard done(mutex);
                --running;
                finished.notify_one();
            });
            tellFinished(lock);
        }
        finished.wait(lock, [&] { return running == 0; });
    }
    pool.waitForDone();
    pool.setMaxThreadCount(poolSize);
    committer.reset();
    {
        std::unique_lock lock(mutex);
        tellFinished(lock);
    }

    // A signal that came after the last row began interrupted nothing.
    summary.stopSignal = summary.skipped > 0 ? StopSignal() : 0;
    if (const QString notDone = NotDoneText(summary); !notDone.isEmpty())
        report.error(notDone);
    return summary;
}

QString SummaryText(const BatchSummary &summary, const QString &outDir)
{
    QString text = summary.written > 1 ? QStringLiteral("%1 calendriers écrits dans %2")
                                       : QStringLiteral("%1 calendrier écrit dans %2");
    text = text.arg(summary.written).arg(outDir);
    if (summary.refused > 0)
        text += summary.refused > 1 ? QStringLiteral(" ; %1 lignes refusées").arg(summary.refused)
                                    : QStringLiteral(" ; 1 ligne refusée");
    return text;
}

} // namespace batch
