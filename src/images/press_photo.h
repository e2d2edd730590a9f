#pragma once

#include <QByteArray>
#include <QImage>

// A photo as a press file holds it: a JPEG in inks (CMYK through FOGRA39), or in greys when the
// photo has no colour, which presses print in black ink alone. The only lossy compression after
// the user's own file. Photos already converted are kept for the next files of the process (a
// batch prints the same photos again and again). Safe from any thread.
struct PressPhoto {
    QByteArray jpeg;
    bool grey = false;
};
PressPhoto PressPhotoOf(const QImage &image);
