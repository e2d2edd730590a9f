// Bytes as an agenda imported into a year, within the import's budget, and the days it gives
// stored as the command line stores them, in a settings file of the target's own.
#include "document/app_settings.h"
#include "document/tamvel_doc.h"
#include "ical/ical_import.h"
#include "model/particular_days.h"
#include "platform/registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_ics_import";
    static char *argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    // In memory where the system offers it: a store per execution would be slow on disk.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/fuzz_ics-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/fuzz_ics-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("Tamvel.conf"));
    QFile::remove(path);
    platform::SetSettingsFile(path);

    constexpr int kYear = 2027;
    const ical::ImportResult imported = ical::ImportCalendar(std::string(reinterpret_cast<const char *>(data), size),
                                                             kYear, "Europe/Paris", "fuzz.ics");
    if (!imported.error.empty())
        return 0;
    AppSettings app;
    app.Annee = kYear;
    CTamvelDoc doc(app);
    doc.OnNewDocument();
    if (model::AppendParticularDays(kYear, imported.days, doc.Dates, doc.Libelles) > 0)
        doc.SaveParticularDays();
    return 0;
}
