#pragma once

#include "platform/user_prompts.h"

#include <QString>

#include <vector>

// One message box the loading of a photo has to show, kept as a value so that a photo decoded
// on any thread can be reported on the interface thread, or on stderr without a window.
struct LoadMessage {
    platform::MessageIcon icon = platform::MessageIcon::Information;
    QString caption;
    QString text;
    // File errors and the JPEG library's box belong to the active window; the bitmap checks'
    // messages have no owner.
    bool ownedByActiveWindow = false;

    friend bool operator==(const LoadMessage &, const LoadMessage &) = default;
};

using LoadMessages = std::vector<LoadMessage>;
