#pragma once

#include <array>
#include <csignal>

namespace batch {

// While it lives, Ctrl+C and requests to terminate (SIGINT, SIGTERM, SIGHUP) do not end the
// process at once: they ask the batch to stop, so that the calendars being drawn are finished
// and the folder keeps whole files only. A second such signal, half a second or more after the
// first (the process and its group signalled at once are one request), ends the process as the
// signal would have, removing the temporaries being written. Signals the caller ignores (nohup) stay
// ignored.
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
    std::array<bool, 3> installed_{};
};

// Whether a stop was asked for since the last StopOnSignals began; safe on any thread.
bool StopRequested();
// The signal that asked for it, 0 when none did.
int StopSignal();

} // namespace batch
