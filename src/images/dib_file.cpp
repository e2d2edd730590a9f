#include "images/dib_file.h"

#include "images/photo_limits.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <new>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

// Reads until `size` bytes came or the file ends; -1 with errno on a read error.
ssize_t ReadFully(int fd, std::uint8_t *into, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = read(fd, into + done, size - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

bool IsBitmapDepth(std::uint32_t bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

std::uint32_t DibU32(const std::vector<std::uint8_t> &b, std::size_t at)
{
    return at + 4 <= b.size() ? std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
                                    std::uint32_t(b[at + 3]) << 24
                              : 0;
}

std::uint16_t DibU16(const std::vector<std::uint8_t> &b, std::size_t at)
{
    return at + 2 <= b.size() ? std::uint16_t(b[at] | b[at + 1] << 8) : 0;
}

// The later headers (108 and 124 bytes, as most programs write them today) begin with the 40
// bytes of the info header; reading them through the 12-byte core layout would take the high
// half of the width for the height and show nothing.
bool DibHasInfoLayout(const std::vector<std::uint8_t> &b)
{
    return DibU32(b, 0) >= kInfoHeaderSize;
}

std::uint32_t DibHeaderSize(const std::vector<std::uint8_t> &block)
{
    return DibU32(block, 0);
}

std::uint32_t DibCompression(const std::vector<std::uint8_t> &block)
{
    return DibHasInfoLayout(block) ? DibU32(block, 16) : 0;
}

std::uint32_t DibColourCount(const std::vector<std::uint8_t> &block)
{
    const bool info = DibHasInfoLayout(block);
    if (info && DibU32(block, 32) != 0)
        return DibU32(block, 32) & 0xFFFF;
    switch (info ? DibU16(block, 14) : DibU16(block, 10)) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

std::uint32_t DibColourTableSize(const std::vector<std::uint8_t> &block)
{
    return DibColourCount(block) * (DibHasInfoLayout(block) ? 4 : 3);
}

std::uint64_t DibPixelOffset(const std::vector<std::uint8_t> &block)
{
    const std::uint64_t header = DibHeaderSize(block);
    if (header == kInfoHeaderSize && DibCompression(block) == kBitFields)
        return header + 12;
    return header + DibColourTableSize(block);
}

DibVerdict CheckDib(const std::vector<std::uint8_t> &block)
{
    const std::uint64_t headerSize = DibHeaderSize(block);
    // Any header is read through the core layout at least.
    if (headerSize < kCoreHeaderSize || headerSize > block.size())
        return DibVerdict::NotDrawable;
    const bool info = DibHasInfoLayout(block);
    const std::int64_t width = info ? static_cast<std::int32_t>(DibU32(block, 4)) : DibU16(block, 4);
    // A negative height is a bitmap stored top row first, which is drawn the right way up.
    const std::int64_t height = std::llabs(info ? static_cast<std::int32_t>(DibU32(block, 8)) : DibU16(block, 6));
    const std::uint32_t planes = info ? DibU16(block, 12) : DibU16(block, 8);
    const std::uint32_t bits = info ? DibU16(block, 14) : DibU16(block, 10);
    const std::uint32_t compression = DibCompression(block);
    if (width < 0)
        return DibVerdict::TooLarge;
    if (width == 0 || height == 0 || planes != 1 || !IsBitmapDepth(bits) || compression > kBitFields)
        return DibVerdict::NotDrawable;
    if ((compression == kRle8 && bits != 8) || (compression == kRle4 && bits != 4) ||
        (compression == kBitFields && bits != 16 && bits != 32))
        return DibVerdict::NotDrawable;
    // The table the header announces, and the one a reader of the raw field would expect.
    if (DibColourCount(block) > 256 || (info && bits <= 8 && DibU32(block, 32) > 256))
        return DibVerdict::NotDrawable;
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > photo_limits::kLargestPhotoPixels)
        return DibVerdict::TooLarge;
    const std::uint64_t pixels = DibPixelOffset(block);
    if (pixels > block.size())
        return DibVerdict::NotDrawable;
    // Run-length rows have no size the header tells; pixels their stream leaves out are painted
    // in the table's first colour. Every other row must be there whole.
    if (compression == kRle8 || compression == kRle4)
        return DibVerdict::Drawable;
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    const std::uint64_t available = block.size() - pixels;
    return static_cast<std::uint64_t>(height) <= available / rowBytes ? DibVerdict::Drawable : DibVerdict::NotDrawable;
}

DibImage DibFromFileBytes(const std::uint8_t *data, std::size_t size)
{
    if (size < kFileHeaderSize + 1 || data[0] != 'B' || data[1] != 'M')
        return {};
    return DibImage(std::vector<std::uint8_t>(data + kFileHeaderSize, data + size));
}

DibImage ReadBmpFile(int fd, int &readError)
{
    readError = 0;
    struct stat status {
    };
    if (fstat(fd, &status) != 0) {
        readError = errno;
        return {};
    }
    std::uint8_t fileHeader[kFileHeaderSize];
    const ssize_t headerRead = ReadFully(fd, fileHeader, kFileHeaderSize);
    if (headerRead < 0) {
        readError = errno;
        return {};
    }
    if (static_cast<std::size_t>(headerRead) < kFileHeaderSize || fileHeader[0] != 'B' || fileHeader[1] != 'M')
        return {};
    const auto length = static_cast<std::uint64_t>(status.st_size);
    if (length <= kFileHeaderSize || length > std::numeric_limits<std::uint32_t>::max())
        return {};

    std::vector<std::uint8_t> block;
    try {
        block.resize(static_cast<std::size_t>(length - kFileHeaderSize));
    } catch (const std::bad_alloc &) {
        return {};
    }
    const ssize_t got = ReadFully(fd, block.data(), block.size());
    if (got < 0) {
        readError = errno;
        return {};
    }
    if (static_cast<std::size_t>(got) != block.size())
        return {};
    return DibImage(std::move(block));
}
