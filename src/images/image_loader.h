#pragma once

#include "images/dib_image.h"

#include <QString>

// The text of a file error on `path`, from the errno value of the failed call.
QString FileErrorText(int error, const QString &path);

// Loads a photograph by its name's ending (".bmp" or ".dib": a bitmap file; ".jpg": JPEG, in
// any case). An empty name or one shorter than 4 characters gives no image and no message; any
// other failure is reported through the prompts and gives no image.
DibImage LoadImageFile(const QString &path);
