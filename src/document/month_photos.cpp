#include "document/month_photos.h"

#include "document/settings_keys.h"
#include "images/photo.h"
#include "platform/registry.h"

#include <QCollator>
#include <QDir>

#include <algorithm>

namespace month_photos {

namespace {

constexpr const char *kMonthTitles[] = {"Janvier", "Février", "Mars",      "Avril",   "Mai",      "Juin",
                                        "Juillet", "Août",    "Septembre", "Octobre", "Novembre", "Décembre"};

photo_limits::FramePixels FrameOf(int index)
{
    return index == 0 ? photo_limits::kCoverPhotoFrame : photo_limits::kMonthPhotoFrame;
}

} // namespace

QString KeyName(int index)
{
    return index == 0 ? QStringLiteral("Couverture") : QStringLiteral("Mois%1").arg(index);
}

QString Title(int index)
{
    return index == 0 ? QStringLiteral("Couverture") : QString::fromUtf8(kMonthTitles[index - 1]);
}

Names Read(int year)
{
    Names names;
    if (const auto key = platform::RegistryKey::Open(settings_keys::Year(year))) {
        for (int i = 0; i < kCount; ++i) {
            if (const auto name = key->QueryText(KeyName(i)))
                names[static_cast<std::size_t>(i)] = *name;
        }
    }
    return names;
}

bool Write(int year, const Names &names)
{
    platform::StoreTransaction transaction;
    auto key = platform::RegistryKey::OpenOrCreate(settings_keys::Year(year));
    if (!key)
        return false;
    // An empty name is kept empty, as the two photos of the other layouts are.
    for (int i = 0; i < kCount; ++i)
        key->SetText(KeyName(i), names[static_cast<std::size_t>(i)]);
    return transaction.Commit();
}

QStringList FolderImages(const QString &folder)
{
    const QDir dir(folder);
    QStringList files = dir.entryList({QStringLiteral("*.jpg"), QStringLiteral("*.bmp"), QStringLiteral("*.dib")},
                                      QDir::Files | QDir::Readable, QDir::NoSort);
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Names equal but for case keep a fixed order.
    std::sort(files.begin(), files.end(), [&collator](const QString &a, const QString &b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    for (QString &file : files)
        file = dir.filePath(file);
    return files;
}

Names FillFromFolder(const QString &folder)
{
    Names names;
    const QStringList files = FolderImages(folder);
    for (int i = 0; i < kCount && i < files.size(); ++i)
        names[static_cast<std::size_t>(i)] = files[i];
    return names;
}

PhotoLoad Load(const QString &path, int index, std::stop_token stop)
{
    const photo_limits::FramePixels frame = FrameOf(index);
    PhotoLoad load = LoadPhotoForFrame(path, frame, stop);
    if (load.image.isNull())
        return load;
    // Only the part the frame shows is kept, and no more pixels than paper takes.
    const QSize frameSize(frame.width, frame.height);
    QImage image = load.image.copy(CropToFrame(load.image.size(), frameSize));
    load.image = {};
    if (image.width() > frame.width)
        image = image.scaled(frameSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    load.image = std::move(image);
    return load;
}

} // namespace month_photos
