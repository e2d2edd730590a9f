#include "images/exif_orientation.h"

#include <QTransform>

#include <libexif/exif-data.h>

#include <memory>

int ExifOrientation(const unsigned char *data, std::size_t size)
{
    const std::unique_ptr<ExifData, decltype(&exif_data_unref)> exif(
        exif_data_new_from_data(data, static_cast<unsigned int>(size)), &exif_data_unref);
    if (!exif)
        return 1;
    ExifEntry *entry = exif_data_get_entry(exif.get(), EXIF_TAG_ORIENTATION);
    if (entry == nullptr || entry->format != EXIF_FORMAT_SHORT || entry->components < 1 || entry->size < 2)
        return 1;
    const int orientation = exif_get_short(entry->data, exif_data_get_byte_order(exif.get()));
    return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

QImage Upright(QImage stored, int orientation)
{
    // 2, 4, 5 and 7 are mirror images: mirrored first, then turned like 1, 3, 8 and 6.
    if (orientation == 2 || orientation == 4 || orientation == 5 || orientation == 7)
        stored = std::move(stored).mirrored(true, false);
    int degrees = 0;
    switch (orientation) {
    case 3:
    case 4:
        degrees = 180;
        break;
    case 5:
    case 8:
        degrees = 270;
        break;
    case 6:
    case 7:
        degrees = 90;
        break;
    default:
        break;
    }
    return degrees == 0 ? stored : stored.transformed(QTransform().rotate(degrees));
}
