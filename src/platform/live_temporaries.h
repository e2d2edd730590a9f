#pragma once

#include <csignal>
#include <string>

namespace platform {

// The temporaries being written right now, kept where a signal handler can reach them: a
// program stopped by Ctrl+C or a request to terminate removes them before it ends, instead of
// leaving half-written hidden files beside the user's.

// Records `path` as a file to remove if the program is stopped; returns its slot, or -1 when
// every slot is taken (the file is then left to the next run, which clears abandoned ones).
int AddLiveTemporary(const std::string &path);

// The file was renamed or removed: forgets it. Safe with -1.
void DropLiveTemporary(int slot);

// Removes every recorded temporary. Async-signal-safe: for signal handlers.
void RemoveLiveTemporaries();

// From now on SIGINT, SIGTERM and SIGHUP remove the live temporaries, then end the program as
// the signal would have. A signal the caller had set to be ignored (nohup) stays ignored.
void RemoveTemporariesOnSignals();

// Installs `handler` for `signal` and keeps the former action in `previous`, unless the signal
// is ignored: a program started under nohup, or in the background by a shell, must not be
// stopped by what its caller chose to ignore. Returns whether it installed the handler.
bool HandleUnlessIgnored(int signal, void (*handler)(int), struct sigaction *previous = nullptr);

// What RemoveTemporariesOnSignals installs, for a handler that takes a signal over and still
// wants to end the program as it would have ended: removes the temporaries, restores the
// default action and raises the signal again. Async-signal-safe.
void RemoveTemporariesAndDie(int signal);

} // namespace platform
