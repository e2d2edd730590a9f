// Bytes as the settings file: what start-up reads from it (advertising lines, colours, the
// year's image names, Pentecost option and particular days, the view settings).
#include "document/app_settings.h"
#include "document/tamvel_doc.h"
#include "document/view_settings.h"
#include "platform/registry.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_settings";
    static char *argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tamvel.conf"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    platform::SetSettingsFile(path);
    AppSettings app;
    app.LoadPubSettings();
    app.LoadColorSettings();
    ViewState view;
    view.LoadViewSettings();
    for (const int year : {2025, 1999, 100}) {
        app.Annee = year;
        CTamvelDoc doc(app);
        doc.OnNewDocument();
    }
    return 0;
}
