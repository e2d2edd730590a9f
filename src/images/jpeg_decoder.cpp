#include "images/jpeg_decoder.h"

#include "images/exif_orientation.h"
#include "images/photo_limits.h"
#include "images/press_colour.h"
#include "platform/application_title.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include <jerror.h>

namespace {

constexpr int kTooManyScans = 1000;
constexpr int kApp12 = JPEG_APP0 + 12;
constexpr int kApp1 = JPEG_APP0 + 1;
constexpr int kRowsPerRead = 16;

// The library's own words are English and technical: the user is told, in French, what is wrong
// with which file. The name is kept out of the sentence's reach: no control character of a file
// name reaches a terminal.
QString SafeName(const QString &name)
{
    QString safe = name;
    for (QChar &c : safe) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0) || (u >= 0x202a && u <= 0x202e) ||
            (u >= 0x2066 && u <= 0x2069))
            c = QLatin1Char('?');
    }
    return safe;
}

QString FrenchMessage(int code, int parameter, const QString &name)
{
    QString text;
    switch (code) {
    case JWRN_JPEG_EOF:
    case JERR_INPUT_EOF:
    case JERR_INPUT_EMPTY:
        text = QStringLiteral("La photo « %1 » est incomplète : le fichier s'arrête avant la fin de l'image.");
        break;
    case JERR_NO_SOI:
        text = QStringLiteral("Le fichier « %1 » n'est pas une photo JPEG.");
        break;
    case kTooManyScans:
        return QStringLiteral("La photo « %1 » a trop de passes progressives (plus de %2) pour être lue.")
            .arg(SafeName(name))
            .arg(parameter);
    case JERR_OUT_OF_MEMORY:
        text = QStringLiteral("La photo « %1 » demande trop de mémoire pour être lue.");
        break;
    case JERR_CONVERSION_NOTIMPL:
    case JERR_BAD_J_COLORSPACE:
    case JERR_BAD_IN_COLORSPACE:
        text = QStringLiteral("Les couleurs de la photo « %1 » sont d'un type que Tamvel ne lit pas.");
        break;
    default:
        text = QStringLiteral("La photo « %1 » est endommagée : son contenu JPEG n'a pas pu être lu.");
        break;
    }
    return text.arg(SafeName(name));
}

// The progress monitor, with the number of scans this file may have and the caller's stop.
struct ScanGuard {
    jpeg_progress_mgr standard; // first, so that the library's pointer is ours
    int mostScans;
    const std::stop_token *stop;
    bool stopped;
};

struct ErrorManager {
    jpeg_error_mgr standard; // first, so that the library's pointer is ours
    std::jmp_buf returnPoint;
    LoadMessages *messages;
    const QString *name;
};

// The library shows an error, and the first warning of a decode (later ones are only counted).
void OutputMessage(j_common_ptr cinfo)
{
    auto *errors = reinterpret_cast<ErrorManager *>(cinfo->err);
    errors->messages->push_back({platform::MessageIcon::Error, platform::ApplicationTitle(),
                                 FrenchMessage(cinfo->err->msg_code, cinfo->err->msg_parm.i[0], *errors->name), true});
}

// The library calls this from deep inside and it must not return there.
[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    (*cinfo->err->output_message)(cinfo);
    std::longjmp(reinterpret_cast<ErrorManager *>(cinfo->err)->returnPoint, 1);
}

// Called by the library between rows and scans. Thousands of empty scans would each walk the
// whole image; a picture nobody waits for any more is left at once, without a message.
void WatchProgress(j_common_ptr cinfo)
{
    auto *guard = reinterpret_cast<ScanGuard *>(cinfo->progress);
    if (guard->stop->stop_requested()) {
        guard->stopped = true;
        std::longjmp(reinterpret_cast<ErrorManager *>(cinfo->err)->returnPoint, 1);
    }
    const auto *decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    const int mostScans = guard->mostScans;
    if (decompress->input_scan_number > mostScans) {
        cinfo->err->msg_code = kTooManyScans;
        cinfo->err->msg_parm.i[0] = mostScans;
        ErrorExit(cinfo);
    }
}

