#pragma once

#include "images/dib_image.h"

#include <QString>

#include <map>
#include <memory>

namespace batch {

// A decoded photo, shared by every row that shows it, or why it could not be loaded.
struct Photo {
    std::shared_ptr<const DibImage> image;
    QString error;
};

// Decodes each photo file once, however many rows name it, as long as the photos fit in the
// memory set aside for them. Used on the main thread, before the rows are drawn: the loader
// reports through the prompts and shows a wait cursor.
class PhotoCache
{
public:
    const Photo &Get(const QString &path);

    // When the decoded photos reach the memory set aside for them: the rows that hold them must
    // be drawn, and the cache trimmed, before more are decoded.
    bool Full() const { return bytes_ >= kBudgetBytes; }
    // Forgets the photos that no row holds any more, once the cache is full.
    void Trim();

private:
    // A thousand customers with a photo each must not hold a thousand photos in memory.
    static constexpr std::size_t kBudgetBytes = 512u * 1024 * 1024;

    std::map<QString, Photo> photos_;
    std::size_t bytes_ = 0;
};

} // namespace batch
