#pragma once

#include "batch/batch_rows.h"
#include "batch/batch_run.h"
#include "batch/photo_cache.h"
#include "document/app_settings.h"
#include "document/month_photos.h"
#include "model/ole_date_time.h"
#include "platform/whole_file.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace batch {

// What a year's document holds besides its photos, read once for all the rows of that year.
struct YearValues {
    std::vector<COleDateTime> Dates;
    std::vector<std::string> Libelles;
    std::int32_t LundiPentecote = 0;
    QString Image1;
    QString Image2;
    month_photos::Names MonthImages;
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
    // The photo calendar's photos as the cache names them; empty where a page has none.
    month_photos::Names monthPhotos;
    // Why the row cannot be drawn, found while it was prepared.
    QString error;

    // Every photo the row asks the cache for.
    std::vector<QString> Photos() const;
};

// The stored settings, read on the calling thread before any row is drawn, and never written.
class StoredSettings
{
public:
    StoredSettings();
    const AppSettings &App() const { return app_; }
    const ViewState &View() const { return view_; }
    std::shared_ptr<const YearValues> Year(int year);

private:
    AppSettings app_;
    ViewState view_;
    std::map<int, std::shared_ptr<const YearValues>> years_;
};

// The stored settings with the row's values over them.
RowJob Prepare(const BatchRow &row, const BatchOptions &options, StoredSettings &stored);

// FolderGone: the output folder was removed during the run; like a full disk, no later row can
// be written either. ConverterFailed: the print-ready converter failed the row (missing, stuck,
// or answering something else than its file), and would fail every later one.
enum class Outcome { Written, Refused, NotDone, DiskFull, FolderGone, ConverterFailed };

struct Rendered {
    Outcome outcome = Outcome::NotDone;
    QString error;                             // why a row was refused
    std::unique_ptr<platform::WholeFile> file; // drawn, to be committed
};

// The outcome of a file that could not be written, from its error.
Rendered NotWritten(const platform::WholeFile &file);

// Decodes the row's photos (or takes them from the cache) and draws the row into its PDF, left
// to be committed; nothing when the run is stopping (`stop`). Runs on any thread.
Rendered Render(const RowJob &job, PhotoCache &photos, const std::atomic<bool> &stop);

} // namespace batch
