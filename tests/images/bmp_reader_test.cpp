#include "images/dib_file.h"
#include "images/dib_painter.h"
#include "images/image_loader.h"

#include "images/image_files.h"
#include "support/scripted_prompts.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

namespace {

const QString kCannotLoad = QStringLiteral("Ne peut pas charger DIB");
const QString kTooBig = QStringLiteral("DIB est trop grand");

class BmpLoading : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    ScriptedPrompts prompts;
};

TEST_F(BmpLoading, BitmapSavedByQtLoadsWithItsPixels)
{
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 255, 0));
    picture.setPixel(2, 0, qRgb(0, 0, 255));
    picture.setPixel(0, 1, qRgb(10, 20, 30));
    picture.setPixel(1, 1, qRgb(200, 100, 50));
    picture.setPixel(2, 1, qRgb(255, 255, 255));
    const QString path = dir.filePath(QStringLiteral("photo.Bmp"));
    ASSERT_TRUE(picture.save(path, "BMP"));

    const DibImage image = LoadImageFile(path);
    EXPECT_TRUE(prompts.messages.isEmpty());
    ASSERT_FALSE(image.IsEmpty());
    // The block is as long as the file; the file header is not in it.
    EXPECT_EQ(image.Block().size(), static_cast<std::size_t>(QFileInfo(path).size()));
    EXPECT_EQ(Read32(image.Block(), 0), 40u);
    EXPECT_EQ(SizeOf(image).width, 3);
    EXPECT_EQ(SizeOf(image).height, 2);
    const QImage back = ToQImage(image);
    ASSERT_EQ(back.size(), picture.size());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(back.pixel(x, y) & 0xFFFFFF, picture.pixel(x, y) & 0xFFFFFF) << x << "," << y;
}

// Most programs write the 124-byte header of later Windows versions; it begins like the info header.
TEST_F(BmpLoading, LongerHeadersAreReadLikeTheInfoHeader)
{
    QByteArray file = InfoBmp(300, 2, 24, 0, 0, 900, 2, '\x40');
    QByteArray longer = file.left(14) + file.mid(14, 40) + QByteArray(84, '\0') + file.mid(14 + 40);
    longer[14] = char(124);
    longer[10] = char(14 + 124); // pixels start after the longer header
    longer[2] = char((longer.size()) & 0xFF);
    longer[3] = char((longer.size() >> 8) & 0xFF);
    const DibImage image = LoadImageFile(WriteFile(dir, QStringLiteral("v5.bmp"), longer));
    EXPECT_TRUE(prompts.messages.isEmpty());
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(SizeOf(image).width, 300);
    EXPECT_EQ(SizeOf(image).height, 2);
    const QImage back = ToQImage(image);
    ASSERT_EQ(back.size(), QSize(300, 2));
    EXPECT_EQ(back.pixel(299, 1) & 0xFFFFFF, 0x404040u);
}

