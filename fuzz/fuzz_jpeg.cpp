// Bytes of a file named *.jpg, through the decoder to the upright picture.
#include "images/jpeg_decoder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::FILE *file = fmemopen(const_cast<std::uint8_t *>(data), size, "rb");
    if (file == nullptr)
        return 0;
    const JpegDecode decoded = DecodeJpegFile(file);
    std::fclose(file);
    if (decoded.image.isNull() && decoded.messages.empty() && !decoded.tooLarge && size > 0)
        std::abort();
    return 0;
}
