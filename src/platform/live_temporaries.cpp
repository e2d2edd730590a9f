#include "platform/live_temporaries.h"

#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>

#include <sched.h>
#include <unistd.h>

namespace platform {

namespace {

enum SlotState : int { kFree, kFilling, kLive, kRemoving };

// Paths are copied into fixed buffers: a signal handler can neither allocate nor follow a
// pointer that another thread may be freeing.
struct Slot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};

// Every row a batch draws at once, with room to spare.
constexpr std::size_t kSlots = 128;
std::array<Slot, kSlots> slots;

static_assert(std::atomic<int>::is_always_lock_free, "the handler may only touch lock-free atomics");

extern "C" void RemoveAndDie(int signal)
{
    RemoveTemporariesAndDie(signal);
}

} // namespace

int AddLiveTemporary(const std::string &path)
{
    if (path.size() >= PATH_MAX)
        return -1;
    for (std::size_t i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (slots[i].state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
            slots[i].state.store(kLive);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void DropLiveTemporary(int slot)
{
    if (slot < 0 || slot >= static_cast<int>(kSlots))
        return;
    std::atomic<int> &state = slots[static_cast<std::size_t>(slot)].state;
    for (;;) {
        int expected = kLive;
        if (state.compare_exchange_strong(expected, kFree) || expected != kRemoving)
            return;
        // A handler is removing it on another thread: the buffer is still being read.
        sched_yield();
    }
}

void RemoveLiveTemporaries()
{
    for (Slot &slot : slots) {
        int expected = kLive;
        if (slot.state.compare_exchange_strong(expected, kRemoving)) {
            unlink(slot.path);
            slot.state.store(kFree);
        }
    }
}

void RemoveTemporariesAndDie(int signal)
{
    RemoveLiveTemporaries();
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigaction(signal, &action, nullptr);
    // Blocked while its handler runs: delivered, with its default action, when the handler returns.
    raise(signal);
}

bool HandleUnlessIgnored(int signal, void (*handler)(int), struct sigaction *previous)
{
    struct sigaction current = {};
    if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
        return false;
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // The other threads go on writing: their calls are resumed, not failed with EINTR.
    action.sa_flags = SA_RESTART;
    return sigaction(signal, &action, previous) == 0;
}

void RemoveTemporariesOnSignals()
{
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        HandleUnlessIgnored(signal, RemoveAndDie);
}

} // namespace platform
