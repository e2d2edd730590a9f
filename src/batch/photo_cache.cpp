#include "batch/photo_cache.h"

#include "document/month_photos.h"
#include "images/image_loader.h"
#include "images/photo_limits.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace batch {

namespace {

// The copy a PDF page gets is at most the largest frame on A4 at 300 ppi, 4 bytes a pixel.
constexpr std::size_t kLargestPaperCopyBytes =
    std::size_t(photo_limits::kLargestA4Frame.width) * photo_limits::kLargestA4Frame.height * 4;

// A control character no file name holds starts the photo calendar's keys: "\x01<index>\x01<path>".
constexpr QChar kMonthKeyMark = QChar(1);

// The one call into the image loader; what it would have shown in message boxes is told on the
// row's line instead.
CachedPhoto LoadPhoto(const QString &key)
{
    QString path = key;
    int monthIndex = -1;
    if (key.startsWith(kMonthKeyMark)) {
        const qsizetype end = key.indexOf(kMonthKeyMark, 1);
        monthIndex = key.mid(1, end - 1).toInt();
        path = key.mid(end + 1);
    }
    // Every calendar of a batch is an A4 PDF.
    PhotoLoad load =
        monthIndex >= 0 ? month_photos::Load(path, monthIndex) : LoadPhotoForFrame(path, photo_limits::kLargestA4Frame);
    CachedPhoto photo;
    if (load.image.isNull()) {
        QStringList messages;
        for (const LoadMessage &message : load.messages)
            messages << message.text;
        // A missing JPEG file gives no message of the loader's own.
        if (messages.isEmpty() && !QFileInfo::exists(path))
            messages << QStringLiteral("fichier introuvable.");
        photo.error = QStringLiteral("impossible de charger la photo « %1 »%2")
                          .arg(path, messages.isEmpty() ? QStringLiteral(".")
                                                        : QStringLiteral(" : ") + messages.join(QLatin1Char(' ')));
        return photo;
    }
    photo.image = std::make_shared<const Photo>(std::move(load.image));
    return photo;
}

// The decoded picture and the copy scaled from it for paper.
std::size_t BytesOf(const CachedPhoto &photo)
{
    if (!photo.image)
        return 0;
    const auto decoded = static_cast<std::size_t>(photo.image->Image().sizeInBytes());
    return decoded + std::min(decoded, kLargestPaperCopyBytes);
}

} // namespace

QString MonthPhotoKey(const QString &path, int index)
{
    return kMonthKeyMark + QString::number(index) + kMonthKeyMark + path;
}

void PhotoCache::Expect(const QString &path)
{
    const std::lock_guard lock(mutex_);
    ++entries_[path].uses;
}

std::vector<CachedPhoto> PhotoCache::Acquire(const std::vector<QString> &paths)
{
    std::unique_lock lock(mutex_);
    std::vector<Entry *> entries;
    for (const QString &path : paths) {
        Entry &entry = entries_[path];
        ++entry.holders;
        entry.lastUse = ++clock_;
        entries.push_back(&entry);
    }
    for (;;) {
        // A photo nobody has or decodes: decoded here, the others meanwhile go on.
        const auto absent = std::find_if(entries.begin(), entries.end(),
                                         [this](const Entry *entry) { return !entry->decoding && !Ready(*entry); });
        if (absent != entries.end()) {
            Entry &entry = **absent;
            const QString &path = paths[static_cast<std::size_t>(absent - entries.begin())];
            // Counted for what it is expected to take while it is being decoded.
            entry.decoding = true;
            entry.bytes = ExpectedBytes();
            bytes_ += entry.bytes;
            lock.unlock();
            CachedPhoto photo = LoadPhoto(path);
            lock.lock();
            bytes_ -= entry.bytes;
            entry.photo = std::move(photo);
            entry.bytes = BytesOf(entry.photo);
            bytes_ += entry.bytes;
            largestPhoto_ = std::max(largestPhoto_, entry.bytes);
            entry.decoding = false;
            decoded_.notify_all();
            continue;
        }
        if (std::all_of(entries.begin(), entries.end(), [this](const Entry *entry) { return Ready(*entry); }))
            break;
        // Only photos that other rows are decoding are left.
        decoded_.wait(lock);
    }
    std::vector<CachedPhoto> photos;
    for (const Entry *entry : entries)
        photos.push_back(entry->photo);
    return photos;
}

void PhotoCache::Release(const QString &path)
{
    const std::lock_guard lock(mutex_);
    const auto found = entries_.find(path);
    if (found == entries_.end())
        return;
    --found->second.holders;
    if (--found->second.uses <= 0 && found->second.holders <= 0)
        Forget(found);
}

std::size_t PhotoCache::Bytes() const
{
    const std::lock_guard lock(mutex_);
    return bytes_;
}

std::size_t PhotoCache::BytesToAdd(const QString &path) const
{
    const std::lock_guard lock(mutex_);
    const auto found = entries_.find(path);
    const bool present = found != entries_.end() &&
                         (found->second.decoding || found->second.photo.image || !found->second.photo.error.isEmpty());
    return present ? 0 : ExpectedBytes();
}

void PhotoCache::TrimTo(std::size_t bytes)
{
    const std::lock_guard lock(mutex_);
    if (bytes_ <= bytes)
        return;
    // The photos used longest ago go first.
    std::vector<std::map<QString, Entry>::iterator> idle;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->second.holders == 0 && it->second.photo.image)
            idle.push_back(it);
    }
    std::sort(idle.begin(), idle.end(), [](auto a, auto b) { return a->second.lastUse < b->second.lastUse; });
    for (auto it : idle) {
        if (bytes_ <= bytes)
            break;
        bytes_ -= it->second.bytes;
        it->second.bytes = 0;
        it->second.photo.image.reset();
    }
}

std::size_t PhotoCache::ExpectedBytes() const
{
    // Before any decode: a photo four times as large as the largest frame, as a photo that
    // just misses the library's half scale is decoded whole.
    return largestPhoto_ != 0 ? largestPhoto_ : 5 * kLargestPaperCopyBytes;
}

void PhotoCache::Forget(std::map<QString, Entry>::iterator entry)
{
    bytes_ -= entry->second.bytes;
    entries_.erase(entry);
}

} // namespace batch
