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

// Decodes each photo file once, however many rows name it. Used on the main thread, before the
// rows are drawn: the loader reports through the prompts and shows a wait cursor.
class PhotoCache
{
public:
    const Photo &Get(const QString &path);

private:
    std::map<QString, Photo> photos_;
};

} // namespace batch
