#include "output/press_sheet.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
// A crop mark never comes closer to the trim than this, so that a cut a little off the line
// cannot show it, and keeps this much away from the bleed.
constexpr double kMinMarkDistanceMm = 3.0;
constexpr double kMarkGapMm = 1.0;
constexpr double kMarkLengthMm = 5.0;

} // namespace

PressSheet ComputePressSheet(double trimWidth, double trimHeight, double bleedMm, int dpi)
{
    PressSheet sheet;
    const double bleed = bleedMm * kPointsPerMm;
    sheet.markStart = std::max(bleedMm + kMarkGapMm, kMinMarkDistanceMm) * kPointsPerMm;

    // The smallest whole number of points that is a whole number of pixels: 3 points at 1200 dpi.
    const int step = 72 / std::gcd(72, dpi);
    const double wanted = sheet.markStart + kMarkLengthMm * kPointsPerMm;
    const int margin = static_cast<int>(std::ceil(wanted / step - 1e-9)) * step;
    sheet.margin = margin;
    sheet.drawingOffset = margin * dpi / 72;

    sheet.media = {0, 0, std::ceil(trimWidth - 1e-9) + 2 * margin, std::ceil(trimHeight - 1e-9) + 2 * margin};
    sheet.trim = {sheet.margin, sheet.media.top - sheet.margin - trimHeight, sheet.margin + trimWidth,
                  sheet.media.top - sheet.margin};
    sheet.bleed = {sheet.trim.left - bleed, sheet.trim.bottom - bleed, sheet.trim.right + bleed,
                   sheet.trim.top + bleed};
    return sheet;
}