// The scans a file of this size may have: each one may walk all of its blocks.
int MostScans(const jpeg_decompress_struct &cinfo)
{
    std::uint64_t blocks = 1;
    for (int c = 0; c < cinfo.num_components; ++c)
        blocks += std::uint64_t(cinfo.comp_info[c].width_in_blocks) * cinfo.comp_info[c].height_in_blocks;
    const std::uint64_t scans = photo_limits::kMostScannedBlocks / blocks;
    return static_cast<int>(
        std::clamp<std::uint64_t>(scans, photo_limits::kFewestScansAllowed, photo_limits::kMostProgressiveScans));
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

// The camera's orientation, from the first APP1 segment that holds EXIF data.
int OrientationOf(const jpeg_decompress_struct &cinfo)
{
    for (jpeg_saved_marker_ptr marker = cinfo.marker_list; marker != nullptr; marker = marker->next) {
        if (marker->marker == kApp1 && marker->data_length >= 6 && std::memcmp(marker->data, "Exif\0\0", 6) == 0)
            return ExifOrientation(marker->data, marker->data_length);
    }
    return 1;
}

// Where the decoded picture goes; lives outside the frame that the error exit jumps to.
struct Output {
    photo_limits::FramePixels frame; // the frame the picture must fill
    QImage image;
    int orientation = 1;
    bool tooLarge = false;
    bool complete = false;
    std::vector<std::uint8_t> inkRows; // a CMYK file's rows, before they are turned into colours
};

// Holds nothing with a destructor: the error exit jumps back into it from inside the library.
void Decode(std::FILE *file, jpeg_decompress_struct &cinfo, ErrorManager &errors, ScanGuard &progress, Output &output)
{
    cinfo.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = ErrorExit;
    errors.standard.output_message = OutputMessage;
    if (setjmp(errors.returnPoint) != 0)
        return;

    jpeg_create_decompress(&cinfo);
    // Beyond this the library would need a backing store, which it refuses: a forged progressive
    // header cannot claim gigabytes.
    cinfo.mem->max_memory_to_use = photo_limits::kDecoderMemoryBytes;
    progress.standard.progress_monitor = WatchProgress;
    progress.mostScans = photo_limits::kMostProgressiveScans;
    cinfo.progress = &progress.standard;
    jpeg_stdio_src(&cinfo, file);
    jpeg_set_marker_processor(&cinfo, JPEG_COM, SkipSegment);
    jpeg_set_marker_processor(&cinfo, kApp12, SkipSegment);
    jpeg_save_markers(&cinfo, kApp1, 0xFFFF);
    jpeg_read_header(&cinfo, TRUE);
    progress.mostScans = MostScans(cinfo);

    // CMYK and YCCK files (from prepress work) are read as inks and shown as the press prints them.
    const bool inks = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    if (!inks && cinfo.out_color_space != JCS_GRAYSCALE && cinfo.out_color_space != JCS_RGB) {
        cinfo.err->msg_code = JERR_CONVERSION_NOTIMPL;
        ErrorExit(reinterpret_cast<j_common_ptr>(&cinfo));
    }
    output.orientation = OrientationOf(cinfo);
    // Straight into the layout of a 32-bit QImage: blue, green, red, then 0xFF.
    cinfo.out_color_space = inks ? JCS_CMYK : JCS_EXT_BGRX;
    cinfo.scale_num = static_cast<unsigned>(JpegScaleEighths(
        cinfo.image_width, cinfo.image_height, OrientationTurnsQuarter(output.orientation), output.frame));
    cinfo.scale_denom = 8;
    jpeg_calc_output_dimensions(&cinfo);
    if (static_cast<std::uint64_t>(cinfo.output_width) * cinfo.output_height > photo_limits::kLargestPhotoPixels) {
        output.tooLarge = true;
        return;
    }
    // A progressive file is read whole here, so the picture is only allocated once it is known
    // to be sound.
    jpeg_start_decompress(&cinfo);
    output.image =
        QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), QImage::Format_RGB32);
    if (output.image.isNull()) {
        cinfo.err->msg_code = JERR_OUT_OF_MEMORY;
        cinfo.err->msg_parm.i[0] = 0;
        ErrorExit(reinterpret_cast<j_common_ptr>(&cinfo));
    }
    // Photoshop writes its CMYK files inverted (255 = no ink) and says so with Adobe's marker.
    const bool inverted = inks && cinfo.saw_Adobe_marker;
    if (inks)
        output.inkRows.resize(std::size_t(cinfo.output_width) * 4 * kRowsPerRead);
    JSAMPROW rows[kRowsPerRead];
    while (cinfo.output_scanline < cinfo.output_height) {
        const JDIMENSION first = cinfo.output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(kRowsPerRead, cinfo.output_height - first);
        for (JDIMENSION k = 0; k < count; ++k)
            rows[k] = inks ? output.inkRows.data() + std::size_t(k) * cinfo.output_width * 4
                           : output.image.scanLine(static_cast<int>(first + k));
        const JDIMENSION read = jpeg_read_scanlines(&cinfo, rows, count);
        if (read == 0)
            break;
        for (JDIMENSION k = 0; inks && k < read; ++k) {
            if (inverted) {
                for (std::size_t i = 0; i < std::size_t(cinfo.output_width) * 4; ++i)
                    rows[k][i] = static_cast<JSAMPLE>(255 - rows[k][i]);
            }
            press_colour::CmykToRgb(rows[k], reinterpret_cast<std::uint32_t *>(output.image.scanLine(int(first + k))),
                                    cinfo.output_width);
        }
    }
    // Any warning (corrupt or truncated data) drops the picture; the first one was shown.
    output.complete = errors.standard.num_warnings == 0 && cinfo.output_scanline == cinfo.output_height;
    jpeg_finish_decompress(&cinfo);
}

} // namespace

