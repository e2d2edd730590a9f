#include "batch/photo_cache.h"

#include "images/image_loader.h"
#include "platform/user_prompts.h"

#include <QFileInfo>
#include <QStringList>

namespace batch {

namespace {

// Keeps what the loader would have shown in message boxes, to be told on the row's line.
class CollectedMessages : public platform::UserPrompts
{
public:
    QStringList messages;

    void Message(QWidget *, const QString &, const QString &text) override { messages << text; }
    QString SaveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString OpenFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    bool YesNo(QWidget *, const QString &, const QString &) override { return false; }
    std::optional<platform::ColorRef> ChooseColor(QWidget *, platform::ColorRef,
                                                  std::array<platform::ColorRef, 16> &) override
    {
        return std::nullopt;
    }
};

// The one call into the image loader.
Photo LoadPhoto(const QString &path)
{
    CollectedMessages collected;
    platform::SetPrompts(&collected);
    DibImage image = LoadImageFile(path);
    platform::SetPrompts(nullptr);

    Photo photo;
    if (image.IsEmpty()) {
        // A missing JPEG file gives no message of the loader's own.
        if (collected.messages.isEmpty() && !QFileInfo::exists(path))
            collected.messages << QStringLiteral("fichier introuvable.");
        photo.error = QStringLiteral("impossible de charger la photo « %1 »%2")
                          .arg(path, collected.messages.isEmpty()
                                         ? QStringLiteral(".")
                                         : QStringLiteral(" : ") + collected.messages.join(QLatin1Char(' ')));
        return photo;
    }
    photo.image = std::make_shared<const DibImage>(std::move(image));
    return photo;
}

} // namespace

const Photo &PhotoCache::Get(const QString &path)
{
    auto found = photos_.find(path);
    if (found == photos_.end()) {
        found = photos_.emplace(path, LoadPhoto(path)).first;
        if (found->second.image)
            bytes_ += found->second.image->Block().size();
    }
    return found->second;
}

void PhotoCache::Trim()
{
    if (!Full())
        return;
    for (auto it = photos_.begin(); it != photos_.end();) {
        if (it->second.image && it->second.image.use_count() == 1) {
            bytes_ -= it->second.image->Block().size();
            it = photos_.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace batch
