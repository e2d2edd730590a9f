#include "batch/stop_request.h"

#include <atomic>

namespace batch {

namespace {

std::atomic<bool> stopRequested{false};

extern "C" void RequestStop(int)
{
    stopRequested = true;
}

} // namespace

StopOnSignals::StopOnSignals()
{
    stopRequested = false;
    struct sigaction action = {};
    action.sa_handler = RequestStop;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        sigaction(kSignals[i], &action, &previous_[i]);
}

StopOnSignals::~StopOnSignals()
{
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        sigaction(kSignals[i], &previous_[i], nullptr);
}

bool StopRequested()
{
    return stopRequested;
}

} // namespace batch
