#include "app/run.h"

#include "almanac/paris_phases.h"
#include "app/command_line.h"
#include "app/display_check.h"
#include "app/display_choices.h"
#include "app/holiday_listing.h"
#include "app/ical_files.h"
#include "app/main_frame.h"
#include "app/school_holidays.h"
#include "app/tamvel_app.h"
#include "batch/batch_run.h"
#include "dialogs/load_image_files.h"
#include "document/view_settings.h"
#include "output/calendar_export.h"
#include "output/print_ready.h"
#include "platform/font_substitutions.h"
#include "platform/live_temporaries.h"
#include "platform/registry.h"
#include "platform/user_prompts.h"
#include "resources/build_info.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QThread>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <unistd.h>

namespace app {

namespace {

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
    void Message(QWidget *, const QString &, const QString &text, platform::MessageIcon) override
    {
        std::fprintf(stderr, "tamvel : %s\n", text.toLocal8Bit().constData());
    }
    QString SaveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString OpenFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString OpenFolderName(QWidget *, const QString &) override { return {}; }
    bool YesNo(QWidget *, const QString &, const QString &) override { return false; }
    std::optional<platform::ColorRef> ChooseColor(QWidget *, platform::ColorRef,
                                                  std::array<platform::ColorRef, 16> &) override
    {
        return std::nullopt;
    }
};

// The application of an export: no display needed, and none used even when there is one.
std::unique_ptr<QApplication> HeadlessApplication(int &argc, char *argv[])
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    auto application = std::make_unique<QApplication>(argc, argv);
    platform::RegisterFontSubstitutions();
    return application;
}

// The print-ready conversion as the command line asks it.
PrintReadyOptions PrintReadyOf(const CommandLine &options)
{
    PrintReadyOptions printReady;
    printReady.bleedMm = options.bleedMm.value_or(kDefaultBleedMm);
    return printReady;
}

// The application of the window, on a display that DisplayProblem found answering.
std::unique_ptr<QApplication> WindowApplication(int &argc, char *argv[])
{
    const ExitWithoutDisplay guard;
    return std::make_unique<QApplication>(argc, argv);
}

// Writes every page of the current mode to a PDF file or to PNG files, without any window.
int Export(int argc, char *argv[], const CommandLine &options, CTamvelApp &tamvel, const ViewState &view)
{
    const auto application = HeadlessApplication(argc, argv);
    StderrPrompts prompts;
    platform::SetPrompts(&prompts);
    tamvel.Document.LoadImages = LoadYearImages;
    tamvel.InitInstance(options.year, options.region, options.place);
    platform::SetPrompts(nullptr);
    const LayoutInputs inputs{tamvel.Settings, view, &tamvel.Document};
    ExportResult result;
    if (options.pdfFile && options.printReady)
        result = ExportPrintReadyPdf(QString::fromLocal8Bit(options.pdfFile->c_str()), inputs, PrintReadyOf(options));
    else if (options.pdfFile)
        result = ExportPdf(QString::fromLocal8Bit(options.pdfFile->c_str()), inputs);
    else
        result = ExportPng(QString::fromLocal8Bit(options.pngPrefix->c_str()), options.dpi, inputs);
    if (!result.ok) {
        std::fprintf(stderr, "tamvel : %s\n", result.error.toLocal8Bit().constData());
        return kUsageError;
    }
    for (const QString &warning : std::as_const(result.warnings))
        std::fprintf(stderr, "tamvel : %s\n", warning.toLocal8Bit().constData());
    // A photo the PDF prints that could not be read was said while loading; the file misses it.
    // PNG pages, a preview, are still given.
    const CTamvelDoc &doc = tamvel.Document;
    const bool photoPages = view.mode == DisplayMode::VerticalPhoto || view.mode == DisplayMode::HorizontalPhoto;
    if (options.pdfFile && photoPages &&
        ((!doc.Image1.isEmpty() && doc.Photo1.IsEmpty()) || (!doc.Image2.isEmpty() && doc.Photo2.IsEmpty())))
        return kUsageError;
    return 0;
}

