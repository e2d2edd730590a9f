#pragma once

#include "images/dib_image.h"

#include <QImage>

// The picture a checked block holds (see CheckDib), through Qt's bitmap reader, the right way up
// whichever order its rows are stored in; a null image when the reader cannot draw it.
QImage DibToImage(const DibImage &image);
