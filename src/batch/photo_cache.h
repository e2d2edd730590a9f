#pragma once

#include "images/photo.h"

#include <QString>

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace batch {

// A decoded photo, shared by every row that shows it, or why it could not be loaded.
struct CachedPhoto {
    std::shared_ptr<const Photo> image;
    QString error;
};

// The name under which the cache keeps photo `index` (0 the cover, 1 to 12 the months) of the
// photo calendar, decoded for its frame and cut to it; the other photos go by their path.
QString MonthPhotoKey(const QString &path, int index);

// Decodes each photo file once, however many rows name it, on the thread of the first row that
// asks; rows asking meanwhile wait for that decode instead of making their own. A photo is
// forgotten after the last row that names it, or earlier when memory runs short (it is then
// decoded again if a later row asks). Safe on any thread.
class PhotoCache
{
public:
    // One more row will ask for `path`: called for every row before the first Acquire.
    void Expect(const QString &path);

    // The photos of a row about to be drawn, in the order of `paths`; the row holds them until
    // Release. Those that nobody is decoding are decoded first, on the calling thread, so that
    // two rows sharing a photo do not wait for each other while they have work of their own.
    std::vector<CachedPhoto> Acquire(const std::vector<QString> &paths);
    // The row is drawn: one use done.
    void Release(const QString &path);

    // The memory the photos held now take, their copies scaled for paper counted with them;
    // photos being decoded count for the size they are expected to have.
    std::size_t Bytes() const;
    // What the row's photos would add to Bytes() if it started now.
    std::size_t BytesToAdd(const QString &path) const;
    // Forgets the photos that no row holds, until Bytes() is at most `bytes`.
    void TrimTo(std::size_t bytes);

private:
    struct Entry {
        int uses = 0;    // rows that will still ask for it
        int holders = 0; // rows drawing with it now
        bool decoding = false;
        CachedPhoto photo;
        std::size_t bytes = 0;
        std::uint64_t lastUse = 0;
    };
    std::size_t ExpectedBytes() const;
    bool Ready(const Entry &entry) const
    {
        return !entry.decoding && (entry.photo.image || !entry.photo.error.isEmpty());
    }
    void Forget(std::map<QString, Entry>::iterator entry);

    mutable std::mutex mutex_;
    std::condition_variable decoded_;
    std::map<QString, Entry> entries_;
    std::size_t bytes_ = 0;
    std::size_t largestPhoto_ = 0;
    std::uint64_t clock_ = 0;
};

} // namespace batch
