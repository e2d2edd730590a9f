#pragma once

#include <QString>

#include <chrono>

namespace platform {

// How old an empty lock file that nobody holds must be before it counts as abandoned: a
// living writer fills its lock within microseconds of creating it.
inline constexpr std::chrono::milliseconds kAbandonedLockAge{1000};

// The settings store writes under Qt's lock file (QLockFile). A writer killed between
// creating that file and writing its process id into it leaves it empty, and Qt takes an empty
// lock for stale only after 30 seconds: the next write, on the interface thread, would hang
// that long. Such a file, once kAbandonedLockAge old and held by no one, is removed here;
// a younger one is waited for, so the call returns within kAbandonedLockAge. Locks that hold a
// process id, or that a living writer holds, are left to Qt.
void ClearAbandonedLock(const QString &lockFile);

} // namespace platform
