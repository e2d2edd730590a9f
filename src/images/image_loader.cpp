#include "images/image_loader.h"

#include "images/dib_decode.h"
#include "images/dib_file.h"
#include "images/image_messages.h"
#include "images/jpeg_decoder.h"
#include "platform/regular_file.h"
#include "platform/user_prompts.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

#include <unistd.h>

namespace {

LoadMessage FileError(int error, const QString &path)
{
    return {platform::MessageIcon::Exclamation, images::MessageCaption(), FileErrorText(error, path), true};
}

LoadMessage CheckMessage(const char *text)
{
    return {platform::MessageIcon::Information, images::MessageCaption(), QString::fromUtf8(text), false};
}

const char *const kCannotLoad = "Ne peut pas charger DIB";
const char *const kTooLarge = "DIB est trop grand";

// A photo is opened without ever waiting (see OpenRegularFile); `notRegular` says the name
// opened on something else than a file.
int OpenPhotoFile(const QString &path, int &error, bool &notRegular)
{
    const int fd = platform::OpenRegularFile(QFile::encodeName(path).toStdString(), error);
    notRegular =
        fd < 0 && (error == EISDIR || (error == EACCES && QFileInfo(path).exists() && !QFileInfo(path).isFile()));
    return fd;
}

PhotoLoad LoadBitmap(const QString &path, const std::stop_token &stop)
{
    PhotoLoad load;
    int error = 0;
    bool notRegular = false;
    const int fd = OpenPhotoFile(path, error, notRegular);
    if (fd < 0) {
        load.messages.push_back(FileError(error, path));
        return load;
    }
    const DibImage block = ReadBmpFile(fd, error);
    close(fd);
    if (error != 0) {
        load.messages.push_back(FileError(error, path));
        return load;
    }
    // Reading was the short part; converting a large bitmap is the long one.
    if (stop.stop_requested())
        return load;
    return PhotoFromBitmap(block);
}

PhotoLoad LoadJpeg(const QString &path, photo_limits::FramePixels frame, std::stop_token stop)
{
    PhotoLoad load;
    int error = 0;
    bool notRegular = false;
    const int fd = OpenPhotoFile(path, error, notRegular);
    if (fd < 0) {
        // A JPEG file that cannot be opened gives no image and no message; a name that is no
        // file at all is said so, like a bitmap's.
        if (notRegular)
            load.messages.push_back(FileError(error, path));
        return load;
    }
    std::FILE *file = fdopen(fd, "rb");
    if (file == nullptr) {
        close(fd);
        return load;
    }
    JpegDecode decoded = DecodeJpegFile(file, frame, stop, QFileInfo(path).absoluteFilePath());
    std::fclose(file);
    if (stop.stop_requested())
        return load;
    load.messages = std::move(decoded.messages);
    if (decoded.tooLarge) {
        load.messages.push_back({platform::MessageIcon::Information, images::MessageCaption(),
                                 QStringLiteral("La photo « %1 » a trop de pixels pour être chargée.")
                                     .arg(QFileInfo(path).absoluteFilePath()),
                                 false});
    }
    load.image = std::move(decoded.image);
    // Never a blank photo without a word.
    if (load.image.isNull() && load.messages.empty())
        load.messages.push_back(CheckMessage(kCannotLoad));
    return load;
}

} // namespace

QString FileErrorText(int error, const QString &path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    const char *text = "Une erreur inconnue s'est produite lors de l'accès à %1.";
    switch (error) {
    case ENOENT:
        text = "%1 est introuvable.";
        break;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        text = "%1 contient un chemin non valide.";
        break;
    case EMFILE:
    case ENFILE:
        text = "Impossible d'ouvrir %1 car il y a trop de fichiers ouverts.";
        break;
    case EACCES:
    case EPERM:
    case EISDIR:
        text = "L'accès à %1 a été refusé.";
        break;
    case EBADF:
        text = "Un descripteur de fichier non valide a été associé à %1.";
        break;
    case ESPIPE:
        text = "Échec de la recherche sur %1";
        break;
    case EIO:
        text = "Une erreur d'E/S matérielle a été reportée lors de l'accès à %1.";
        break;
    case ETXTBSY:
        text = "Une violation de partage s'est produite lors de l'accès à %1.";
        break;
    case ENOLCK:
        text = "Une violation de verrouillage s'est produite lors de l'accès à %1.";
        break;
    case ENOSPC:
    case EDQUOT:
        text = "Disque plein lors de l'accès à %1.";
        break;
    default:
        break;
    }
    return QString::fromUtf8(text).arg(full);
}

PhotoLoad PhotoFromBitmap(const DibImage &block)
{
    PhotoLoad load;
    switch (CheckDib(block.Block())) {
    case DibVerdict::TooLarge:
        load.messages.push_back(CheckMessage(kTooLarge));
        break;
    case DibVerdict::Drawable:
        load.image = DibToImage(block);
        break;
    case DibVerdict::NotDrawable:
        break;
    }
    if (load.image.isNull())
        load.messages.push_back(CheckMessage(kCannotLoad));
    return load;
}

PhotoLoad LoadPhotoFile(const QString &path, std::stop_token stop)
{
    return LoadPhotoForFrame(path, photo_limits::kLargestFrame, std::move(stop));
}

PhotoLoad LoadPhotoForFrame(const QString &path, photo_limits::FramePixels frame, std::stop_token stop)
{
    if (path.size() < 4 || stop.stop_requested())
        return {};
    const QString ending = path.right(4).toLower();
    if (ending == QLatin1String(".bmp") || ending == QLatin1String(".dib"))
        return LoadBitmap(path, stop);
    if (ending == QLatin1String(".jpg"))
        return LoadJpeg(path, frame, std::move(stop));
    PhotoLoad refused;
    // A folder, a device or a FIFO is named, as a bitmap's would be; only a file of another kind
    // gets the bitmap reader's word.
    const QFileInfo named(path);
    if (named.exists() && !named.isFile())
        refused.messages.push_back(FileError(named.isDir() ? EISDIR : EACCES, path));
    else
        refused.messages.push_back(CheckMessage(kCannotLoad));
    return refused;
}

void ShowLoadMessages(const LoadMessages &messages)
{
    for (const LoadMessage &message : messages) {
        QWidget *owner = message.ownedByActiveWindow ? QApplication::activeWindow() : nullptr;
        platform::Prompts().Message(owner, message.caption, message.text, message.icon);
    }
}

QImage LoadImageFile(const QString &path)
{
    PhotoLoad load = LoadPhotoFile(path);
    ShowLoadMessages(load.messages);
    return std::move(load.image);
}
