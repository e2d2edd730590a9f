#pragma once

#include "platform/draw_surface.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <memory>

// A photograph as an image slot keeps it: the picture made once when the slot was loaded, and
// the copies drawn from it, each kept until a copy of another size is asked for. Copies of a
// Photo share those; they may be painted from several threads.
class Photo
{
public:
    Photo() = default;
    explicit Photo(QImage image);

    bool IsEmpty() const { return image_.isNull(); }
    QSize Size() const { return image_.size(); }
    const QImage &Image() const { return image_; }

    // The picture for a target of `size` pixels: whole and stretched, or, with `crop`, cut
    // symmetrically to the target's proportions. The screen's copy and paper's are kept apart,
    // so that printing does not make the window scale its copy again.
    QImage Scaled(QSize size, bool crop, bool paper) const;

    // How many copies have been scaled in this process: lets tests see that a repaint makes none.
    static int ScaledCopiesMade();

private:
    struct Copies;
    QImage image_;
    std::shared_ptr<Copies> copies_;
};

// The part of a picture of `image` size that fills a frame of `frame` size without distortion:
// the middle, as wide or as high as the picture allows.
QRect CropToFrame(QSize image, QSize frame);

// Paints the photo into the destination rectangle. The screen gets the copy scaled to the
// rectangle's device pixels; a printer, a PDF or an export gets at most 300 pixels per inch of the printed size,
// which the device enlarges.
void PaintPhoto(platform::DrawSurface &dc, const platform::Rect &destination, const Photo &photo, bool crop);
