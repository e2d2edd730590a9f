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

QByteArray QtJpeg(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPG", 100);
    return bytes;
}

// A 4-component file, which Qt does not write: 16 x 8 pixels, the left half `left` and the right
// half `right` (inks, 0 = none), stored inverted as Photoshop does, with Adobe's marker.
QByteArray InkJpeg(J_COLOR_SPACE space, const unsigned char (&left)[4], const unsigned char (&right)[4])
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = 16;
    cinfo.image_height = 8;
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, space);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    unsigned char row[16 * 4];
    for (int x = 0; x < 16; ++x)
        for (int c = 0; c < 4; ++c)
            row[x * 4 + c] = static_cast<unsigned char>(255 - (x < 8 ? left : right)[c]);
    JSAMPROW rows[1] = {row};
    while (cinfo.next_scanline < cinfo.image_height)
        jpeg_write_scanlines(&cinfo, rows, 1);
    jpeg_finish_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char *>(out), static_cast<qsizetype>(size));
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

QByteArray Segment(int marker, const QByteArray &payload)
{
    return QByteArray(1, '\xFF') + char(marker) + char((payload.size() + 2) >> 8) + char(payload.size() + 2) + payload;
}

// A progressive grey 64 x 64 file of `scans` empty scans.
QByteArray ManyScanJpeg(int scans)
{
    const QByteArray quant = Segment(0xDB, QByteArray(1, 0) + QByteArray(64, 2));
    const QByteArray frame = Segment(0xC2, QByteArray("\x08\x00\x40\x00\x40\x01\x01\x11\x00", 9));
    const QByteArray huffman = Segment(0xC4, QByteArray("\x00\x00\x01\x05\x01\x01\x01\x01\x01\x01\x00\x00\x00\x00\x00"
                                                        "\x00\x00\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B",
                                                        29));
    const QByteArray scan = Segment(0xDA, QByteArray("\x01\x01\x00\x00\x00\x00", 6));
    return QByteArray("\xFF\xD8", 2) + quant + frame + huffman + scan.repeated(scans) + QByteArray("\xFF\xD9", 2);
}

// The same file with an EXIF segment saying how the camera was held.
QByteArray WithOrientation(const QByteArray &jpeg, int orientation)
{
    QByteArray tiff("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 24);
    tiff += char(orientation);
    tiff += QByteArray(7, '\0');
    return jpeg.left(2) + Segment(0xE1, tiff) + jpeg.mid(2);
}

class JpegDecoding : public ::testing::Test
{
protected:
    JpegDecode Decode(const QByteArray &bytes, std::stop_token stop = {})
    {
        const QString path = WriteFile(dir, QStringLiteral("photo.jpg"), bytes);
        std::FILE *file = std::fopen(path.toLocal8Bit().constData(), "rb");
        EXPECT_NE(file, nullptr);
        JpegDecode decoded = DecodeJpegFile(file, photo_limits::kLargestFrame, std::move(stop), path);
        std::fclose(file);
        return decoded;
    }

    QTemporaryDir dir;
};

TEST_F(JpegDecoding, ColourAndGreyFilesGiveTheirPixels)
{
    // Chroma is subsampled: the rows differ in brightness only, the colour is checked alone.
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(250, 250, 250));
    for (int x = 0; x < 3; ++x)
        picture.setPixel(x, 1, qRgb(5, 5, 5));
    const JpegDecode decoded = Decode(QtJpeg(picture));
    EXPECT_TRUE(decoded.messages.empty());
    ASSERT_EQ(decoded.image.size(), QSize(3, 2));
    EXPECT_GT(qGray(decoded.image.pixel(0, 0)), 200);
    EXPECT_LT(qGray(decoded.image.pixel(2, 1)), 60);

    QImage orange(3, 2, QImage::Format_RGB32);
    orange.fill(qRgb(240, 120, 10));
    const QRgb pixel = Decode(QtJpeg(orange)).image.pixel(1, 1);
    EXPECT_NEAR(qRed(pixel), 240, 12);
    EXPECT_NEAR(qGreen(pixel), 120, 12);
    EXPECT_NEAR(qBlue(pixel), 10, 12);

    QImage grey(5, 1, QImage::Format_Grayscale8);
    grey.fill(128);
    const QRgb greyPixel = Decode(QtJpeg(grey)).image.pixel(4, 0);
    EXPECT_NEAR(qRed(greyPixel), 128, 3);
    EXPECT_EQ(qRed(greyPixel), qBlue(greyPixel));

    // CMYK and YCCK files, inverted as Photoshop writes them: magenta and yellow make red, black
    // ink dark.
    for (const J_COLOR_SPACE space : {JCS_CMYK, JCS_YCCK}) {
        const JpegDecode inks = Decode(InkJpeg(space, {0, 255, 255, 0}, {0, 0, 0, 255}));
        EXPECT_TRUE(inks.messages.empty()) << space;
        ASSERT_EQ(inks.image.size(), QSize(16, 8)) << space;
        const QRgb red = inks.image.pixel(2, 4);
        EXPECT_GT(qRed(red), 180) << space;
        EXPECT_LT(qGreen(red), 90) << space;
        EXPECT_LT(qBlue(red), 90) << space;
        EXPECT_LT(qGray(inks.image.pixel(13, 4)), 70) << space;
    }
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
    const JpegDecode decoded = Decode(marked);
    EXPECT_TRUE(decoded.messages.empty());
    EXPECT_EQ(decoded.image, Decode(plain).image);
}

