#include "document/month_photos.h"

#include "document/settings_keys.h"
#include "images/photo.h"
#include "platform/registry.h"

#include <QDir>

#include <algorithm>

namespace month_photos {

namespace {

constexpr const char *kMonthTitles[] = {"Janvier", "Février", "Mars",      "Avril",   "Mai",      "Juin",
                                        "Juillet", "Août",    "Septembre", "Octobre", "Novembre", "Décembre"};

// Name order as a file manager shows it: runs of digits compare as numbers ("2" before "10"),
// the rest without regard to case.
bool NameBefore(const QString &a, const QString &b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype endA = i, endB = j;
            while (endA < a.size() && a[endA].isDigit())
                ++endA;
            while (endB < b.size() && b[endB].isDigit())
                ++endB;
            // Compared as digit strings without their leading zeros: no number is too long.
            QStringView numberA = QStringView(a).mid(i, endA - i), numberB = QStringView(b).mid(j, endB - j);
            while (numberA.size() > 1 && numberA.front() == QLatin1Char('0'))
                numberA = numberA.mid(1);
            while (numberB.size() > 1 && numberB.front() == QLatin1Char('0'))
                numberB = numberB.mid(1);
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size();
            if (const int order = numberA.compare(numberB); order != 0)
                return order < 0;
            i = endA;
            j = endB;
            continue;
        }
        const QChar x = a[i].toCaseFolded(), y = b[j].toCaseFolded();
        if (x != y)
            return x < y;
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    // Names equal but for case or zeros keep a fixed order.
    return a < b;
}

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
    std::sort(files.begin(), files.end(), NameBefore);
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
