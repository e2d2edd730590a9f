#include "app/display_check.h"

#include "app/command_line.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

#include <dlfcn.h>

namespace app {

namespace {

constexpr const char *kWithoutDisplay = " ; --pdf FICHIER ou --png PRÉFIXE exportent le calendrier sans écran.";

std::string NoDisplay()
{
    return std::string("tamvel : aucun écran n'est disponible pour ouvrir la fenêtre") + kWithoutDisplay;
}

std::string Environment(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Whether an X server answers on `display`, through the library Qt's own X11 support uses; true
// when that library is missing, as Qt then says what is wrong itself.
bool XServerAnswers(const std::string &display)
{
    using Connect = void *(*)(const char *display, int *screen);
    using HasError = int (*)(void *connection);
    using Disconnect = void (*)(void *connection);
    void *library = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr)
        return true;
    const auto connect = reinterpret_cast<Connect>(dlsym(library, "xcb_connect"));
    const auto hasError = reinterpret_cast<HasError>(dlsym(library, "xcb_connection_has_error"));
    const auto disconnect = reinterpret_cast<Disconnect>(dlsym(library, "xcb_disconnect"));
    bool answers = true;
    if (connect != nullptr && hasError != nullptr && disconnect != nullptr) {
        // A failed connection is still an object to free.
        void *connection = connect(display.c_str(), nullptr);
        answers = hasError(connection) == 0;
        disconnect(connection);
    }
    dlclose(library);
    return answers;
}

QtMessageHandler previousHandler = nullptr;

void ExitOnFatal(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", NoDisplay().c_str());
        std::_Exit(kUsageError);
    }
    previousHandler(type, context, message);
}

} // namespace

std::string DisplayProblem()
{
    const std::string platform = Environment("QT_QPA_PLATFORM");
    const std::string display = Environment("DISPLAY");
    if (!platform.empty()) {
        // Offscreen, Wayland or VNC: nothing to ask here.
        if (platform.rfind("xcb", 0) != 0)
            return {};
    } else if (!Environment("WAYLAND_DISPLAY").empty()) {
        return {};
    }
    if (display.empty())
        return NoDisplay();
    if (!XServerAnswers(display))
        return "tamvel : l'écran « " + display + " » ne répond pas" + kWithoutDisplay;
    return {};
}

ExitWithoutDisplay::ExitWithoutDisplay()
{
    previousHandler = qInstallMessageHandler(ExitOnFatal);
}

ExitWithoutDisplay::~ExitWithoutDisplay()
{
    qInstallMessageHandler(previousHandler);
}

} // namespace app