TEST_F(JpegDecoding, FailuresSayWhyInOneBoxAndGiveNoImage)
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
    // Said in French, naming the file, whatever the library's own words.
    QByteArray badLength = good;
    badLength[5] = 1; // the first segment's length, under its own two bytes
    const Case cases[] = {
        {good.left(good.size() / 2), QStringLiteral("est incomplète")},
        {badLength, QStringLiteral("est endommagée")},
        {QByteArray("GIF89a and more"), QStringLiteral("n'est pas une photo JPEG")},
        {QByteArray(), QStringLiteral("est incomplète")},
    };
    for (const Case &c : cases) {
        const JpegDecode decoded = Decode(c.bytes);
        EXPECT_TRUE(decoded.image.isNull()) << c.message.toStdString();
        ASSERT_EQ(decoded.messages.size(), 1u) << c.message.toStdString();
        EXPECT_TRUE(decoded.messages[0].text.contains(c.message)) << decoded.messages[0].text.toStdString();
        EXPECT_TRUE(decoded.messages[0].text.contains(dir.filePath(QStringLiteral("photo.jpg"))));
        EXPECT_EQ(decoded.messages[0].icon, platform::MessageIcon::Error);
    }

    // Hundreds of empty progressive scans are stopped, not walked one by one.
    const JpegDecode scans = Decode(ManyScanJpeg(600));
    EXPECT_TRUE(scans.image.isNull());
    ASSERT_FALSE(scans.messages.empty());
    EXPECT_TRUE(scans.messages.back().text.contains(QStringLiteral("trop de passes progressives (plus de 500)")));

    // A photo nobody waits for any more is left without a word.
    std::stop_source stop;
    stop.request_stop();
    const JpegDecode stopped = Decode(good, stop.get_token());
    EXPECT_TRUE(stopped.image.isNull());
    EXPECT_TRUE(stopped.messages.empty());
}

TEST_F(JpegDecoding, TheCamerasOrientationIsShownUpright)
{
    // Stored 32 x 16 with its top-left quarter red, the rest blue.
    QImage stored(32, 16, QImage::Format_RGB32);
    stored.fill(Qt::blue);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            stored.setPixel(x, y, qRgb(255, 0, 0));
    const QByteArray plain = QtJpeg(stored);
    struct Case {
        int orientation;
        QSize size;
        QPoint red; // the middle of the red quarter, upright
    };
    for (const Case &c : {Case{1, {32, 16}, {8, 4}}, Case{3, {32, 16}, {24, 12}}, Case{6, {16, 32}, {12, 8}},
                          Case{8, {16, 32}, {4, 24}}}) {
        const JpegDecode decoded = Decode(WithOrientation(plain, c.orientation));
        ASSERT_EQ(decoded.image.size(), c.size) << c.orientation;
        EXPECT_GT(qRed(decoded.image.pixel(c.red)), 200) << c.orientation;
        const QPoint opposite(c.size.width() - 1 - c.red.x(), c.size.height() - 1 - c.red.y());
        EXPECT_LT(qRed(decoded.image.pixel(opposite)), 60) << c.orientation;
    }
}

TEST(JpegScale, LargePhotosAreReducedKeepingThreeHundredPpiInTheLargestFrame)
{
    EXPECT_EQ(JpegScaleEighths(6000, 4000, false), 4); // 3000 x 2000 covers 2363 x 1441
    // Shown 4000 wide, 5/8 would do: the library's next fast scale, full size, is quicker.
    EXPECT_EQ(JpegScaleEighths(6000, 4000, true), 8);
    EXPECT_EQ(JpegScaleEighths(3000, 2000, false), 8);  // rather than 7/8
    EXPECT_EQ(JpegScaleEighths(21000, 2000, false), 6); // full size would be more than 40 MP
    EXPECT_EQ(JpegScaleEighths(2400, 1500, false), 8);
    EXPECT_EQ(JpegScaleEighths(1000, 700, false), 8);
    EXPECT_EQ(JpegScaleEighths(65500, 65500, false), 1);
}

TEST(JpegLoading, LoaderTakesJpgInAnyCaseAndShowsTheDecodersBox)
{
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    QImage picture(6, 4, QImage::Format_RGB32);
    picture.fill(Qt::green);
    EXPECT_EQ(LoadImageFile(WriteFile(dir, QStringLiteral("Photo.JPG"), QtJpeg(picture))).size(), QSize(6, 4));
    EXPECT_TRUE(prompts.messages.isEmpty());

    EXPECT_TRUE(LoadImageFile(WriteFile(dir, QStringLiteral("broken.jpg"), QByteArray("not a jpeg"))).isNull());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("broken.jpg"))) << prompts.messages[0].toStdString();
}

} // namespace
