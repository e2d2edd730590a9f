#pragma once

#include "images/load_message.h"
#include "images/photo_limits.h"

#include <QImage>

#include <cstdio>
#include <stop_token>

// What decoding one JPEG file gave.
struct JpegDecode {
    // The picture upright (the camera's EXIF orientation applied), 32 bits a pixel; null when the
    // file yields no complete image.
    QImage image;
    // Set when the picture, even reduced, has more pixels than a slot holds.
    bool tooLarge = false;
    // The library's error, or its first warning, said in French with the file's name.
    LoadMessages messages;
};

// Decodes the JPEG data of a file opened for reading ("rb"; the caller closes it), named `name`
// in messages. RGB, greyscale, CMYK and YCCK files are read; inks are shown as FOGRA39 prints
// them. A picture
// larger than any page needs is decoded reduced by the library's DCT scaling, keeping at least
// 300 pixels per inch in `frame`, by default the largest frame a layout prints it in. Any
// warning (corrupt or truncated data) drops the picture. Safe to call from several threads at
// once. A stop requested on `stop` ends the decode within a few rows, with no picture and no
// message.
JpegDecode DecodeJpegFile(std::FILE *file, photo_limits::FramePixels frame = photo_limits::kLargestFrame,
                          std::stop_token stop = {}, const QString &name = {});

// The scale, in eighths, at which a picture of width x height is decoded: the smallest of the
// library's fast scales (1, 2, 4 or 8 eighths) that still fills `frame` (`turned`: the picture
// is shown rotated by a quarter turn), 8 when the picture is no larger than that.
int JpegScaleEighths(unsigned width, unsigned height, bool turned,
                     photo_limits::FramePixels frame = photo_limits::kLargestFrame);
