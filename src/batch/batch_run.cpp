#include "batch/batch_run.h"

#include "batch/batch_rows.h"
#include "batch/committer.h"
#include "batch/photo_cache.h"
#include "batch/stop_request.h"
#include "document/app_settings.h"
#include "document/tamvel_doc.h"
#include "platform/regular_file.h"
#include "platform/whole_file.h"
#include "render/calendar_export.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThreadPool>

#include <atomic>
#include <condition_variable>
#include <malloc.h>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

namespace batch {

namespace {

// What a year's document holds besides its photos, read once for all the rows of that year.
struct YearValues {
    std::vector<COleDateTime> Dates;
    std::vector<std::string> Libelles;
    std::int32_t LundiPentecote = 0;
    QString Image1;
    QString Image2;
};

// Everything one row needs to be drawn, by value: nothing in it is shared and mutable, so rows
// are drawn on any thread. Its photos are named here and decoded by the thread that draws it.
struct RowJob {
    QString path;
    std::optional<PrintReadyOptions> printReady;
    AppSettings app;
    ViewState view;
    std::shared_ptr<const YearValues> year;
    QString photo1;
    QString photo2;
};

// The stored settings, read on the calling thread before any row is drawn.
class StoredSettings
{
public:
    StoredSettings()
    {
        app_.LoadPubSettings();
        app_.LoadColorSettings();
        app_.LoadRegionSetting();
        view_.LoadViewSettings();
    }
    const AppSettings &App() const { return app_; }
    const ViewState &View() const { return view_; }

    std::shared_ptr<const YearValues> Year(int year)
    {
        auto &values = years_[year];
        if (!values) {
            AppSettings app = app_;
            app.Annee = year;
            CTamvelDoc doc(app); // no image loader: the photos come from the cache
            doc.OnNewDocument();
            values = std::make_shared<const YearValues>(
                YearValues{doc.Dates, doc.Libelles, doc.LundiPentecote, doc.Image1, doc.Image2});
        }
        return values;
    }

private:
    AppSettings app_;
    ViewState view_;
    std::map<int, std::shared_ptr<const YearValues>> years_;
};

bool ShowsPhotos(DisplayMode mode)
{
    return mode == DisplayMode::VerticalPhoto || mode == DisplayMode::HorizontalPhoto;
}

RowJob Prepare(const BatchRow &row, const BatchOptions &options, StoredSettings &stored)
{
    RowJob job;
    job.path = QDir(options.outDir).filePath(row.fileName);
    job.printReady = options.printReady;
    job.app = stored.App();
    job.app.Annee = row.year.value_or(options.defaultYear);
    job.app.Region = row.region ? *row.region : options.defaultRegion.value_or(job.app.Region);
    if (!row.pub1.isEmpty())
        job.app.Pub1 = row.pub1;
    if (!row.pub2.isEmpty())
        job.app.Pub2 = row.pub2;
    job.view = stored.View();
    job.view.mode = row.mode ? *row.mode : options.defaultMode.value_or(job.view.mode);
    job.view.page = 1;
    // A row's own advertising lines are there to be seen.
    if (!row.pub1.isEmpty() || !row.pub2.isEmpty())
        job.view.PubVisible = 1;
    job.year = stored.Year(job.app.Annee);
    if (ShowsPhotos(job.view.mode)) {
        // Relative names start from the folder of the batch file, which travels with its photos.
        const QDir csvFolder = QFileInfo(options.csvFile).absoluteDir();
        auto name = [&](const QString &own, const QString &storedName) {
            return own.isEmpty() ? storedName : csvFolder.filePath(own);
        };
        job.photo1 = name(row.image1, job.year->Image1);
        job.photo2 = name(row.image2, job.year->Image2);
    }
    return job;
}

enum class Outcome { Written, Refused, NotDone, DiskFull };

struct Rendered {
    Outcome outcome = Outcome::NotDone;
    QString error;                             // why a row was refused: "ligne N : ..."
    std::unique_ptr<platform::WholeFile> file; // drawn, to be committed
};

// The outcome of a file that could not be written, from its error.
Rendered NotWritten(const platform::WholeFile &file)
{
    if (file.Problem() == platform::WriteProblem::DiskFull)
        return {Outcome::DiskFull, {}, {}};
    // The file speaks in sentences; here its text follows "ligne N : ".
    const QString error = file.ErrorText();
    return {Outcome::Refused, error.left(1).toLower() + error.mid(1), {}};
}

// What every row in flight needs besides its photos: the page being drawn, the photo's copy on
// its way into the PDF, the PDF's own buffers.
constexpr std::size_t kRowWorkingBytes = 48u * 1024 * 1024;
// A thousand customers with a photo each must not hold a thousand photos in memory: the decoded
// photos and the rows in flight share this.
constexpr std::size_t kBudgetBytes = 512u * 1024 * 1024;

// The largest block the C library takes from its heap rather than mapping it apart.
constexpr int kLargestHeapBlock = 32 * 1024 * 1024;

// Decodes the row's photos (or takes them from the cache) and draws the row into its PDF, left
// to be committed. Runs on a pool thread.
Rendered Render(const RowJob &job, PhotoCache &photos, const std::atomic<bool> &diskFull)
{
    if (StopRequested() || diskFull)
        return {};
    Rendered rendered;
    std::vector<QString> held;
    {
        CTamvelDoc doc(job.app);
        doc.Dates = job.year->Dates;
        doc.Libelles = job.year->Libelles;
        doc.LundiPentecote = job.year->LundiPentecote;
        std::vector<Photo *> destinations;
        for (const auto &[name, slot] : {std::pair{job.photo1, &doc.Photo1}, std::pair{job.photo2, &doc.Photo2}}) {
            if (!name.isEmpty()) {
                held.push_back(name);
                destinations.push_back(slot);
            }
        }
        const std::vector<CachedPhoto> acquired = photos.Acquire(held);
        for (std::size_t i = 0; i < acquired.size(); ++i) {
            if (acquired[i].image)
                *destinations[i] = *acquired[i].image;
            if (rendered.error.isEmpty())
                rendered.error = acquired[i].error;
        }
        if (!rendered.error.isEmpty()) {
            rendered.outcome = Outcome::Refused;
        } else if (job.printReady) {
            // Ghostscript makes the file whole itself, on this thread.
            const ExportResult result = ExportPrintReadyPdf(job.path, {job.app, job.view, &doc}, *job.printReady);
            if (result.ok)
                rendered.outcome = Outcome::Written;
            else if (result.diskFull)
                rendered.outcome = Outcome::DiskFull;
            else
                rendered = {Outcome::Refused, result.error.left(1).toLower() + result.error.mid(1), {}};
        } else {
            auto file = std::make_unique<platform::WholeFile>(job.path);
            if (!file->Open(platform::WholeFile::Abandoned::AlreadyCleared))
                rendered = NotWritten(*file);
            else if (!DrawPdf(*file, {job.app, job.view, &doc}))
                rendered = {Outcome::Refused, QStringLiteral("impossible de dessiner le calendrier."), {}};
            else
                rendered.file = std::move(file);
        }
    }
    for (const QString &name : held)
        photos.Release(name);
    return rendered;
}

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

} // namespace

BatchSummary RunBatch(const BatchOptions &options, const BatchReport &report)
{
    BatchSummary summary;
    auto refuseFile = [&](const QString &reason) {
        report.error(QStringLiteral("%1 : %2").arg(options.csvFile, reason));
        summary.fileRefused = true;
        return summary;
    };

    const platform::FileContents contents =
        platform::ReadRegularFile(QFile::encodeName(options.csvFile).toStdString(), kMaxCsvBytes);
    switch (contents.problem) {
    case platform::FileProblem::None:
        break;
    case platform::FileProblem::Missing:
        return refuseFile(QStringLiteral("fichier introuvable."));
    case platform::FileProblem::Folder:
        return refuseFile(QStringLiteral("c'est un dossier ; donnez le fichier CSV qu'il contient."));
    case platform::FileProblem::NotRegular:
        return refuseFile(QStringLiteral("ce n'est pas un fichier ordinaire ; donnez un fichier CSV."));
    case platform::FileProblem::Unreadable:
        return refuseFile(QStringLiteral("impossible de lire le fichier : vérifiez ses droits."));
    case platform::FileProblem::TooLarge:
        return refuseFile(CsvTooLarge());
    }
    const CsvTable table = ReadCsv(QByteArray::fromStdString(contents.bytes));
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
        for (const QString &photo : {job.photo1, job.photo2}) {
            if (!photo.isEmpty())
                photos.Expect(photo);
        }
    }
    // What killed runs left: once for the folder, rather than once per row.
    platform::ClearAbandonedTemporaries(options.outDir, targets);
    const StopOnSignals stopOnSignals;

