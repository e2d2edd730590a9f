#include "app/display_choices.h"

namespace app {

ViewState DisplayForRun(const CommandLine &options)
{
    ViewState display;
    display.LoadViewSettings();
    if (options.layout)
        display.SetMode(DisplayModeOfNumber(*options.layout));
    return display;
}

void StoreWindowChoices(const CommandLine &options, const ViewState &display)
{
    // The other display options go back as they were read.
    if (options.layout)
        display.SaveViewSettings();
}

} // namespace app
