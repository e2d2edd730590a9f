#pragma once

#include <array>
#include <csignal>

namespace batch {

// While it lives, Ctrl+C and requests to terminate (SIGINT, SIGTERM, SIGHUP) do not end the
// process: they ask the batch to stop, so that the calendars being drawn are finished and the
// folder keeps whole files only.
class StopOnSignals
{
public:
    StopOnSignals();
    ~StopOnSignals();
    StopOnSignals(const StopOnSignals &) = delete;
    StopOnSignals &operator=(const StopOnSignals &) = delete;

private:
    static constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
    std::array<struct sigaction, 3> previous_{};
};

// Whether a stop was asked for since the last StopOnSignals began; safe on any thread.
bool StopRequested();

} // namespace batch