int JpegScaleEighths(unsigned width, unsigned height, bool turned, photo_limits::FramePixels frame)
{
    const auto wantedWidth = static_cast<std::uint64_t>(turned ? frame.height : frame.width);
    const auto wantedHeight = static_cast<std::uint64_t>(turned ? frame.width : frame.height);
    // As the library rounds the scaled size: up.
    const auto scaled = [](std::uint64_t size, int eighths) { return (size * eighths + 7) / 8; };
    int smallest = 1;
    while (smallest < 8 && (scaled(width, smallest) < wantedWidth || scaled(height, smallest) < wantedHeight))
        ++smallest;
    // The library decodes at 1/8, 1/4, 1/2 and full size with its fast (SIMD) code, and at the
    // other eighths with plain C that takes longer than the full size does: the next of those
    // scales is chosen, unless the picture would then be larger than a slot holds.
    int fast = 1;
    while (fast < smallest)
        fast *= 2;
    return scaled(width, fast) * scaled(height, fast) <= photo_limits::kLargestPhotoPixels ? fast : smallest;
}

JpegDecode DecodeJpegFile(std::FILE *file, photo_limits::FramePixels frame, std::stop_token stop, const QString &name)
{
    JpegDecode result;
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    errors.messages = &result.messages;
    errors.name = &name;
    ScanGuard progress{};
    progress.stop = &stop;
    Output output{frame, {}, 1, false, false, {}};
    Decode(file, cinfo, errors, progress, output);
    // Releases everything the library holds, whether the decode ended normally or not.
    jpeg_destroy_decompress(&cinfo);
    result.tooLarge = output.tooLarge;
    if (output.complete)
        result.image = Upright(std::move(output.image), output.orientation);
    return result;
}
