#include "app/run.h"

#include "app/command_line.h"
#include "app/holiday_listing.h"
#include "model/ole_date_time.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

// Listing and export must work on a machine without any display server.
void SelectOffscreenWhenNoDisplay()
{
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
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

int ClockYear()
{
    return COleDateTime::GetCurrentTime().GetYear();
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

    const int year = options.year.value_or(ClockYear());
    if (options.holidays) {
        std::fputs(ListHolidays(year, model::HolidayOptions{}).c_str(), stdout);
        return 0;
    }

    if (options.IsHeadless())
        SelectOffscreenWhenNoDisplay();
    QApplication application(argc, argv);
    InstallFrenchTranslations(application);
    QMainWindow window;
    window.setWindowTitle(QString::asprintf("Année %04d - Genérateur de Tamvel", year));
    window.resize(900, 700);
    window.show();
    return application.exec();
}

} // namespace app
