#include "batch/batch_run.h"

#include "almanac/school_store.h"
#include "batch/batch_rows.h"
#include "batch/photo_cache.h"
#include "batch/stop_request.h"
#include "document/app_settings.h"
#include "document/tamvel_doc.h"
#include "render/calendar_export.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <map>
#include <memory>

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
// are drawn on any thread.
struct RowJob {
    QString path;
    AppSettings app;
    ViewState view;
    std::shared_ptr<const YearValues> year;
    std::shared_ptr<const Photo> photo1;
    std::shared_ptr<const Photo> photo2;
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
        // The school holidays the rows may show, read here once: the store is for one thread.
        almanac::SchoolCalendarInUse();
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

// The row's job, or the reason it cannot be drawn.
struct Prepared {
    RowJob job;
    QString error;
};

Prepared Prepare(const BatchRow &row, const BatchOptions &options, StoredSettings &stored, PhotoCache &photos)
{
    Prepared prepared;
    RowJob &job = prepared.job;
    job.path = QDir(options.outDir).filePath(row.fileName);
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
        auto photo = [&](const QString &own, const QString &storedName, std::shared_ptr<const Photo> &slot) {
            const QString name = own.isEmpty() ? storedName : csvFolder.filePath(own);
            if (name.isEmpty())
                return true;
            const CachedPhoto &loaded = photos.Get(name);
            slot = loaded.image;
            if (!loaded.error.isEmpty())
                prepared.error = QStringLiteral("ligne %1 : %2").arg(row.line).arg(loaded.error);
            return loaded.error.isEmpty();
        };
        if (photo(row.image1, job.year->Image1, job.photo1))
            photo(row.image2, job.year->Image2, job.photo2);
    }
    return prepared;
}

struct Rendered {
    bool skipped = false;
    QString error; // empty when the PDF was written
};

// Draws one row into its PDF. Runs on a pool thread.
Rendered Render(const RowJob &job)
{
    if (StopRequested())
        return {true, {}};
    CTamvelDoc doc(job.app);
    doc.Dates = job.year->Dates;
    doc.Libelles = job.year->Libelles;
    doc.LundiPentecote = job.year->LundiPentecote;
    if (job.photo1)
        doc.Photo1 = *job.photo1;
    if (job.photo2)
        doc.Photo2 = *job.photo2;
    const ExportResult result = ExportPdf(job.path, {job.app, job.view, &doc});
    if (result.ok)
        return {};
    // The export speaks in sentences; here its text follows "ligne N : ".
    return {false, result.error.left(1).toLower() + result.error.mid(1)};
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

    QFile file(options.csvFile);
    if (!file.open(QIODevice::ReadOnly))
        return refuseFile(QFileInfo::exists(options.csvFile)
                              ? QStringLiteral("impossible de lire le fichier : vérifiez ses droits.")
                              : QStringLiteral("fichier introuvable."));
    // One byte over the limit is enough to know that the file is too large.
    const CsvTable table = ReadCsv(file.read(kMaxCsvBytes + 1));
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

    const std::vector<RowResult> rows =
        ReadRows(header, std::vector<CsvRecord>(table.records.begin() + 1, table.records.end()));
    const int total = static_cast<int>(rows.size());
    int done = 0;
    StoredSettings stored;
    PhotoCache photos;
    const StopOnSignals stopOnSignals;

    // The rows go in slices whose photos fit in memory together; each slice is drawn on the
    // pool, then told in the order of the file, whichever thread finishes first.
    std::vector<QString> refusals; // one per row of the slice; empty for a row to draw
    std::vector<RowJob> jobs;
    std::size_t sliceStart = 0;
    auto drawSlice = [&](std::size_t sliceEnd) {
        QThreadPool pool;
        pool.setMaxThreadCount(std::max(1, options.jobs));
        const QFuture<Rendered> rendered = QtConcurrent::mapped(&pool, std::move(jobs), Render);
        int next = 0;
        for (std::size_t i = sliceStart; i < sliceEnd; ++i) {
            const QString &refusal = refusals[i - sliceStart];
            const Rendered result = refusal.isEmpty() ? rendered.resultAt(next++) : Rendered{};
            report.progress(++done, total);
            if (!refusal.isEmpty()) {
                report.error(refusal);
                ++summary.refused;
            } else if (result.skipped) {
                ++summary.skipped;
            } else if (result.error.isEmpty()) {
                ++summary.written;
            } else {
                report.error(QStringLiteral("ligne %1 : %2").arg(rows[i].row.line).arg(result.error));
                ++summary.refused;
            }
        }
        jobs.clear();
        refusals.clear();
        sliceStart = sliceEnd;
        photos.Trim();
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (StopRequested()) {
            summary.skipped += static_cast<int>(rows.size() - i);
            break;
        }
        QString &refusal = refusals.emplace_back(rows[i].error);
        if (!refusal.isEmpty())
            continue;
        Prepared prepared = Prepare(rows[i].row, options, stored, photos);
        if (!prepared.error.isEmpty())
            refusal = prepared.error;
        else
            jobs.push_back(std::move(prepared.job));
        if (photos.Full())
            drawSlice(i + 1);
    }
    drawSlice(sliceStart + refusals.size());
    if (StopRequested())
        report.error(QStringLiteral("interrompu : les calendriers écrits sont complets, les lignes suivantes ne l'ont "
                                    "pas été."));
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
