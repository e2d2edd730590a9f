#include "batch/row_drawing.h"

#include "almanac/school_store.h"

#include "batch/stop_request.h"
#include "document/tamvel_doc.h"
#include "output/calendar_export.h"
#include "output/print_ready.h"

#include <QDir>
#include <QFileInfo>

namespace batch {

namespace {

bool ShowsPhotos(DisplayMode mode)
{
    return mode == DisplayMode::VerticalPhoto || mode == DisplayMode::HorizontalPhoto;
}

// The stored photos of the year, replaced by those of the row's folder, then by those the row
// names one by one.
void PrepareMonthPhotos(const BatchRow &row, const BatchOptions &options, RowJob &job)
{
    const QDir csvFolder = QFileInfo(options.csvFile).absoluteDir();
    month_photos::Names names = job.year->MonthImages;
    if (!row.photosFolder.isEmpty()) {
        const QString folder = csvFolder.filePath(row.photosFolder);
        if (!QFileInfo(folder).isDir()) {
            job.error = QStringLiteral("dossier de photos « %1 » introuvable.").arg(row.photosFolder);
            return;
        }
        names = month_photos::FillFromFolder(folder);
        if (names[0].isEmpty()) {
            job.error = QStringLiteral("le dossier de photos « %1 » ne contient aucune image (.jpg, .bmp, .dib).")
                            .arg(row.photosFolder);
            return;
        }
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!row.monthImages[i].isEmpty())
            names[i] = csvFolder.filePath(row.monthImages[i]);
        job.monthPhotos[i] = names[i].isEmpty() ? QString() : MonthPhotoKey(names[i], static_cast<int>(i));
    }
}

} // namespace

StoredSettings::StoredSettings()
{
    app_.LoadPubSettings();
    app_.LoadColorSettings();
    app_.LoadRegionSetting();
    view_.LoadViewSettings();
    // The school holidays the rows may show, read here once: the store is for one thread.
    almanac::SchoolCalendarInUse();
}

std::shared_ptr<const YearValues> StoredSettings::Year(int year)
{
    auto &values = years_[year];
    if (!values) {
        AppSettings app = app_;
        app.Annee = year;
        CTamvelDoc doc(app); // no image loader: the photos come from the cache
        doc.OnNewDocument();
        values = std::make_shared<const YearValues>(
            YearValues{doc.Dates, doc.Libelles, doc.LundiPentecote, doc.Image1, doc.Image2, doc.MonthImages});
    }
    return values;
}

RowJob Prepare(const BatchRow &row, const BatchOptions &options, StoredSettings &stored)
{
    RowJob job;
    job.path = QDir(options.outDir).filePath(row.fileName);
    job.printReady = options.printReady;
    job.app = stored.App();
    job.app.Annee = row.year.value_or(options.defaultYear);
    job.app.Region = row.region ? *row.region : options.defaultRegion.value_or(job.app.Region);
    job.app.Pays = row.place ? *row.place : options.defaultPlace.value_or(job.app.Pays);
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
    if (job.view.mode == DisplayMode::PhotoMonths)
        PrepareMonthPhotos(row, options, job);
    return job;
}

namespace {

bool FolderGoneOf(const QString &target)
{
    return !QFileInfo(QFileInfo(target).absolutePath()).isDir();
}

} // namespace

std::vector<QString> RowJob::Photos() const
{
    std::vector<QString> photos;
    for (const QString &photo : {photo1, photo2})
        if (!photo.isEmpty())
            photos.push_back(photo);
    for (const QString &photo : monthPhotos)
        if (!photo.isEmpty())
            photos.push_back(photo);
    return photos;
}

Rendered NotWritten(const platform::WholeFile &file)
{
    if (file.Problem() == platform::WriteProblem::DiskFull)
        return {Outcome::DiskFull, {}, {}};
    if (FolderGoneOf(file.Target()))
        return {Outcome::FolderGone, {}, {}};
    // The file speaks in sentences; here its text follows "ligne N : ".
    const QString error = file.ErrorText();
    return {Outcome::Refused, error.left(1).toLower() + error.mid(1), {}};
}

Rendered Render(const RowJob &job, PhotoCache &photos, const std::atomic<bool> &stop)
{
    if (StopRequested() || stop)
        return {};
    if (!job.error.isEmpty())
        return {Outcome::Refused, job.error, {}};
    Rendered rendered;
    std::vector<QString> held;
    {
        CTamvelDoc doc(job.app);
        doc.Dates = job.year->Dates;
        doc.Libelles = job.year->Libelles;
        doc.LundiPentecote = job.year->LundiPentecote;
        std::vector<Photo *> destinations;
        std::vector<std::pair<QString, Photo *>> photoSlots = {{job.photo1, &doc.Photo1}, {job.photo2, &doc.Photo2}};
        for (std::size_t i = 0; i < job.monthPhotos.size(); ++i)
            photoSlots.emplace_back(job.monthPhotos[i], &doc.MonthPhotos[i]);
        for (const auto &[name, slot] : photoSlots) {
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
            // The print-ready file is made whole on this thread.
            const ExportResult result = ExportPrintReadyPdf(job.path, {job.app, job.view, &doc}, *job.printReady);
            if (result.ok)
                rendered.outcome = Outcome::Written;
            else if (result.diskFull)
                rendered.outcome = Outcome::DiskFull;
            else if (FolderGoneOf(job.path))
                rendered.outcome = Outcome::FolderGone;
            else if (result.converterFailed)
                rendered = {Outcome::ConverterFailed, result.error, {}};
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

} // namespace batch
