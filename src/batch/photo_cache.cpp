#include "batch/photo_cache.h"

#include "images/image_loader.h"

#include <QFileInfo>
#include <QStringList>

namespace batch {

namespace {

// The one call into the image loader; what it would have shown in message boxes is told on the
// row's line instead.
CachedPhoto LoadPhoto(const QString &path)
{
    PhotoLoad load = LoadPhotoFile(path);
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

} // namespace

const CachedPhoto &PhotoCache::Get(const QString &path)
{
    auto found = photos_.find(path);
    if (found == photos_.end()) {
        found = photos_.emplace(path, LoadPhoto(path)).first;
        if (found->second.image)
            bytes_ += static_cast<std::size_t>(found->second.image->Image().sizeInBytes());
    }
    return found->second;
}

void PhotoCache::Trim()
{
    if (!Full())
        return;
    for (auto it = photos_.begin(); it != photos_.end();) {
        if (it->second.image && it->second.image.use_count() == 1) {
            bytes_ -= static_cast<std::size_t>(it->second.image->Image().sizeInBytes());
            it = photos_.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace batch
