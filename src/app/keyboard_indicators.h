#pragma once

#include <optional>

namespace app {

struct LockKeys {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

// The keyboard's lock indicators, where the windowing system tells them (X11 through Xkb, loaded
// at run time so that the program needs no X library to build or to run elsewhere). Empty when
// they cannot be known.
std::optional<LockKeys> QueryLockKeys();

} // namespace app
