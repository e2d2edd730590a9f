#pragma once

#include <cstddef>
#include <cstdint>

// Every bound on a photograph, in one place.
namespace photo_limits {

// Paper needs no more than this many pixels per inch; photos are printed and exported at it.
constexpr int kPrintPpi = 300;

// The largest frame any layout prints a photo in: the vertical photo page on A3 (the largest
// paper an office printer takes) puts it in three quarters of 267 mm, 200 mm wide, and in 32.1
// of its 104 units of 390 mm, 121 mm high; the horizontal photo page on A3 gives 195 x 121 mm.
constexpr double kLargestFrameWidthMm = 200.0;
constexpr double kLargestFrameHeightMm = 122.0;
constexpr int kLargestFrameWidthPixels = static_cast<int>(kLargestFrameWidthMm / 25.4 * kPrintPpi + 1);
constexpr int kLargestFrameHeightPixels = static_cast<int>(kLargestFrameHeightMm / 25.4 * kPrintPpi + 1);

// A frame a photo is decoded to fill, in pixels at 300 ppi.
struct FramePixels {
    int width;
    int height;
};
constexpr FramePixels kLargestFrame{kLargestFrameWidthPixels, kLargestFrameHeightPixels};
// The same frames on A4, the only paper of exports and batches: 210/297 of their size on A3.
constexpr double kA4OverA3 = 210.0 / 297.0;
constexpr FramePixels kLargestA4Frame{static_cast<int>(kLargestFrameWidthMm * kA4OverA3 / 25.4 * kPrintPpi + 1),
                                      static_cast<int>(kLargestFrameHeightMm *kA4OverA3 / 25.4 * kPrintPpi + 1)};

// The photo calendar's frames, as shares of the page's inside height, the full width wide: a
// month's photo above its grid, the cover's above the year. On A4 (180 x 267 mm inside) they are
// 180 x 159 mm and 180 x 200 mm; its photos are kept at 300 ppi of these, cut to their frame, so
// that thirteen of them stay within about 250 megabytes.
constexpr double kMonthPhotoShare = 0.595;
constexpr double kCoverPhotoShare = 0.75;
constexpr double kA4InsideWidthMm = 180.0;
constexpr double kA4InsideHeightMm = 267.0;
constexpr FramePixels A4PhotoFrame(double share)
{
    return {static_cast<int>(kA4InsideWidthMm / 25.4 * kPrintPpi + 1),
            static_cast<int>(kA4InsideHeightMm * share / 25.4 * kPrintPpi + 1)};
}
constexpr FramePixels kMonthPhotoFrame = A4PhotoFrame(kMonthPhotoShare);
constexpr FramePixels kCoverPhotoFrame = A4PhotoFrame(kCoverPhotoShare);

// The largest picture a slot holds, in pixels. That largest frame needs 3.4 megapixels; 40 lets
// a camera's bitmap load untouched while two full slots stay within a few hundred megabytes
// (4 bytes a pixel). JPEG files larger than needed are decoded reduced, so only bitmaps and
// absurd JPEG headers ever come near it.
constexpr std::uint64_t kLargestPhotoPixels = 40'000'000;

// The JPEG decoder's own working memory (a progressive file keeps all its coefficients, 2 bytes
// for each sample of the full-size image); beyond it the file is refused.
constexpr long kDecoderMemoryBytes = 256L * 1024 * 1024;

// A progressive JPEG has about ten scans; thousands of empty ones only burn time, each walking
// every 8 x 8 block of the picture. A file may have up to 500 scans, fewer when it is large:
// at most 50 million blocks walked in all (under a second), and never fewer than 20 scans.
constexpr int kMostProgressiveScans = 500;
constexpr int kFewestScansAllowed = 20;
constexpr std::uint64_t kMostScannedBlocks = 50'000'000;

} // namespace photo_limits
