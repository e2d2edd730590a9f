#pragma once

#include "images/dib_image.h"
#include "platform/draw_surface.h"

#include <QImage>

// The image a packed DIB holds, or a null image when the block cannot be read.
QImage ToQImage(const DibImage &image);

// Width and height from the DIB's header (info or core header); 0 x 0 for an empty image.
struct DibSize {
    int width = 0;
    int height = 0;
};
DibSize SizeOf(const DibImage &image);

// Paints the source rectangle of the image stretched into the destination rectangle.
void PaintDibImage(platform::DrawSurface &dc, const platform::Rect &destination, const DibImage &image,
                   const platform::Rect &source);
