#include "images/dib_painter.h"
#include "images/image_loader.h"
#include "images/jpeg_decoder.h"

#include "images/image_files.h"
#include "support/scripted_prompts.h"

#include <QBuffer>
#include <QImage>

#include <cstdio>

#include <gtest/gtest.h>
#include <jpeglib.h>

namespace {

const QString kCaption = QStringLiteral("JPEG Library Error");

QByteArray QtJpeg(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPG", 100);
    return bytes;
}

// A 4-component file, which Qt does not write.
QByteArray CmykJpeg()
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = 2;
    cinfo.image_height = 2;
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    unsigned char row[8] = {10, 20, 30, 40, 50, 60, 70, 80};
    JSAMPROW rows[1] = {row};
    while (cinfo.next_scanline < cinfo.image_height)
        jpeg_write_scanlines(&cinfo, rows, 1);
    jpeg_finish_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char *>(out), static_cast<qsizetype>(size));
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

class JpegDecoding : public ::testing::Test
{
protected:
    DibImage Decode(const QByteArray &bytes)
    {
        const QString path = WriteFile(dir, QStringLiteral("photo.jpg"), bytes);
        std::FILE *file = std::fopen(path.toLocal8Bit().constData(), "rb");
        EXPECT_NE(file, nullptr);
        const DibImage image = DecodeJpegFile(file);
        std::fclose(file);
        return image;
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
};

TEST_F(JpegDecoding, ColourFileBecomesBottomUpTwentyFourBitBlock)
{
    // Chroma is subsampled: the rows differ in brightness only, the colour is checked alone.
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(250, 250, 250)); // top row white
    for (int x = 0; x < 3; ++x)
        picture.setPixel(x, 1, qRgb(5, 5, 5)); // bottom row black
    const DibImage image = Decode(QtJpeg(picture));
    EXPECT_TRUE(prompts.messages.isEmpty());
    ASSERT_EQ(image.Block().size(), 78u);
    const auto &b = image.Block();
    EXPECT_EQ(Read32(b, 0), 40u);
    EXPECT_EQ(Read32(b, 4), 3u);
    EXPECT_EQ(Read32(b, 8), 2u);
    EXPECT_EQ(b[14], 24);
    EXPECT_EQ(Read32(b, 32), 0u);
    // First stored row: the bottom picture row; 9 data bytes, then three pad bytes.
    EXPECT_LT(b[40], 60);
    EXPECT_EQ(b[49], 0);
    EXPECT_EQ(b[50], 0);
    EXPECT_EQ(b[51], 0);
    EXPECT_GT(b[52], 200);
    const QImage back = ToQImage(image);
    ASSERT_EQ(back.size(), QSize(3, 2));
    EXPECT_GT(qGray(back.pixel(0, 0)), 200);
    EXPECT_LT(qGray(back.pixel(0, 1)), 60);

    QImage orange(3, 2, QImage::Format_RGB32);
    orange.fill(qRgb(240, 120, 10));
    const DibImage coloured = Decode(QtJpeg(orange));
    ASSERT_EQ(coloured.Block().size(), 78u);
    EXPECT_NEAR(coloured.Block()[40], 10, 12); // blue
    EXPECT_NEAR(coloured.Block()[41], 120, 12);
    EXPECT_NEAR(coloured.Block()[42], 240, 12); // red
}

TEST_F(JpegDecoding, GreyFileGetsAGreyRamp)
{
    QImage picture(5, 1, QImage::Format_Grayscale8);
    picture.fill(128);
    const DibImage image = Decode(QtJpeg(picture));
    ASSERT_FALSE(image.IsEmpty());
    const auto &b = image.Block();
    EXPECT_EQ(b[14], 8);
    EXPECT_EQ(Read32(b, 32), 256u);
    EXPECT_EQ(b.size(), 14u + 40 + 1024 + 8);
    EXPECT_EQ(Read32(b, 40 + 4 * 200), 0x00C8C8C8u);
    EXPECT_NEAR(b[40 + 1024 + 4], 128, 3);
    EXPECT_EQ(b[40 + 1024 + 5], 0);
}

TEST_F(JpegDecoding, CommentAndApp12SegmentsChangeNothing)
{
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(qRgb(30, 140, 60));
    const QByteArray plain = QtJpeg(picture);
    QByteArray marked = plain.left(2);
    marked += QByteArray("\xFF\xFE\x00\x07hello", 9);
    marked += QByteArray("\xFF\xEC\x00\x06\x01\x02\x03\x04", 8);
    marked += plain.mid(2);
    const DibImage expected = Decode(plain);
    const DibImage image = Decode(marked);
    EXPECT_TRUE(prompts.messages.isEmpty());
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(image.Block(), expected.Block());
}

TEST_F(JpegDecoding, FailuresShowOneBoxAndGiveNoImage)
{
    QImage picture(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            picture.setPixel(x, y, qRgb(x * 4, y * 4, (x * y) % 256));
    const QByteArray good = QtJpeg(picture);

    struct Case {
        QByteArray bytes;
        QString message;
    };
    const Case cases[] = {
        {CmykJpeg(), QStringLiteral("BMP output must be grayscale or RGB")},
        {good.left(good.size() / 2), QStringLiteral("Premature end of JPEG file")},
        {QByteArray("GIF89a and more"), QStringLiteral("Not a JPEG file: starts with 0x47 0x49")},
        {QByteArray(), QStringLiteral("Empty input file")},
    };
    for (const Case &c : cases) {
        prompts.messages.clear();
        prompts.messageCaptions.clear();
        EXPECT_TRUE(Decode(c.bytes).IsEmpty()) << c.message.toStdString();
        EXPECT_EQ(prompts.messages, QStringList{c.message});
        EXPECT_EQ(prompts.messageCaptions, QStringList{kCaption});
    }
}

TEST_F(JpegDecoding, DotsPerCentimetreBecomePixelsPerMetre)
{
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QByteArray bytes = QtJpeg(picture);
    ASSERT_EQ(bytes.mid(6, 5), QByteArray("JFIF\0", 5));
    bytes[13] = 2;
    bytes[14] = 0;
    bytes[15] = 28;
    bytes[16] = 0;
    bytes[17] = 28;
    const DibImage perCentimetre = Decode(bytes);
    ASSERT_FALSE(perCentimetre.IsEmpty());
    EXPECT_EQ(Read32(perCentimetre.Block(), 24), 2800u);
    EXPECT_EQ(Read32(perCentimetre.Block(), 28), 2800u);
    bytes[13] = 1;
    const DibImage perInch = Decode(bytes);
    EXPECT_EQ(Read32(perInch.Block(), 24), 0u);
    EXPECT_EQ(Read32(perInch.Block(), 28), 0u);
}

TEST_F(JpegDecoding, LoaderTakesJpgInAnyCaseAndLeavesMessagesToTheDecoder)
{
    QImage picture(6, 4, QImage::Format_RGB32);
    picture.fill(Qt::green);
    const QString path = WriteFile(dir, QStringLiteral("Photo.JPG"), QtJpeg(picture));
    const DibImage image = LoadImageFile(path);
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(SizeOf(image).width, 6);

    const QString broken = WriteFile(dir, QStringLiteral("broken.jpg"), QByteArray("not a jpeg at all"));
    EXPECT_TRUE(LoadImageFile(broken).IsEmpty());
    EXPECT_EQ(prompts.messageCaptions, QStringList{kCaption});
}

} // namespace
