#pragma once

#include <cstdint>
#include <vector>

// A packed device-independent bitmap: header, colour table and pixel rows in one block, as a
// BMP file holds them after its file header. Empty means "no image". It only lives between the
// file and the paintable image made from it.
class DibImage
{
public:
    DibImage() = default;
    explicit DibImage(std::vector<std::uint8_t> block) : block_(std::move(block)) {}

    bool IsEmpty() const { return block_.empty(); }
    const std::vector<std::uint8_t> &Block() const { return block_; }
    void Clear() { block_.clear(); }

private:
    std::vector<std::uint8_t> block_;
};
