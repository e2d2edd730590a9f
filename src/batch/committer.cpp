#include "batch/committer.h"

namespace batch {

Committer::Committer(Done done) : done_(std::move(done)), thread_([this] { Run(); }) {}

Committer::~Committer()
{
    {
        const std::lock_guard lock(mutex_);
        finishing_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void Committer::Add(std::size_t row, std::unique_ptr<platform::WholeFile> file)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.size() < kMostWaiting; });
    waiting_.emplace_back(row, std::move(file));
    changed_.notify_all();
}

void Committer::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return finishing_ || !waiting_.empty(); });
        if (waiting_.empty())
            return;
        auto [row, file] = std::move(waiting_.front());
        waiting_.pop_front();
        changed_.notify_all();
        lock.unlock();
        const bool committed = file->Commit();
        done_(row, *file, committed);
        file.reset();
        lock.lock();
    }
}

} // namespace batch
