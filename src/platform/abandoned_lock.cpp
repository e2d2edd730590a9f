#include "platform/abandoned_lock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

namespace platform {

namespace {

constexpr std::chrono::milliseconds kPollInterval{20};

std::chrono::nanoseconds Age(const struct stat &status)
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return std::chrono::seconds(now.tv_sec - status.st_mtim.tv_sec) +
           std::chrono::nanoseconds(now.tv_nsec - status.st_mtim.tv_nsec);
}

} // namespace

void ClearAbandonedLock(const QString &lockFile)
{
    const QByteArray path = QFile::encodeName(lockFile);
    for (;;) {
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return;
        struct stat status {
        };
        // Qt holds its lock file with flock for as long as the lock is taken.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &status) != 0 || status.st_size != 0) {
            ::close(fd);
            return;
        }
        const auto age = Age(status);
        if (age >= kAbandonedLockAge) {
            // Qt removes a stale lock only under the same flock, and creates one only where none
            // exists: nobody else can touch this file while it is held here.
            ::unlink(path.constData());
            ::close(fd);
            return;
        }
        ::close(fd);
        // Most often a living writer is about to fill it: look again soon.
        std::this_thread::sleep_for(std::min<std::chrono::nanoseconds>(kAbandonedLockAge - age, kPollInterval));
    }
}

} // namespace platform
