#include "images/image_loader.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

// A 24-megapixel photo (6000 x 4000) written by Qt once per run: smooth gradients with some
// detail, so that it compresses like a photograph rather than like a flat colour.
const QString &PhotoPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        QImage picture(6000, 4000, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                row[x] = qRgb((x / 24 + y / 40) % 256, (y / 16) % 256, ((x ^ y) & 63) + 96);
        }
        const QString file = dir.filePath(QStringLiteral("photo-24mp.jpg"));
        picture.save(file, "JPG", 90);
        return file;
    }();
    return path;
}

// The program's loader: the file to the picture the slot keeps (reduced to what paper needs).
void BM_LoadPhotoFile(benchmark::State &state)
{
    const QString path = PhotoPath();
    for (auto _ : state) {
        const PhotoLoad load = LoadPhotoFile(path);
        benchmark::DoNotOptimize(load.image.constBits());
    }
}

// Plain libjpeg, whole size, into memory: what djpeg does without writing a file.
void BM_PlainLibjpeg(benchmark::State &state)
{
    const QByteArray name = QFile::encodeName(PhotoPath());
    for (auto _ : state) {
        std::FILE *file = std::fopen(name.constData(), "rb");
        jpeg_decompress_struct cinfo{};
        jpeg_error_mgr errors{};
        cinfo.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&cinfo);
        jpeg_stdio_src(&cinfo, file);
        jpeg_read_header(&cinfo, TRUE);
        jpeg_start_decompress(&cinfo);
        const std::size_t rowBytes = std::size_t(cinfo.output_width) * cinfo.output_components;
        std::vector<JSAMPLE> pixels(rowBytes * cinfo.output_height);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels.data() + rowBytes * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        std::fclose(file);
        benchmark::DoNotOptimize(pixels.data());
    }
}

BENCHMARK(BM_LoadPhotoFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainLibjpeg)->Unit(benchmark::kMillisecond);

} // namespace
