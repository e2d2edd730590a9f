#pragma once

#include "platform/whole_file.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace batch {

// Flushes the files of drawn rows to the disk and renames them, one after the other on a thread
// of its own: the threads that draw go on with the next rows while the disk catches up, instead
// of waiting for it. Tells each file's outcome through `done`, on that thread.
class Committer
{
public:
    using Done = std::function<void(std::size_t row, platform::WholeFile &file, bool committed)>;

    explicit Committer(Done done);
    // Commits every file added, then returns.
    ~Committer();
    Committer(const Committer &) = delete;
    Committer &operator=(const Committer &) = delete;

    // Waits while many files are waiting already: a disk slower than the drawing slows the
    // drawing down rather than piling up files.
    void Add(std::size_t row, std::unique_ptr<platform::WholeFile> file);

private:
    void Run();

    static constexpr std::size_t kMostWaiting = 8;
    Done done_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::pair<std::size_t, std::unique_ptr<platform::WholeFile>>> waiting_;
    bool finishing_ = false;
    std::thread thread_;
};

} // namespace batch
