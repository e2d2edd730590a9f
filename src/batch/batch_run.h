#pragma once

#include "document/view_settings.h"
#include "model/region.h"
#include "output/print_ready.h"

#include <QString>

#include <functional>
#include <optional>

namespace batch {

struct BatchOptions {
    QString csvFile;
    QString outDir; // created when missing
    int jobs = 1;   // rows drawn at the same time
    // What a row with an empty `annee`, `disposition`, `region` or `pays` cell gets; the stored
    // mode, region and country when absent.
    int defaultYear = 0;
    std::optional<DisplayMode> defaultMode;
    std::optional<model::Region> defaultRegion;
    std::optional<model::Place> defaultPlace;
    // Print-ready PDFs for the print shop instead of plain ones.
    std::optional<PrintReadyOptions> printReady;
};

// Where the run tells what happens, on the calling thread.
struct BatchReport {
    // One French line for a refused row ("ligne 4 : ..."), for a file that cannot be used, for
    // a run that stopped before its end, or about how the file was read.
    std::function<void(const QString &)> error;
    // Rows done (written or refused) out of the rows of the file.
    std::function<void(int done, int total)> progress;
};

struct BatchSummary {
    int written = 0;
    int refused = 0;
    int skipped = 0;          // not done: the run was interrupted, or the disk became full
    int firstLineNotDone = 0; // the line to resume from
    int stopSignal = 0;       // the signal that interrupted the run before its end
    bool diskFull = false;
    bool folderGone = false;      // the output folder disappeared during the run
    bool converterFailed = false; // the print-ready converter failed: the rows after were not done
    bool fileRefused = false;     // nothing was written: the file or the folder cannot be used

    bool AllWritten() const { return refused == 0 && skipped == 0 && !fileRefused; }
};

// One PDF per row of the CSV file, each exactly what an export of the stored settings with the
// row's values over them gives, drawn on `jobs` threads. The stored settings are read once and
// never written.
BatchSummary RunBatch(const BatchOptions &options, const BatchReport &report);

// "200 calendriers écrits dans DIR", with the refused rows when there are some.
QString SummaryText(const BatchSummary &summary, const QString &outDir);

} // namespace batch
