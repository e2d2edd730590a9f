// Writes the program's icon, as the window draws it, into an icon theme folder: one PNG per size
// asked for and one SVG. Run by the build, never installed.

#include "icons/svg_paint_device.h"

#include "resources/icons.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kDesignSize = 16; // the drawing's own grid

bool Fail(const QString &message)
{
    std::fprintf(stderr, "tamvel-icons : %s\n", qPrintable(message));
    return false;
}

bool MakeFolder(const QString &path)
{
    return QDir().mkpath(QFileInfo(path).path()) || Fail(QStringLiteral("impossible de créer le dossier de ") + path);
}

bool WritePng(const QString &path, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        resources::PaintIcon(painter, resources::IconKind::Program, QRectF(0, 0, size, size));
    }
    return MakeFolder(path) && (image.save(path, "PNG") || Fail(QStringLiteral("impossible d'écrire ") + path));
}

bool WriteSvg(const QString &path)
{
    packaging::SvgPaintDevice device(QSize(kDesignSize, kDesignSize));
    {
        QPainter painter(&device);
        resources::PaintIcon(painter, resources::IconKind::Program, QRectF(0, 0, kDesignSize, kDesignSize));
    }
    if (!MakeFolder(path))
        return false;
    QSaveFile file(path);
    return (file.open(QIODevice::WriteOnly) && file.write(device.Document()) >= 0 && file.commit()) ||
           Fail(QStringLiteral("impossible d'écrire ") + path);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fputs("Usage : tamvel-icons DOSSIER NOM [TAILLE...]\n"
                   "Écrit DOSSIER/TAILLExTAILLE/apps/NOM.png pour chaque taille et DOSSIER/scalable/apps/NOM.svg.\n",
                   stderr);
        return EXIT_FAILURE;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0 || size > 1024) {
            Fail(QStringLiteral("taille invalide « %1 »").arg(QString::fromLocal8Bit(argv[i])));
            return EXIT_FAILURE;
        }
        if (!WritePng(QStringLiteral("%1/%2x%2/apps/%3.png").arg(folder).arg(size).arg(name), size))
            return EXIT_FAILURE;
    }
    return WriteSvg(QStringLiteral("%1/scalable/apps/%2.svg").arg(folder, name)) ? EXIT_SUCCESS : EXIT_FAILURE;
}
