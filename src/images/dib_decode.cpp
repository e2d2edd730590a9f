#include "images/dib_decode.h"

#include "images/dib_file.h"

#include <QIODevice>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr qint64 kRebuiltHeaderSize = 14;

// The block behind the 14-byte file header Qt's reader expects, without copying the block.
// The header says the pixels start where the block's own header and table end.
class BmpFileDevice : public QIODevice
{
public:
    explicit BmpFileDevice(const std::vector<std::uint8_t> &block) : block_(block)
    {
        const auto total = static_cast<std::uint32_t>(kRebuiltHeaderSize + static_cast<qint64>(block.size()));
        const auto pixels = static_cast<std::uint32_t>(kRebuiltHeaderSize + static_cast<qint64>(DibPixelOffset(block)));
        header_[0] = 'B';
        header_[1] = 'M';
        for (int k = 0; k < 4; ++k) {
            header_[2 + k] = static_cast<char>(total >> (8 * k));
            header_[10 + k] = static_cast<char>(pixels >> (8 * k));
        }
        open(QIODevice::ReadOnly);
    }

    qint64 size() const override { return kRebuiltHeaderSize + static_cast<qint64>(block_.size()); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        qint64 at = pos();
        qint64 done = 0;
        while (done < maxSize && at < size()) {
            qint64 count = 0;
            if (at < kRebuiltHeaderSize) {
                count = std::min(maxSize - done, kRebuiltHeaderSize - at);
                std::memcpy(data + done, header_ + at, static_cast<std::size_t>(count));
            } else {
                count = std::min(maxSize - done, size() - at);
                std::memcpy(data + done, block_.data() + (at - kRebuiltHeaderSize), static_cast<std::size_t>(count));
            }
            done += count;
            at += count;
        }
        return done;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    const std::vector<std::uint8_t> &block_;
    char header_[kRebuiltHeaderSize] = {};
};

} // namespace

QImage DibToImage(const DibImage &image)
{
    const auto &block = image.Block();
    if (CheckDib(block) != DibVerdict::Drawable)
        return {};
    BmpFileDevice device(block);
    QImageReader reader(&device, "bmp");
    QImage picture;
    const std::uint32_t compression = DibCompression(block);
    if (compression == 1 || compression == 2) {
        // The reader draws into an image of the right size and format when handed one: a run-length
        // stream that skips pixels, or stops early, leaves them in the table's first colour rather
        // than in whatever memory held.
        const bool info = DibHasInfoLayout(block);
        const int width = info ? static_cast<std::int32_t>(DibU32(block, 4)) : DibU16(block, 4);
        const int height = std::abs(info ? static_cast<std::int32_t>(DibU32(block, 8)) : DibU16(block, 6));
        picture = QImage(width, height, QImage::Format_Indexed8);
        if (picture.isNull())
            return {};
        picture.fill(0);
    }
    if (!reader.read(&picture))
        return {};
    return picture;
}
