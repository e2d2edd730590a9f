#include "batch/stop_request.h"

#include "platform/live_temporaries.h"

#include <atomic>

namespace batch {

namespace {

std::atomic<int> stopSignal{0};

static_assert(std::atomic<int>::is_always_lock_free, "the handler may only touch lock-free atomics");

extern "C" void RequestStop(int signal)
{
    int none = 0;
    // Asked twice: the user wants it to end now.
    if (!stopSignal.compare_exchange_strong(none, signal))
        platform::RemoveTemporariesAndDie(signal);
}

} // namespace

StopOnSignals::StopOnSignals()
{
    stopSignal = 0;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        installed_[i] = platform::HandleUnlessIgnored(kSignals[i], RequestStop, &previous_[i]);
}

StopOnSignals::~StopOnSignals()
{
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (installed_[i])
            sigaction(kSignals[i], &previous_[i], nullptr);
    }
}

bool StopRequested()
{
    return stopSignal != 0;
}

int StopSignal()
{
    return stopSignal;
}

} // namespace batch
