#include "images/photo.h"

#include "images/photo_limits.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>

namespace {

std::atomic<int> scaledCopies{0};

struct Copy {
    QSize size;
    bool crop = false;
    QImage image;
};

// The formats the painter draws without converting them at every paint.
QImage Paintable(QImage image)
{
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied)
        return image;
    const bool alpha = image.hasAlphaChannel();
    return std::move(image).convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
}

} // namespace

struct Photo::Copies {
    std::mutex mutex;
    Copy screen;
    Copy paper;
};

Photo::Photo(QImage image) : image_(std::move(image)), copies_(std::make_shared<Copies>()) {}

QRect CropToFrame(QSize image, QSize frame)
{
    if (image.isEmpty() || frame.isEmpty())
        return QRect(QPoint(0, 0), image);
    // Compared as products, so that no rounding decides which side is cut.
    const qint64 imageWide = qint64(image.width()) * frame.height();
    const qint64 frameWide = qint64(frame.width()) * image.height();
    if (imageWide > frameWide) {
        const int width = std::max<int>(1, static_cast<int>(frameWide / frame.height()));
        return QRect((image.width() - width) / 2, 0, width, image.height());
    }
    const int height = std::max<int>(1, static_cast<int>(imageWide / frame.width()));
    return QRect(0, (image.height() - height) / 2, image.width(), height);
}

QImage Photo::Scaled(QSize size, bool crop, bool paper) const
{
    if (IsEmpty() || size.isEmpty())
        return {};
    std::lock_guard lock(copies_->mutex);
    Copy &copy = paper ? copies_->paper : copies_->screen;
    if (copy.size != size || copy.crop != crop || copy.image.isNull()) {
        const QRect part = crop ? CropToFrame(image_.size(), size) : image_.rect();
        QImage source = part == image_.rect() ? image_ : image_.copy(part);
        if (source.size() != size)
            source = source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        copy = {size, crop, Paintable(std::move(source))};
        ++scaledCopies;
    }
    return copy.image;
}

int Photo::ScaledCopiesMade()
{
    return scaledCopies.load();
}

void PaintPhoto(platform::DrawSurface &dc, const platform::Rect &destination, const Photo &photo, bool crop)
{
    const QSize target(destination.right - destination.left, destination.bottom - destination.top);
    if (photo.IsEmpty() || target.isEmpty())
        return;
    // The screen's copy has a pixel for every device pixel, or a scaled screen shows it soft.
    QSize size = (QSizeF(target) * dc.DevicePixelRatio()).toSize();
    if (dc.IsPrinting()) {
        // Paper shows no more than 300 ppi; more only makes the job and the PDF bigger. Nor is
        // the picture enlarged: the device does that.
        const QSize available = crop ? CropToFrame(photo.Size(), target).size() : photo.Size();
        const auto atMost = [](int pixels, int dpi, int limit) {
            const int printable =
                static_cast<int>(std::ceil(double(pixels) * photo_limits::kPrintPpi / std::max(1, dpi)));
            return std::max(1, std::min({pixels, printable, limit}));
        };
        size = QSize(atMost(target.width(), dc.LogPixelsX(), available.width()),
                     atMost(target.height(), dc.LogPixelsY(), available.height()));
    }
    dc.DrawImage(photo.Scaled(size, crop, dc.IsPrinting()), destination);
}