// One PDF per row of a CSV file. Refused rows are told on stderr, with a progress line when
// stderr is a terminal.
int Batch(int argc, char *argv[], const CommandLine &options)
{
    const auto application = HeadlessApplication(argc, argv);
    const bool terminal = isatty(STDERR_FILENO) != 0;
    // "\r" and "clear to the end of the line": the progress line is rewritten in place.
    const char *clearLine = terminal ? "\r\033[K" : "";
    batch::BatchReport report;
    report.error = [clearLine](const QString &text) {
        std::fprintf(stderr, "%stamvel : %s\n", clearLine, text.toLocal8Bit().constData());
    };
    report.progress = [terminal](int done, int total) {
        if (terminal)
            std::fprintf(stderr, "\r%d/%d calendriers", done, total);
    };
    const QString outDir = QString::fromLocal8Bit(options.outDir->c_str());
    const batch::BatchSummary summary = batch::RunBatch(
        {QString::fromLocal8Bit(options.batchFile->c_str()), outDir, options.jobs.value_or(QThread::idealThreadCount()),
         options.year.value_or(CTamvelApp::ClockYear()),
         options.layout ? std::optional(DisplayModeOfNumber(*options.layout)) : std::nullopt, options.region,
         options.place, options.printReady ? std::optional(PrintReadyOf(options)) : std::nullopt},
        report);
    std::fputs(clearLine, stderr);
    if (summary.fileRefused)
        return kUsageError;
    std::printf("%s\n", batch::SummaryText(summary, outDir).toLocal8Bit().constData());
    // As a shell reports a program that a signal ended: 130 after Ctrl+C, 143 after SIGTERM.
    if (summary.stopSignal != 0)
        return 128 + summary.stopSignal;
    return summary.AllWritten() ? 0 : kUsageError;
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

    // Qt's words about the session ("QStandardPaths: error creating runtime directory", no
    // window system) are English and technical: only the program's own messages reach stderr,
    // and Qt's last one before it aborts.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    });
    // A program stopped while it writes leaves no hidden temporary behind.
    platform::RemoveTemporariesOnSignals();
    // Nothing may read the settings before the file is chosen, nor read a FIFO or a device.
    if (options.settingsFile)
        platform::SetSettingsFile(QString::fromLocal8Bit(options.settingsFile->c_str()));
    if (const QString problem = platform::SettingsFileProblem(); !problem.isEmpty()) {
        std::fprintf(stderr, "tamvel : %s\n", problem.toLocal8Bit().constData());
        return kUsageError;
    }
    // A batch only reads the settings: --layout is the layout of its rows, never stored.
    if (options.batchFile)
        return Batch(argc, argv, options);
    if (options.schoolHolidays)
        return ListSchoolHolidaysCommand(options.year.value_or(CTamvelApp::ClockYear()));
    if (options.importSchoolHolidaysFile)
        return ImportSchoolHolidaysCommand(*options.importSchoolHolidaysFile, options.zone);
    const ViewState view = DisplayForRun(options);

    CTamvelApp tamvel;
    if (options.icsFile || options.importIcsFile) {
        // An import reads the year's days and writes them back with its own: another copy of the
        // program must not write between the two.
        const platform::SettingsLock lock;
        tamvel.InitInstance(options.year, options.region, options.place);
        return options.icsFile ? ExportIcsCommand(*options.icsFile, tamvel, view)
                               : ImportIcsCommand(*options.importIcsFile, tamvel, view);
    }
    if (options.holidays) {
        tamvel.InitInstance(options.year, options.region, options.place);
        const std::string listing =
            ListHolidays(tamvel.Settings.Annee, tamvel.Document.HolidayOptions(view.FerieParticulier != 0));
        std::fputs(listing.c_str(), stdout);
        return 0;
    }

    if (options.moonPhases) {
        tamvel.InitInstance(options.year, options.region, options.place);
        const std::optional<std::string> listing = almanac::MoonPhaseListing(tamvel.Settings.Annee);
        if (!listing) {
            std::fputs("tamvel : le fuseau horaire Europe/Paris est introuvable (paquet tzdata) : les phases de la "
                       "lune ne peuvent pas être datées.\n",
                       stderr);
            return kUsageError;
        }
        std::fputs(listing->c_str(), stdout);
        return 0;
    }

    if (options.pdfFile || options.pngPrefix)
        return Export(argc, argv, options, tamvel, view);

    if (const std::string problem = DisplayProblem(); !problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return kUsageError;
    }
    StoreWindowChoices(options, view);
    const auto application = WindowApplication(argc, argv);
    // Lets the desktop tie the window to its menu entry and icon, on Wayland above all.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(resources::kApplicationId));
    InstallFrenchTranslations(*application);
    platform::RegisterFontSubstitutions();
    CMainFrame frame(tamvel.Settings, &tamvel.Document);
    frame.SetAppCommandHandler([&tamvel](int id) { return tamvel.OnCommand(id); });
    frame.SetOpenYearHandler([&tamvel](int year) { tamvel.OpenYear(year); });
    // The window shows at once; the photos follow when decoded.
    PhotoLoader photos(tamvel.Document, &frame);
    tamvel.Document.LoadImages = [&photos](CTamvelDoc &) { photos.Start(); };
    tamvel.Document.WaitForImages = [&photos] { photos.Wait(); };
    tamvel.DocumentChanged = [&frame] { frame.OnNewDocument(); };
    tamvel.InitInstance(options.year, options.region, options.place);
    if (options.region || options.place) // chosen for good only when the window opens
        tamvel.Settings.SaveRegionSetting();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableSize();
        frame.resize(std::max(640, available.width() * 3 / 4), std::max(480, available.height() * 3 / 4));
    }
    frame.show();
    frame.raise();
    return application->exec();
}

} // namespace app
