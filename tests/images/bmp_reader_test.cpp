#include "images/dib_file.h"
#include "images/image_loader.h"
#include "images/photo.h"

#include "images/image_files.h"
#include "platform/painter_surface.h"
#include "support/scripted_prompts.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QString kCannotLoad = QStringLiteral("Ne peut pas charger DIB");
const QString kTooBig = QStringLiteral("DIB est trop grand");

class BmpLoading : public ::testing::Test
{
protected:
    QImage Load(const QString &name, const QByteArray &bytes) { return LoadImageFile(WriteFile(dir, name, bytes)); }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
};

// Rows of a 4 x 2 24-bit bitmap as stored: its top picture row red | blue, its bottom row green.
QByteArray TwoColourRows(bool topDown)
{
    const QByteArray top = QByteArray("\0\0\xFF\0\0\xFF\xFF\0\0\xFF\0\0", 12);
    const QByteArray bottom = QByteArray("\0\xFF\0", 3).repeated(4);
    return topDown ? top + bottom : bottom + top;
}

TEST_F(BmpLoading, ABitmapPaintsItsPixelsTheRightWayUp)
{
    for (const bool topDown : {false, true}) {
        const QImage picture =
            Load(QStringLiteral("two.bmp"), BmpOf(InfoHeader(4, topDown ? -2 : 2, 24) + TwoColourRows(topDown)));
        ASSERT_EQ(picture.size(), QSize(4, 2)) << topDown;
        // Painted into a 40 x 20 frame as the photo layouts paint it.
        QImage page(60, 40, QImage::Format_RGB32);
        page.fill(Qt::white);
        {
            QPainter painter(&page);
            platform::PainterSurface dc(painter, 96, 96, false);
            PaintPhoto(dc, {10, 10, 50, 30}, Photo(picture), false);
        }
        EXPECT_EQ(page.pixel(12, 12), qRgb(255, 0, 0)) << topDown;
        EXPECT_EQ(page.pixel(47, 12), qRgb(0, 0, 255)) << topDown;
        EXPECT_EQ(page.pixel(12, 27), qRgb(0, 255, 0)) << topDown;
        EXPECT_EQ(page.pixel(9, 9), qRgb(255, 255, 255)) << topDown;
        EXPECT_EQ(page.pixel(50, 30), qRgb(255, 255, 255)) << topDown;
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
}

// Most programs write the 124-byte header of later Windows versions; it begins like the info header.
TEST_F(BmpLoading, LongerHeadersAreReadLikeTheInfoHeader)
{
    QByteArray file = InfoBmp(300, 2, 24, 0, 0, 900, 2, '\x40');
    QByteArray longer = file.left(14) + file.mid(14, 40) + QByteArray(84, '\0') + file.mid(14 + 40);
    longer[14] = char(124);
    const QImage picture = Load(QStringLiteral("v5.bmp"), longer);
    EXPECT_TRUE(prompts.messages.isEmpty());
    ASSERT_EQ(picture.size(), QSize(300, 2));
    EXPECT_EQ(picture.pixel(299, 1) & 0xFFFFFF, 0x404040u);
}

TEST_F(BmpLoading, ColourTablesFollowColoursUsedOrBitsPerPixel)
{
    // 8 bits, colours used 0: 256 entries; the pixel index 5 is grey 5.
    EXPECT_EQ(Load(QStringLiteral("a.bmp"), InfoBmp(2, 2, 8, 0, 256, 4, 2, 5)).pixel(1, 1) & 0xFFFFFF, 0x050505u);
    // Colours used 16: the pixels start 40 + 64 bytes in, whatever the file header says.
    EXPECT_EQ(Load(QStringLiteral("b.dib"), InfoBmp(2, 2, 8, 16, 16, 4, 2, 7)).pixel(0, 0) & 0xFFFFFF, 0x070707u);
    // Colours used 65536 keeps only its low 16 bits: no table before the 24-bit pixels.
    EXPECT_EQ(Load(QStringLiteral("c.bmp"), InfoBmp(1, 1, 24, 65536, 0, 4, 1, 9)).pixel(0, 0) & 0xFFFFFF, 0x090909u);

    // The core header's table has 3-byte entries; rows are bottom row first.
    QByteArray core;
    for (std::uint16_t value : {12, 0, 2, 2, 1, 8})
        Append16(core, value);
    for (int i = 0; i < 256; ++i)
        core += QByteArray(1, char(i)) + QByteArray(1, '\0') + QByteArray(1, char(255 - i));
    core += QByteArray("\x01\x02\0\0\x03\x04\0\0", 8);
    const QImage picture = Load(QStringLiteral("core.bmp"), BmpOf(core));
    ASSERT_EQ(picture.size(), QSize(2, 2));
    EXPECT_EQ(picture.pixel(0, 0) & 0xFFFFFF, qRgb(252, 0, 3) & 0xFFFFFFu);
    EXPECT_EQ(picture.pixel(1, 1) & 0xFFFFFF, qRgb(253, 0, 2) & 0xFFFFFFu);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

// Every file a slot may be given, and what the user is told. None is ever a silent blank.
TEST_F(BmpLoading, MalformedFilesAreRefusedWithTheirMessage)
{
    const QByteArray table256 = QByteArray("\x00\xFF\x80\x00", 4).repeated(256);
    const QByteArray masks = QByteArray("\x00\xF8\0\0\xE0\x07\0\0\x1F\0\0\0", 12);
    const QByteArray good = InfoBmp(4, 4, 24, 0, 0, 12, 4);
    QByteArray hugeHeader = good;
    hugeHeader.replace(14, 4, QByteArray(4, '\xFF'));
    QImage png(2, 2, QImage::Format_RGB32);
    png.fill(Qt::red);
    const QString pngPath = dir.filePath(QStringLiteral("fake.bmp"));
    ASSERT_TRUE(png.save(pngPath, "PNG"));

    struct Case {
        const char *name;
        QByteArray bytes;
        QStringList messages;
    };
    const QStringList cannot{kCannotLoad};
    const QStringList tooBig{kTooBig, kCannotLoad};
    const Case cases[] = {
        {"short", good.left(10), cannot},
        {"header only", good.left(14), cannot},
        {"half a header", good.left(30), cannot},
        {"a row short", good.left(good.size() - 5), cannot},
        {"garbage", QByteArray(200, 'x'), cannot},
        {"header size 0xFFFFFFFF", hugeHeader, cannot},
        {"table past the end", InfoBmp(1, 1, 8, 60000, 2, 4, 1), cannot},
        {"bit fields without rows", BmpOf(InfoHeader(16, 16, 16, 3) + masks), cannot},
        {"bit fields, half the rows", BmpOf(InfoHeader(16, 16, 32, 3) + masks + QByteArray(512, '@')), cannot},
        {"bit fields of 24 bits", BmpOf(InfoHeader(2, 2, 24, 3) + masks + QByteArray(16, '@')), cannot},
        {"depth 0", BmpOf(InfoHeader(4, 4, 0) + QByteArray(64, 0)), cannot},
        {"depth 2", BmpOf(InfoHeader(4, 4, 2) + QByteArray(64, 0)), cannot},
        {"depth 64", BmpOf(InfoHeader(2, 2, 64) + QByteArray(64, 0)), cannot},
        {"planes 5", BmpOf(InfoHeader(4, 4, 24, 0, 0, 5) + QByteArray(64, 0)), cannot},
        {"compression 4", BmpOf(InfoHeader(4, 4, 24, 4) + QByteArray(64, 0)), cannot},
        {"compression 5", BmpOf(InfoHeader(4, 4, 24, 5) + QByteArray(64, 0)), cannot},
        {"RLE8 of 4 bits", BmpOf(InfoHeader(4, 4, 4, 1) + table256.left(64) + QByteArray(64, 0)), cannot},
        {"colours used 300", BmpOf(InfoHeader(4, 4, 8, 0, 300) + table256 + table256 + QByteArray(16, 1)), cannot},
        {"colours used 0x10010", BmpOf(InfoHeader(4, 4, 8, 0, 0x10010) + table256 + QByteArray(16, 1)), cannot},
        {"width 0", BmpOf(InfoHeader(0, 4, 24)), cannot},
        {"height 0", BmpOf(InfoHeader(4, 0, 24)), cannot},
        {"negative width", BmpOf(InfoHeader(-4, 4, 24) + QByteArray(64, 0)), tooBig},
        {"RLE8 of 20000 x 20000", BmpOf(InfoHeader(20000, 20000, 8, 1) + table256 + QByteArray("\0\1", 2)), tooBig},
        {"100000 x 100000", InfoBmp(100000, 100000, 24, 0, 0, 12, 1), tooBig},
    };
    for (const Case &c : cases) {
        prompts.messages.clear();
        EXPECT_TRUE(Load(QStringLiteral("bad.bmp"), c.bytes).isNull()) << c.name;
        EXPECT_EQ(prompts.messages, c.messages) << c.name;
    }
    prompts.messages.clear();
    EXPECT_TRUE(LoadImageFile(pngPath).isNull());
    EXPECT_EQ(prompts.messages, cannot);
}

TEST_F(BmpLoading, RunLengthPixelsTheStreamLeavesOutTakeTheFirstColour)
{
    // 8 x 4, colour 0 yellow, 1 blue: two blue pixels on the bottom row, then a jump past the
    // rest of that row and the next one, two more, and the end of the bitmap.
    QByteArray table;
    Append32(table, 0x00FFFF00);
    Append32(table, 0x000000FF);
    const QByteArray stream("\x02\x01\x00\x02\x00\x02\x02\x01\x00\x01", 10);
    const QImage picture = Load(QStringLiteral("rle.bmp"), BmpOf(InfoHeader(8, 4, 8, 1, 2) + table + stream));
    ASSERT_EQ(picture.size(), QSize(8, 4));
    EXPECT_TRUE(prompts.messages.isEmpty());
    const QRgb yellow = qRgb(255, 255, 0), blue = qRgb(0, 0, 255);
    EXPECT_EQ(picture.pixel(0, 3), blue);
    EXPECT_EQ(picture.pixel(1, 3), blue);
    EXPECT_EQ(picture.pixel(4, 3), yellow);
    EXPECT_EQ(picture.pixel(0, 0), yellow);
    EXPECT_EQ(picture.pixel(7, 1), yellow);
}

TEST_F(BmpLoading, NamesAndFileErrors)
{
    // No name, or too short to have an ending: no image, no message.
    EXPECT_TRUE(LoadImageFile(QString()).isNull());
    EXPECT_TRUE(LoadImageFile(QStringLiteral("a.b")).isNull());
    EXPECT_TRUE(prompts.messages.isEmpty());

    EXPECT_TRUE(Load(QStringLiteral("good.jpeg"), InfoBmp(1, 1, 24, 0, 0, 4, 1)).isNull());
    EXPECT_EQ(prompts.messages, QStringList{kCannotLoad});

    // File errors come with the exclamation icon and the application's title.
    prompts.messages.clear();
    prompts.messageIcons.clear();
    const QString missing = dir.filePath(QStringLiteral("absent.bmp"));
    EXPECT_TRUE(LoadImageFile(missing).isNull());
    EXPECT_EQ(prompts.messages, QStringList{missing + QStringLiteral(" est introuvable.")});
    EXPECT_EQ(prompts.messageCaptions.last(), QStringLiteral("Genérateur de Tamvel"));
    EXPECT_EQ(prompts.messageIcons, QList<platform::MessageIcon>{platform::MessageIcon::Exclamation});

    // A folder, or a FIFO that would block the window forever: refused at once.
    const QString folder = dir.filePath(QStringLiteral("folder.bmp"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString fifo = dir.filePath(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString &path : {folder, fifo}) {
        prompts.messages.clear();
        EXPECT_TRUE(LoadImageFile(path).isNull());
        EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("L'accès à %1 a été refusé.").arg(path)});
    }

    // A missing JPEG file says nothing.
    prompts.messages.clear();
    EXPECT_TRUE(LoadImageFile(dir.filePath(QStringLiteral("absent.jpg"))).isNull());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

} // namespace
