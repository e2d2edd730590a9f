#include "app/keyboard_indicators.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <dlfcn.h>

namespace app {

namespace {

// The few Xlib entry points used, resolved from libX11 when the program runs on X11.
struct XkbFunctions {
    using Atom = unsigned long;
    using InternAtom = Atom (*)(void *display, const char *name, int onlyIfExists);
    using GetNamedIndicator = int (*)(void *display, Atom name, int *index, int *state, void *map, int *real);

    InternAtom internAtom = nullptr;
    GetNamedIndicator getNamedIndicator = nullptr;

    static const XkbFunctions *Get()
    {
        static const XkbFunctions functions = [] {
            XkbFunctions f;
            // The handle stays open for the life of the process.
            if (void *library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL)) {
                f.internAtom = reinterpret_cast<InternAtom>(dlsym(library, "XInternAtom"));
                f.getNamedIndicator = reinterpret_cast<GetNamedIndicator>(dlsym(library, "XkbGetNamedIndicator"));
            }
            return f;
        }();
        return functions.internAtom && functions.getNamedIndicator ? &functions : nullptr;
    }
};

void *X11Display()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
#if QT_CONFIG(xcb)
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? static_cast<void *>(x11->display()) : nullptr;
#else
    return nullptr;
#endif
}

std::optional<bool> Indicator(const XkbFunctions &xkb, void *display, const char *name)
{
    const XkbFunctions::Atom atom = xkb.internAtom(display, name, 1);
    if (atom == 0)
        return std::nullopt;
    int index = 0;
    int state = 0;
    int real = 0;
    if (!xkb.getNamedIndicator(display, atom, &index, &state, nullptr, &real))
        return std::nullopt;
    return state != 0;
}

} // namespace

std::optional<LockKeys> QueryLockKeys()
{
    void *display = X11Display();
    const XkbFunctions *xkb = display ? XkbFunctions::Get() : nullptr;
    if (xkb == nullptr)
        return std::nullopt;
    LockKeys keys;
    keys.capsLock = Indicator(*xkb, display, "Caps Lock").value_or(false);
    keys.numLock = Indicator(*xkb, display, "Num Lock").value_or(false);
    keys.scrollLock = Indicator(*xkb, display, "Scroll Lock").value_or(false);
    return keys;
}

} // namespace app
