#include "images/press_photo.h"

#include "images/press_colour.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <utility>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace {

// Fine enough that the compression cannot be seen in print, which also keeps the file small.
constexpr int kQuality = 95;
// The last photos converted: a batch's two photos and a few more.
constexpr std::size_t kKeptPhotos = 8;

QByteArray Compress(const std::vector<std::uint8_t> &pixels, int width, int height, bool grey)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = grey ? 1 : 4;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, kQuality, TRUE);
    // Plain inks, as the PDF reads them, with no Adobe marker asking for them inverted.
    cinfo.write_Adobe_marker = FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    const std::size_t stride = std::size_t(width) * cinfo.input_components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + stride * cinfo.next_scanline);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char *>(out), static_cast<qsizetype>(size));
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

PressPhoto Convert(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int width = rgb.width(), height = rgb.height();
    PressPhoto photo;
    photo.grey = rgb.allGray();
    std::vector<std::uint8_t> pixels(std::size_t(width) * height * (photo.grey ? 1 : 4));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t *line = rgb.constScanLine(y);
        if (photo.grey) {
            // The grey itself: the press file's DeviceGray prints in black ink alone.
            for (int x = 0; x < width; ++x)
                pixels[std::size_t(y) * width + x] = line[3 * x];
        } else {
            press_colour::RgbToCmyk(line, pixels.data() + std::size_t(y) * width * 4, std::size_t(width));
        }
    }
    photo.jpeg = Compress(pixels, width, height, photo.grey);
    return photo;
}

} // namespace

PressPhoto PressPhotoOf(const QImage &image)
{
    if (image.isNull())
        return {};
    static std::mutex mutex;
    static std::deque<std::pair<qint64, PressPhoto>> kept;
    {
        const std::lock_guard lock(mutex);
        for (const auto &[key, photo] : kept)
            if (key == image.cacheKey())
                return photo;
    }
    PressPhoto photo = Convert(image);
    const std::lock_guard lock(mutex);
    kept.emplace_front(image.cacheKey(), photo);
    if (kept.size() > kKeptPhotos)
        kept.pop_back();
    return photo;
}
