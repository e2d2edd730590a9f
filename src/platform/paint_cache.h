#pragma once

#include "platform/draw_surface.h"

#include <QHash>
#include <QImage>
#include <QStaticText>
#include <QString>

namespace platform {

// What a painter surface may keep from one paint to the next of the same pages: texts measured
// once, recurring texts laid out once, ellipses drawn once. Kept by whoever paints again and
// again (the view); used by one thread at a time. Nothing in it changes what is drawn.
class PaintCache
{
public:
    // The width of a text in a font, measured by `measure` the first time.
    template <typename Measure>
    int Width(const Font &font, const QString &text, Measure measure)
    {
        const TextKey key{font.face, font.pixelHeight, text};
        const auto found = widths_.constFind(key);
        if (found != widths_.constEnd())
            return *found;
        Bound(widths_);
        return *widths_.insert(key, measure());
    }

    // A text laid out once in a font.
    const QStaticText &LaidOut(const Font &font, const QString &text);

    // An ellipse drawn once by `draw` into an image of its size.
    template <typename Draw>
    const QImage &Ellipse(int width, int height, ColorRef fill, EllipsePart part, Draw draw)
    {
        const EllipseKey key{width, height, fill, part};
        auto found = ellipses_.constFind(key);
        if (found == ellipses_.constEnd()) {
            Bound(ellipses_);
            found = ellipses_.insert(key, draw());
        }
        return *found;
    }

private:
    struct TextKey {
        QString face;
        int pixelHeight;
        QString text;
        friend bool operator==(const TextKey &, const TextKey &) = default;
        friend size_t qHash(const TextKey &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.face, key.pixelHeight, key.text);
        }
    };
    struct EllipseKey {
        int width, height;
        ColorRef fill;
        EllipsePart part;
        friend bool operator==(const EllipseKey &, const EllipseKey &) = default;
        friend size_t qHash(const EllipseKey &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.width, key.height, key.fill, static_cast<int>(key.part));
        }
    };

    // A few years of names in a few sizes; past that, start again.
    template <typename Hash>
    static void Bound(Hash &hash)
    {
        constexpr qsizetype kMaxEntries = 4096;
        if (hash.size() >= kMaxEntries)
            hash.clear();
    }

    QHash<TextKey, int> widths_;
    QHash<TextKey, QStaticText> texts_;
    QHash<EllipseKey, QImage> ellipses_;
};

} // namespace platform
