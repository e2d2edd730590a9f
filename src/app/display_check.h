#pragma once

#include <string>

namespace app {

// Why the window cannot open, as the French line printed before exiting with status 2; empty
// when a display answers, or when the platform chosen needs none or tells for itself. Asked
// before the application is built: on a display that refuses, Qt would abort in English.
std::string DisplayProblem();

// While the application is being built: should Qt still give up on the display, the French
// line is printed and the program exits with status 2 instead of aborting.
class ExitWithoutDisplay
{
public:
    ExitWithoutDisplay();
    ~ExitWithoutDisplay();
    ExitWithoutDisplay(const ExitWithoutDisplay &) = delete;
    ExitWithoutDisplay &operator=(const ExitWithoutDisplay &) = delete;
};

} // namespace app
