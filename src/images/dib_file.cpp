#include "images/dib_file.h"

#include "images/image_messages.h"
#include "platform/user_prompts.h"

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

bool DibBlockIsComplete(const std::vector<std::uint8_t> &block, std::size_t contentSize)
{
    if (contentSize < 4 || contentSize > block.size())
        return false;
    const std::uint64_t headerSize = DibHeaderSize(block);
    // Any header is read through the core layout at least.
    if (headerSize < kCoreHeaderSize || headerSize > contentSize)
        return false;
    const std::uint64_t pixels = headerSize + DibColourTableSize(block);
    if (pixels > contentSize)
        return false;
    const bool info = DibHasInfoLayout(block);
    // Compressed rows have no size that the header tells.
    if (info && DibU32(block, 16) != 0)
        return true;
    const std::int64_t width = info ? static_cast<std::int32_t>(DibU32(block, 4)) : DibU16(block, 4);
    const std::int64_t height = info ? static_cast<std::int32_t>(DibU32(block, 8)) : DibU16(block, 6);
    const std::uint64_t bits = info ? DibU16(block, 14) : DibU16(block, 10);
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(std::llabs(width)) * bits + 31) / 32 * 4;
    const std::uint64_t rows = static_cast<std::uint64_t>(std::llabs(height));
    const std::uint64_t available = contentSize - pixels;
    return rowBytes == 0 || rows <= available / rowBytes;
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
    if (length < kFileHeaderSize || length > std::numeric_limits<std::uint32_t>::max())
        return {};

    std::vector<std::uint8_t> block;
    try {
        block.resize(static_cast<std::size_t>(length));
    } catch (const std::bad_alloc &) {
        return {};
    }
    const std::size_t wanted = block.size() - kFileHeaderSize;
    const ssize_t got = ReadFully(fd, block.data(), wanted);
    if (got < 0) {
        readError = errno;
        return {};
    }
    if (static_cast<std::size_t>(got) != wanted)
        return {};
    // The block keeps the file's length; only what the header describes is checked.
    if (!DibBlockIsComplete(block, wanted))
        return {};
    return DibImage(std::move(block));
}

void PrepareImage(DibImage &image)
{
    if (image.IsEmpty())
        return;
    const auto &b = image.Block();
    const bool info = DibHasInfoLayout(b);
    const std::uint32_t width = info ? DibU32(b, 4) : DibU16(b, 4);
    const std::uint32_t height = info ? DibU32(b, 8) : DibU16(b, 6);
    constexpr std::uint32_t kLargest = std::numeric_limits<std::int32_t>::max();
    if (width > kLargest || height > kLargest) {
        image.Clear();
        platform::Prompts().Message(nullptr, images::MessageCaption(), QStringLiteral("DIB est trop grand"));
    }
}
