#include "images/image_loader.h"

#include "images/dib_file.h"
#include "images/image_messages.h"
#include "images/jpeg_decoder.h"
#include "platform/user_prompts.h"

#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The wait cursor for as long as a file is read, when there is a screen to show it on.
class WaitCursor
{
public:
    WaitCursor() : shown_(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (shown_)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (shown_)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    bool shown_;
};

void ReportFileError(int error, const QString &path)
{
    platform::Prompts().Message(nullptr, images::MessageCaption(), FileErrorText(error, path));
}

// `reported` tells that a file error was shown, which says all there is to say.
DibImage LoadBitmap(const QString &path, bool &reported)
{
    reported = false;
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        ReportFileError(errno, path);
        reported = true;
        return {};
    }
    int readError = 0;
    DibImage image;
    {
        WaitCursor wait;
        image = ReadBmpFile(fd, readError);
    }
    close(fd);
    if (readError != 0) {
        ReportFileError(readError, path);
        reported = true;
        return {};
    }
    return image;
}

DibImage LoadJpeg(const QString &path)
{
    // A JPEG file that cannot be opened gives no image and no message.
    std::FILE *file = std::fopen(QFile::encodeName(path).constData(), "rbe");
    if (file == nullptr)
        return {};
    DibImage image;
    {
        WaitCursor wait;
        image = DecodeJpegFile(file);
    }
    std::fclose(file);
    return image;
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

DibImage LoadImageFile(const QString &path)
{
    if (path.size() < 4)
        return {};
    const QString ending = path.right(4).toLower();
    DibImage image;
    if (ending == QLatin1String(".bmp") || ending == QLatin1String(".dib")) {
        bool reported = false;
        image = LoadBitmap(path, reported);
        if (reported)
            return {};
    } else if (ending == QLatin1String(".jpg")) {
        image = LoadJpeg(path);
        // The decoder has shown whatever went wrong.
        if (image.IsEmpty())
            return {};
    }
    PrepareImage(image);
    if (image.IsEmpty())
        platform::Prompts().Message(nullptr, images::MessageCaption(), QStringLiteral("Ne peut pas charger DIB"));
    return image;
}
