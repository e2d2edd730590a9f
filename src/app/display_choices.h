#pragma once

#include "app/command_line.h"
#include "document/view_settings.h"

namespace app {

// What the command line chooses for the display (--layout) holds for every kind of run, but is
// stored, as if chosen from the menu, only by a run that opens the window: a listing or an
// export reads the user's settings and leaves them exactly as they were. A new option of that
// kind is applied in the first function and stored in the second.

// The stored display settings with the command line's choices applied; nothing is written.
ViewState DisplayForRun(const CommandLine &options);

// Stores the command line's choices before the window reads the settings.
void StoreWindowChoices(const CommandLine &options, const ViewState &display);

} // namespace app
