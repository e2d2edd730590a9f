#pragma once

#include "images/dib_image.h"

#include <cstdint>

// Reads a BMP or DIB file from an open file descriptor: the file header is checked for "BM",
// then the rest of the file becomes the block. Returns an empty image when the file is shorter
// than its file header, is not a bitmap or cannot be held in memory. A read error of the file
// itself is returned in `readError` (an errno value, 0 when none) with an empty image.
DibImage ReadBmpFile(int fd, int &readError);

// The block of a whole BMP file held in memory: what ReadBmpFile makes of the same bytes.
DibImage DibFromFileBytes(const std::uint8_t *data, std::size_t size);

// What the header of a block allows.
enum class DibVerdict {
    Drawable,    // a header, colour table and rows that a bitmap may hold, all present
    NotDrawable, // "Ne peut pas charger DIB"
    TooLarge,    // "DIB est trop grand": a negative width, or more pixels than a slot holds
};
DibVerdict CheckDib(const std::vector<std::uint8_t> &block);

// A little-endian field of the block; 0 when it runs past the block's end.
std::uint32_t DibU32(const std::vector<std::uint8_t> &block, std::size_t at);
std::uint16_t DibU16(const std::vector<std::uint8_t> &block, std::size_t at);
// True for the info header and the longer ones that begin like it; false for the core header.
bool DibHasInfoLayout(const std::vector<std::uint8_t> &block);

// Fields of the block's header, by the rules of the info and core forms.
std::uint32_t DibHeaderSize(const std::vector<std::uint8_t> &block);
std::uint32_t DibCompression(const std::vector<std::uint8_t> &block);
std::uint32_t DibColourCount(const std::vector<std::uint8_t> &block);
std::uint32_t DibColourTableSize(const std::vector<std::uint8_t> &block);
// Where the pixel rows start: after the header and the colour table, or after the three masks
// that follow an info header with bit-field compression.
std::uint64_t DibPixelOffset(const std::vector<std::uint8_t> &block);
