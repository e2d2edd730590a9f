// Bytes of a file named *.bmp: the block the reader makes of them, then the paintable picture.
#include "images/dib_file.h"
#include "images/image_loader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const PhotoLoad load = PhotoFromBitmap(DibFromFileBytes(data, size));
    // A picture or a reason, never neither.
    if (load.image.isNull() == load.messages.empty())
        std::abort();
    // Every pixel is read, so that one nobody wrote shows under the sanitizers.
    std::uint64_t sum = 0;
    for (int y = 0; y < load.image.height(); ++y)
        for (int x = 0; x < load.image.width(); ++x)
            sum += load.image.pixel(x, y);
    return sum == 1 ? 0 : 0;
}
