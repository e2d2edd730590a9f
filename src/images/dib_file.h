#pragma once

#include "images/dib_image.h"

#include <cstdint>

// Reads a BMP or DIB file from an open file descriptor: the file header is checked for "BM",
// then the rest of the file becomes the block, which is allocated at the file's whole length
// (the surplus 14 bytes stay zero). Returns an empty image when the file is shorter than its
// file header, is not a bitmap, is too short for the header, colour table and rows it
// describes, or cannot be held in memory. A read error of the file itself is returned in
// `readError` (an errno value, 0 when none) with an empty image.
DibImage ReadBmpFile(int fd, int &readError);

// True when the first `contentSize` bytes of the block hold a whole header (info or core form),
// its colour table and, for an uncompressed image, every pixel row its header describes.
bool DibBlockIsComplete(const std::vector<std::uint8_t> &block, std::size_t contentSize);

// The check every freshly loaded image passes: a width or height that is negative as a signed
// number empties the image and says "DIB est trop grand".
void PrepareImage(DibImage &image);

// A little-endian field of the block; 0 when it runs past the block's end.
std::uint32_t DibU32(const std::vector<std::uint8_t> &block, std::size_t at);
std::uint16_t DibU16(const std::vector<std::uint8_t> &block, std::size_t at);
// True for the info header and the longer ones that begin like it; false for the core header.
bool DibHasInfoLayout(const std::vector<std::uint8_t> &block);

// Fields of the block's header, by the rules of the info and core forms.
std::uint32_t DibHeaderSize(const std::vector<std::uint8_t> &block);
std::uint32_t DibColourCount(const std::vector<std::uint8_t> &block);
std::uint32_t DibColourTableSize(const std::vector<std::uint8_t> &block);
