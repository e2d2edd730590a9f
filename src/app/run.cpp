#include "app/run.h"

#include "app/command_line.h"
#include "app/display_choices.h"
#include "app/holiday_listing.h"
#include "app/ical_files.h"
#include "app/main_frame.h"
#include "app/tamvel_app.h"
#include "dialogs/load_image_files.h"
#include "document/view_settings.h"
#include "platform/font_substitutions.h"
#include "platform/registry.h"
#include "platform/user_prompts.h"
#include "render/calendar_export.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

// The window needs a display server, unless a platform was chosen explicitly.
bool DisplayAvailable()
{
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
           std::getenv("QT_QPA_PLATFORM") != nullptr;
}

// Qt's own dialogs and buttons speak French whatever the system locale says.
void InstallFrenchTranslations(QApplication &application)
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    auto *translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

// Without a window nobody can answer a message box: what the image loading has to say goes to
// stderr, and the calendar is exported without the image.
class StderrPrompts : public platform::UserPrompts
{
public:
    void Message(QWidget *, const QString &, const QString &text) override
    {
        std::fprintf(stderr, "tamvel : %s\n", text.toLocal8Bit().constData());
    }
    QString SaveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString OpenFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    bool YesNo(QWidget *, const QString &, const QString &) override { return false; }
    std::optional<platform::ColorRef> ChooseColor(QWidget *, platform::ColorRef,
                                                  std::array<platform::ColorRef, 16> &) override
    {
        return std::nullopt;
    }
};

// Writes every page of the current mode to a PDF file or to PNG files, without any window.
int Export(int argc, char *argv[], const CommandLine &options, CTamvelApp &tamvel, const ViewState &view)
{
    // An export never needs a display, and must not depend on one being there.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Qt's warnings about the session (no runtime folder, no window system) mean nothing to
    // someone exporting a calendar; only the program's own message reaches stderr.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    });
    QApplication application(argc, argv);
    platform::RegisterFontSubstitutions();
    StderrPrompts prompts;
    platform::SetPrompts(&prompts);
    tamvel.Document.LoadImages = LoadYearImages;
    tamvel.InitInstance(options.year, options.region);
    platform::SetPrompts(nullptr);
    const LayoutInputs inputs{tamvel.Settings, view, &tamvel.Document};
    const ExportResult result =
        options.pdfFile ? ExportPdf(QString::fromLocal8Bit(options.pdfFile->c_str()), inputs)
                        : ExportPng(QString::fromLocal8Bit(options.pngPrefix->c_str()), options.dpi, inputs);
    if (!result.ok) {
        std::fprintf(stderr, "tamvel : %s\n", result.error.toLocal8Bit().constData());
        return kUsageError;
    }
    return 0;
}

} // namespace

int Run(int argc, char *argv[])
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParseResult parsed = ParseCommandLine(arguments);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "%s\n", parsed.error.c_str());
        return kUsageError;
    }
    const CommandLine &options = parsed.options;
    if (options.help) {
        std::fputs(HelpText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::fputs(VersionText().c_str(), stdout);
        return 0;
    }

    // Nothing may read the settings before the file is chosen.
    if (options.settingsFile)
        platform::SetSettingsFile(QString::fromLocal8Bit(options.settingsFile->c_str()));
    const ViewState view = DisplayForRun(options);

    CTamvelApp tamvel;
    if (options.icsFile || options.importIcsFile) {
        tamvel.InitInstance(options.year, options.region);
        return options.icsFile ? ExportIcsCommand(*options.icsFile, tamvel, view)
                               : ImportIcsCommand(*options.importIcsFile, tamvel, view);
    }
    if (options.holidays) {
        tamvel.InitInstance(options.year, options.region);
        const std::string listing =
            ListHolidays(tamvel.Settings.Annee, tamvel.Document.HolidayOptions(view.FerieParticulier != 0));
        std::fputs(listing.c_str(), stdout);
        return 0;
    }

    if (options.pdfFile || options.pngPrefix)
        return Export(argc, argv, options, tamvel, view);

    if (!DisplayAvailable()) {
        std::fputs("tamvel : aucun écran n'est disponible pour ouvrir la fenêtre ; "
                   "--pdf FICHIER ou --png PRÉFIXE exportent le calendrier sans écran.\n",
                   stderr);
        return kUsageError;
    }
    StoreWindowChoices(options, view);
    QApplication application(argc, argv);
    InstallFrenchTranslations(application);
    platform::RegisterFontSubstitutions();
    CMainFrame frame(tamvel.Settings, &tamvel.Document);
    frame.SetAppCommandHandler([&tamvel](int id) { return tamvel.OnCommand(id); });
    frame.SetOpenYearHandler([&tamvel](int year) { tamvel.OpenYear(year); });
    tamvel.Document.LoadImages = [&frame](CTamvelDoc &doc) { LoadImagesWithProgress(doc, &frame); };
    tamvel.DocumentChanged = [&frame] { frame.OnNewDocument(); };
    tamvel.InitInstance(options.year, options.region);
    if (options.region) // chosen for good only when the window opens
        tamvel.Settings.SaveRegionSetting();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableSize();
        frame.resize(std::max(640, available.width() * 3 / 4), std::max(480, available.height() * 3 / 4));
    }
    frame.show();
    frame.raise();
    return application.exec();
}

} // namespace app
