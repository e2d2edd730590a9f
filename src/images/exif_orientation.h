#pragma once

#include <QImage>

#include <cstddef>

// The orientation tag (1 to 8) of the EXIF data of an APP1 segment, read by libexif; 1 (as
// stored) when there is none or it is out of range.
int ExifOrientation(const unsigned char *data, std::size_t size);

// True for the orientations that show the stored picture rotated by a quarter turn (5 to 8).
constexpr bool OrientationTurnsQuarter(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

// The stored picture turned and mirrored so that it shows upright for that orientation.
QImage Upright(QImage stored, int orientation);
