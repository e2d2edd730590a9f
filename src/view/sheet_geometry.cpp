#include "view/sheet_geometry.h"

SheetGeometry ComputeSheetGeometry(int w, int h, DisplayMode mode)
{
    const int W = IsPortrait(mode) ? 21 : 30;
    const int H = IsPortrait(mode) ? 30 : 21;
    SheetGeometry g;
    // 64-bit products: a huge window must not overflow the comparison.
    if (static_cast<long long>(w) * H > static_cast<long long>(h) * W) {
        const int sw = static_cast<int>(static_cast<long long>(h) * W / H);
        g.x0 = (w - sw) / 2;
        g.x1 = g.x0 + sw;
        g.y0 = 0;
        g.y1 = h;
    } else {
        const int sh = static_cast<int>(static_cast<long long>(w) * H / W);
        g.y0 = (h - sh) / 2;
        g.y1 = g.y0 + sh;
        g.x0 = 0;
        g.x1 = w;
    }
    g.mx = static_cast<int>((g.x1 - g.x0) * 1.5 / W);
    g.my = static_cast<int>((g.y1 - g.y0) * 1.5 / H);
    g.desk = {-1, -1, w + 1, h + 1};
    g.sheet = {g.x0, g.y0 + g.my - g.mx, g.x1, g.y1 - g.my + g.mx};
    g.inner = {g.x0 + g.mx, g.y0 + g.my, g.x1 - g.mx, g.y1 - g.my};
    const int innerHeight = g.inner.bottom - g.inner.top;
    g.scale = innerHeight > 0 ? 900.0 / innerHeight : 0.0;
    return g;
}
