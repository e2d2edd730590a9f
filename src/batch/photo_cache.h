#pragma once

#include "images/photo.h"

#include <QString>

#include <map>
#include <memory>

namespace batch {

// A decoded photo, shared by every row that shows it, or why it could not be loaded.
struct CachedPhoto {
    std::shared_ptr<const Photo> image;
    QString error;
};

// Decodes each photo file once, however many rows name it, as long as the photos fit in the
// memory set aside for them. Used on the main thread, before the rows are drawn; the loader's
// messages become the row's error text.
class PhotoCache
{
public:
    const CachedPhoto &Get(const QString &path);

    // When the decoded photos reach the memory set aside for them: the rows that hold them must
    // be drawn, and the cache trimmed, before more are decoded.
    bool Full() const { return bytes_ >= kBudgetBytes; }
    // Forgets the photos that no row holds any more, once the cache is full.
    void Trim();

private:
    // A thousand customers with a photo each must not hold a thousand photos in memory.
    static constexpr std::size_t kBudgetBytes = 512u * 1024 * 1024;

    std::map<QString, CachedPhoto> photos_;
    std::size_t bytes_ = 0;
};

} // namespace batch
