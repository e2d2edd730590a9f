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
    return 0;
}
