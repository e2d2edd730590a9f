#pragma once

namespace app {

// Parses the command line, then either lists, exports, or opens the main window.
int Run(int argc, char *argv[]);

} // namespace app
