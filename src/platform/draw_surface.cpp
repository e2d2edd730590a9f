#include "platform/draw_surface.h"

#include <cstdlib>

namespace platform {

namespace {

// MulDiv: a * b / c computed in 64 bits and rounded half away from zero.
int MulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(static_cast<long long>(c)) / 2;
    const long long rounded =
        (product >= 0) == (c >= 0) ? product + (c >= 0 ? half : -half) : product - (c >= 0 ? half : -half);
    return static_cast<int>(rounded / c);
}

} // namespace

Font DrawSurface::CreatePointFont(int tenths, const QString &face) const
{
    return Font{face, tenths, std::abs(MulDiv(LogPixelsY(), tenths, 720))};
}

} // namespace platform
