#pragma once

#include "images/dib_image.h"

#include <cstdio>

// Decodes the JPEG data of a file opened for reading ("rb"; the caller closes it) into a
// bottom-up DIB: 24 bits for colour files, 8 bits with a grey ramp for greyscale ones. Returns
// an empty image when the file yields no complete image; any library error or the first
// warning has then been shown under the caption "JPEG Library Error". Decodes never nest.
DibImage DecodeJpegFile(std::FILE *file);