TEST_F(BmpLoading, ColourTableFollowsColoursUsedOrBitsPerPixel)
{
    // 8 bits, colours used 0: 256 entries; the pixel index 5 is grey 5.
    const DibImage full = LoadImageFile(WriteFile(dir, QStringLiteral("a.bmp"), InfoBmp(2, 2, 8, 0, 256, 4, 2, 5)));
    ASSERT_FALSE(full.IsEmpty());
    EXPECT_EQ(DibColourCount(full.Block()), 256u);
    EXPECT_EQ(ToQImage(full).pixel(1, 1) & 0xFFFFFF, 0x050505u);

    // Colours used 16: the pixels start 40 + 64 bytes in.
    const DibImage sixteen = LoadImageFile(WriteFile(dir, QStringLiteral("b.dib"), InfoBmp(2, 2, 8, 16, 16, 4, 2, 7)));
    ASSERT_FALSE(sixteen.IsEmpty());
    EXPECT_EQ(DibColourTableSize(sixteen.Block()), 64u);
    EXPECT_EQ(sixteen.Block()[40 + 64], 7);
    EXPECT_EQ(ToQImage(sixteen).pixel(0, 0) & 0xFFFFFF, 0x070707u);

    // Colours used 65536 keeps only its low 16 bits: no table.
    const DibImage wrapped = LoadImageFile(WriteFile(dir, QStringLiteral("c.bmp"), InfoBmp(1, 1, 24, 65536, 0, 4, 1)));
    ASSERT_FALSE(wrapped.IsEmpty());
    EXPECT_EQ(DibColourCount(wrapped.Block()), 0u);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(BmpLoading, CoreHeaderWithThreeByteColourTable)
{
    QByteArray file("BM");
    Append32(file, 14 + 12 + 768 + 8);
    Append32(file, 0);
    Append32(file, 14 + 12 + 768);
    Append32(file, 12);
    Append16(file, 2);
    Append16(file, 2);
    Append16(file, 1);
    Append16(file, 8);
    for (int i = 0; i < 256; ++i) {
        file.append(static_cast<char>(i)); // blue
        file.append(static_cast<char>(0));
        file.append(static_cast<char>(255 - i)); // red
    }
    file.append(QByteArray("\x01\x02\0\0\x03\x04\0\0", 8));
    const DibImage image = LoadImageFile(WriteFile(dir, QStringLiteral("core.bmp"), file));
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(DibColourTableSize(image.Block()), 768u);
    EXPECT_EQ(SizeOf(image).width, 2);
    const QImage back = ToQImage(image);
    ASSERT_FALSE(back.isNull());
    // Bottom row first: the top-left pixel is index 3.
    EXPECT_EQ(back.pixel(0, 0) & 0xFFFFFF, qRgb(252, 0, 3) & 0xFFFFFFu);
    EXPECT_EQ(back.pixel(1, 1) & 0xFFFFFF, qRgb(253, 0, 2) & 0xFFFFFFu);
}

TEST_F(BmpLoading, FilesThatAreNoCompleteBitmapAreRefused)
{
    const QByteArray good = InfoBmp(4, 4, 24, 0, 0, 12, 4);
    QImage png(2, 2, QImage::Format_RGB32);
    png.fill(Qt::red);
    const QString pngPath = dir.filePath(QStringLiteral("fake.bmp"));
    ASSERT_TRUE(png.save(pngPath, "PNG"));

    QByteArray hugeHeader = good;
    hugeHeader[14] = char(0xFF); // header size 0xFFFFFFFF
    hugeHeader[15] = char(0xFF);
    hugeHeader[16] = char(0xFF);
    hugeHeader[17] = char(0xFF);
    const QStringList paths{
        WriteFile(dir, QStringLiteral("short.bmp"), good.left(10)),
        WriteFile(dir, QStringLiteral("headeronly.bmp"), good.left(14)),
        WriteFile(dir, QStringLiteral("halfheader.bmp"), good.left(30)),
        WriteFile(dir, QStringLiteral("truncated.bmp"), good.left(good.size() - 5)),
        WriteFile(dir, QStringLiteral("garbage.bmp"), QByteArray(200, 'x')),
        WriteFile(dir, QStringLiteral("huge.bmp"), InfoBmp(100000, 100000, 24, 0, 0, 12, 1)),
        WriteFile(dir, QStringLiteral("table.bmp"), InfoBmp(1, 1, 8, 60000, 2, 4, 1)),
        WriteFile(dir, QStringLiteral("hugeheader.bmp"), hugeHeader),
        pngPath,
    };
    for (const QString &path : paths) {
        prompts.messages.clear();
        EXPECT_TRUE(LoadImageFile(path).IsEmpty()) << path.toStdString();
        EXPECT_EQ(prompts.messages, QStringList{kCannotLoad}) << path.toStdString();
    }
}

TEST_F(BmpLoading, NegativeSizesAreTooBig)
{
    const DibImage image = LoadImageFile(WriteFile(dir, QStringLiteral("topdown.bmp"), InfoBmp(2, -2, 24, 0, 0, 8, 2)));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(prompts.messages, (QStringList{kTooBig, kCannotLoad}));
}

TEST_F(BmpLoading, NamesAndFileErrors)
{
    // No name, or too short to have an ending: no image, no message.
    EXPECT_TRUE(LoadImageFile(QString()).IsEmpty());
    EXPECT_TRUE(LoadImageFile(QStringLiteral("a.b")).IsEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());

    const QString good = WriteFile(dir, QStringLiteral("good.jpeg"), InfoBmp(1, 1, 24, 0, 0, 4, 1));
    EXPECT_TRUE(LoadImageFile(good).IsEmpty());
    EXPECT_EQ(prompts.messages, QStringList{kCannotLoad});

    prompts.messages.clear();
    prompts.messageCaptions.clear();
    const QString missing = dir.filePath(QStringLiteral("absent.bmp"));
    EXPECT_TRUE(LoadImageFile(missing).IsEmpty());
    EXPECT_EQ(prompts.messages, QStringList{missing + QStringLiteral(" est introuvable.")});
    EXPECT_EQ(prompts.messageCaptions, QStringList{QStringLiteral("Genérateur de Tamvel")});

    // A folder opens but cannot be read: the read error is reported, not a bad bitmap.
    prompts.messages.clear();
    const QString folder = dir.filePath(QStringLiteral("folder.bmp"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_TRUE(LoadImageFile(folder).IsEmpty());
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("L'accès à %1 a été refusé.").arg(folder)});

    // A missing JPEG file says nothing.
    prompts.messages.clear();
    EXPECT_TRUE(LoadImageFile(dir.filePath(QStringLiteral("absent.jpg"))).IsEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST(DibPainter, RefusesBlocksShorterThanTheirHeader)
{
    EXPECT_TRUE(ToQImage(DibImage(std::vector<std::uint8_t>{40, 0, 0, 0, 1, 0})).isNull());
    EXPECT_TRUE(ToQImage(DibImage(std::vector<std::uint8_t>(20, 0xFF))).isNull());
}

} // namespace
