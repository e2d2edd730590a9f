#pragma once

#include "document/view_settings.h"

#include <optional>
#include <string_view>

// The layouts as they are named on the command line and in batch files ("vertical",
// "large-cells"...); nothing for any other name.
std::optional<DisplayMode> DisplayModeFromName(std::string_view name);

// "vertical, horizontal, vertical-photo, horizontal-photo, large-cells ou photo-months", for the messages
// that refuse a name.
const char *LayoutNameList();
