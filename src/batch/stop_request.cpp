#include "batch/stop_request.h"

#include "platform/live_temporaries.h"

#include <atomic>
#include <cstdint>
#include <ctime>

namespace batch {

namespace {

std::atomic<int> stopSignal{0};
std::atomic<std::int64_t> firstAskedNs{0};

static_assert(std::atomic<int>::is_always_lock_free, "the handler may only touch lock-free atomics");
static_assert(std::atomic<std::int64_t>::is_always_lock_free, "the handler may only touch lock-free atomics");

// `timeout` and service managers send SIGTERM to the process and to its group at once: two
// signals within this time are one request.
constexpr std::int64_t kSameRequestNs = 500'000'000;

std::int64_t NowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now); // async-signal-safe
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

extern "C" void RequestStop(int signal)
{
    int none = 0;
    if (stopSignal.compare_exchange_strong(none, signal)) {
        firstAskedNs = NowNs();
        return;
    }
    // Asked again later: the user wants it to end now.
    if (NowNs() - firstAskedNs >= kSameRequestNs)
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
