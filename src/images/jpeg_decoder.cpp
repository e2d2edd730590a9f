#include "images/jpeg_decoder.h"

#include "platform/user_prompts.h"

#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace {

constexpr int kFirstAddonMessage = 1000;
constexpr int kLastAddonMessage = 1044;
constexpr int kBadColourSpace = 1005;
constexpr int kApp12 = JPEG_APP0 + 12;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// Larger blocks would not be painted anyway; refusing them keeps a forged header from
// asking for gigabytes.
constexpr std::uint64_t kLargestBlock = 1ull << 30;

const char *const *AddonMessages()
{
    static const char *table[kLastAddonMessage - kFirstAddonMessage + 2] = {};
    table[kBadColourSpace - kFirstAddonMessage] = "BMP output must be grayscale or RGB";
    return table;
}

struct ErrorManager {
    jpeg_error_mgr standard; // first, so that the library's pointer is ours
    std::jmp_buf returnPoint;
};

void OutputMessage(j_common_ptr cinfo)
{
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    platform::Prompts().Message(nullptr, QStringLiteral("JPEG Library Error"), QString::fromLocal8Bit(text));
}

// The library calls this from deep inside and it must not return there.
[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    (*cinfo->err->output_message)(cinfo);
    std::longjmp(reinterpret_cast<ErrorManager *>(cinfo->err)->returnPoint, 1);
}

int NextByte(j_decompress_ptr cinfo)
{
    jpeg_source_mgr *source = cinfo->src;
    if (source->bytes_in_buffer == 0 && !(*source->fill_input_buffer)(cinfo))
        return -1;
    --source->bytes_in_buffer;
    return *source->next_input_byte++;
}

// Comments and APP12 segments are skipped unread, without a warning.
boolean SkipSegment(j_decompress_ptr cinfo)
{
    const int high = NextByte(cinfo);
    const int low = NextByte(cinfo);
    if (high < 0 || low < 0)
        return FALSE;
    const long rest = (high << 8 | low) - 2;
    if (rest > 0)
        (*cinfo->src->skip_input_data)(cinfo, rest);
    return TRUE;
}

void Put32(std::uint8_t *at, std::uint32_t value)
{
    for (int k = 0; k < 4; ++k)
        at[k] = static_cast<std::uint8_t>(value >> (8 * k));
}

void Put16(std::uint8_t *at, std::uint16_t value)
{
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

// Where the decoded picture goes; lives outside the frame that the error exit jumps to.
struct Output {
    std::vector<std::uint8_t> block;
    std::size_t pixelStart = 0;
    std::size_t rowWidth = 0;
    bool complete = false;
};

// Sizes the block (header, grey ramp, rows) as the equivalent BMP file and fills its header.
// False when it cannot be held.
bool PrepareOutput(const jpeg_decompress_struct &cinfo, Output &output)
{
    const bool grey = cinfo.out_color_space == JCS_GRAYSCALE;
    const std::uint64_t dataWidth =
        static_cast<std::uint64_t>(cinfo.output_width) * static_cast<std::uint64_t>(cinfo.output_components);
    const std::uint64_t rowWidth = (dataWidth + 3) / 4 * 4;
    const std::uint32_t coloursUsed = grey ? 256 : 0;
    const std::uint64_t total = kFileHeaderSize + kInfoHeaderSize + 4ull * coloursUsed + rowWidth * cinfo.output_height;
    if (total > kLargestBlock)
        return false;
    try {
        output.block.assign(static_cast<std::size_t>(total), 0);
    } catch (const std::bad_alloc &) {
        return false;
    }
    std::uint8_t *header = output.block.data();
    Put32(header, kInfoHeaderSize);
    Put32(header + 4, cinfo.output_width);
    Put32(header + 8, cinfo.output_height);
    Put16(header + 12, 1);
    Put16(header + 14, grey ? 8 : 24);
    // Dots per centimetre become pixels per metre; other units say nothing of the size.
    if (cinfo.density_unit == 2) {
        Put32(header + 24, cinfo.X_density * 100u);
        Put32(header + 28, cinfo.Y_density * 100u);
    }
    Put32(header + 32, coloursUsed);
    for (std::uint32_t i = 0; i < coloursUsed; ++i) {
        std::uint8_t *entry = header + kInfoHeaderSize + 4 * i;
        entry[0] = entry[1] = entry[2] = static_cast<std::uint8_t>(i);
    }
    output.pixelStart = kInfoHeaderSize + 4 * coloursUsed;
    output.rowWidth = static_cast<std::size_t>(rowWidth);
    return true;
}

// Stores decoded row `row` (0 = top) bottom-up, colour pixels as blue, green, red.
void PutRow(const jpeg_decompress_struct &cinfo, JSAMPROW decoded, JDIMENSION row, Output &output)
{
    std::uint8_t *stored = output.block.data() + output.pixelStart + output.rowWidth * (cinfo.output_height - 1 - row);
    if (cinfo.out_color_space == JCS_GRAYSCALE) {
        std::memcpy(stored, decoded, cinfo.output_width);
        return;
    }
    for (JDIMENSION x = 0; x < cinfo.output_width; ++x) {
        stored[3 * x] = decoded[3 * x + 2];
        stored[3 * x + 1] = decoded[3 * x + 1];
        stored[3 * x + 2] = decoded[3 * x];
    }
}

// Holds nothing with a destructor: the error exit jumps back into it from inside the library.
void Decode(std::FILE *file, jpeg_decompress_struct &cinfo, ErrorManager &errors, Output &output)
{
    cinfo.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = ErrorExit;
    errors.standard.output_message = OutputMessage;
    errors.standard.addon_message_table = AddonMessages();
    errors.standard.first_addon_message = kFirstAddonMessage;
    errors.standard.last_addon_message = kLastAddonMessage;
    if (setjmp(errors.returnPoint) != 0)
        return;

    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_set_marker_processor(&cinfo, JPEG_COM, SkipSegment);
    jpeg_set_marker_processor(&cinfo, kApp12, SkipSegment);
    jpeg_read_header(&cinfo, TRUE);

    jpeg_calc_output_dimensions(&cinfo);
    if (cinfo.out_color_space != JCS_GRAYSCALE && cinfo.out_color_space != JCS_RGB) {
        cinfo.err->msg_code = kBadColourSpace;
        ErrorExit(reinterpret_cast<j_common_ptr>(&cinfo));
    }
    if (!PrepareOutput(cinfo, output))
        return;
    jpeg_start_decompress(&cinfo);
    JSAMPARRAY buffer = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                   static_cast<JDIMENSION>(output.rowWidth), 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        const JDIMENSION row = cinfo.output_scanline;
        if (jpeg_read_scanlines(&cinfo, buffer, 1) != 1)
            break;
        PutRow(cinfo, buffer[0], row, output);
    }
    // Any warning (corrupt or truncated data) drops the picture; the first one was shown.
    output.complete = errors.standard.num_warnings == 0 && cinfo.output_scanline == cinfo.output_height;
    jpeg_finish_decompress(&cinfo);
}

} // namespace

DibImage DecodeJpegFile(std::FILE *file)
{
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    Output output;
    Decode(file, cinfo, errors, output);
    // Releases everything the library holds, whether the decode ended normally or not.
    jpeg_destroy_decompress(&cinfo);
    if (!output.complete)
        return {};
    return DibImage(std::move(output.block));
}