    // The rows start in the order of the file, as many at a time as there are jobs and as memory
    // allows; each decodes its own photos on its thread, so that decoding and drawing overlap.
    // Results are told in the order of the file, whichever thread finishes first.
    std::mutex mutex;
    std::condition_variable finished;
    std::vector<std::optional<Rendered>> results(rows.size());
    int running = 0;
    std::atomic<bool> diskFull{false};
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
            case Outcome::DiskFull:
                summary.diskFull = true;
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
        if (rendered.outcome == Outcome::DiskFull)
            diskFull = true;
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
            if (StopRequested() || diskFull) {
                results[i] = Rendered{};
                continue;
            }
            const RowJob &job = *jobs[i];
            const std::size_t needed = kRowWorkingBytes + photos.BytesToAdd(job.photo1) + photos.BytesToAdd(job.photo2);
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
                Rendered rendered = Render(*jobs[i], photos, diskFull);
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

    summary.stopSignal = StopSignal();
    const int notDone = summary.skipped;
    if (summary.diskFull)
        report.error(QStringLiteral("disque plein : %1 non écrite%2, à partir de la ligne %3 ; les calendriers écrits "
                                    "sont complets.")
                         .arg(notDone > 1 ? QStringLiteral("%1 lignes").arg(notDone) : QStringLiteral("1 ligne"))
                         .arg(notDone > 1 ? QStringLiteral("s") : QString())
                         .arg(summary.firstLineNotDone));
    else if (summary.stopSignal != 0 && notDone > 0)
        report.error(
            QStringLiteral("interrompu : %1 non faite%2, à partir de la ligne %3 ; les calendriers écrits sont "
                           "complets.")
                .arg(notDone > 1 ? QStringLiteral("%1 lignes").arg(notDone) : QStringLiteral("1 ligne"))
                .arg(notDone > 1 ? QStringLiteral("s") : QString())
                .arg(summary.firstLineNotDone));
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
