#include "images/dib_painter.h"

#include "images/dib_file.h"

#include <QByteArray>

namespace {

// Bytes between the header and the pixels: the colour table, or the three masks of a bit-field
// image, which the BMP reader expects there.
std::uint32_t ColourTableSize(const std::vector<std::uint8_t> &b)
{
    if (DibHeaderSize(b) == 40 && DibU32(b, 16) == 3)
        return 12;
    return DibColourTableSize(b);
}

} // namespace

DibSize SizeOf(const DibImage &image)
{
    const auto &b = image.Block();
    if (b.size() < 12)
        return {};
    if (DibHasInfoLayout(b))
        return {static_cast<int>(DibU32(b, 4)), static_cast<int>(DibU32(b, 8))};
    return {DibU16(b, 4), DibU16(b, 6)};
}

QImage ToQImage(const DibImage &image)
{
    const auto &b = image.Block();
    if (b.size() < 12)
        return {};
    // A BMP file is the packed DIB behind a 14-byte file header that says where the pixels start.
    const std::uint32_t headerSize = DibHeaderSize(b);
    if (headerSize < 12 || headerSize > b.size())
        return {};
    const std::uint64_t pixels = 14ull + headerSize + ColourTableSize(b);
    if (pixels > 14 + b.size())
        return {};
    const std::uint32_t total = 14 + static_cast<std::uint32_t>(b.size());
    QByteArray file;
    file.reserve(static_cast<qsizetype>(total));
    file.append("BM", 2);
    for (std::uint32_t value : {total, 0u, static_cast<std::uint32_t>(pixels)})
        for (int shift = 0; shift < 32; shift += 8)
            file.append(static_cast<char>((value >> shift) & 0xFF));
    file.append(reinterpret_cast<const char *>(b.data()), static_cast<qsizetype>(b.size()));
    return QImage::fromData(file, "BMP");
}

void PaintDibImage(platform::DrawSurface &dc, const platform::Rect &destination, const DibImage &image,
                   const platform::Rect &source)
{
    const QImage picture = ToQImage(image);
    if (picture.isNull())
        return;
    const QRect part(source.left, source.top, source.right - source.left, source.bottom - source.top);
    dc.DrawImage(part == picture.rect() ? picture : picture.copy(part), destination);
}
