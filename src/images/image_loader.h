#pragma once

#include "images/dib_image.h"
#include "images/load_message.h"
#include "images/photo_limits.h"

#include <QImage>
#include <QString>

#include <stop_token>

// The text of a file error on `path`, from the errno value of the failed call.
QString FileErrorText(int error, const QString &path);

// What loading one photograph gave: a paintable picture, or a null one and the messages saying
// why, in the order they are shown.
struct PhotoLoad {
    QImage image;
    LoadMessages messages;
};

// Loads a photograph by its name's ending (".bmp" or ".dib": a bitmap file; ".jpg": JPEG, in
// any case) into the picture the layouts paint. An empty name or one shorter than 4 characters
// gives no image and no message. Touches no widget and no global state: callable from any
// thread, and from several at once. A stop requested on `stop` (the photo is no longer wanted)
// ends the work early with no image and no message.
PhotoLoad LoadPhotoFile(const QString &path, std::stop_token stop = {});
// The same, for a caller that prints only in smaller frames than the largest (a JPEG is then
// decoded smaller, and sooner).
PhotoLoad LoadPhotoForFrame(const QString &path, photo_limits::FramePixels frame, std::stop_token stop = {});

// The picture a bitmap block holds; what LoadPhotoFile does once the file has been read.
PhotoLoad PhotoFromBitmap(const DibImage &block);

// Shows the messages one by one on the interface thread, through the program's prompts.
void ShowLoadMessages(const LoadMessages &messages);

// LoadPhotoFile, then its messages shown at once: for callers on the interface thread.
QImage LoadImageFile(const QString &path);
