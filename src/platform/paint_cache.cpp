#include "platform/paint_cache.h"

#include <QFont>

#include <algorithm>

namespace platform {

const QStaticText &PaintCache::LaidOut(const Font &font, const QString &text)
{
    const TextKey key{font.face, font.pixelHeight, text};
    auto found = texts_.constFind(key);
    if (found == texts_.constEnd()) {
        QFont face = font.face.isEmpty() ? QFont() : QFont(font.face);
        face.setPixelSize(std::max(1, font.pixelHeight));
        QStaticText laidOut(text);
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.prepare(QTransform(), face);
        Bound(texts_);
        found = texts_.insert(key, laidOut);
    }
    return *found;
}

} // namespace platform
