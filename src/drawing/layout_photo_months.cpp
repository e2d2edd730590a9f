#include "drawing/drawing_conventions.h"
#include "images/photo_limits.h"

#include <algorithm>

using namespace render;
using platform::Rect;

namespace {

// The month's grid is the large-cells page drawn smaller under the photo: its fonts shrink by this
// much, so that the weekday names fit the narrower portrait columns.
constexpr double kGridFontShrink = 1.3;

// On screen an empty frame says what it waits for, lightly; paper keeps it blank.
void PaintFramePhoto(platform::DrawSurface &dc, const Photo &photo, const Rect &frame, int page, double s)
{
    if (!photo.IsEmpty()) {
        // Cut to fill the frame, never stretched.
        PaintPhoto(dc, frame, photo, true);
        return;
    }
    if (dc.IsPrinting())
        return;
    constexpr platform::ColorRef kHintFill = 0xF4F4F4;
    constexpr platform::ColorRef kHintText = 0xA0A0A0;
    dc.FillRect(frame, kHintFill);
    const platform::ColorRef previous = dc.SetTextColor(kHintText);
    FontScope font(dc, dc.CreatePointFont(FontTenths(160, s), kSerifFace));
    const QString what =
        page == 1 ? QStringLiteral("Photo de couverture") : QStringLiteral("Photo de ") + MonthName(page - 1).toLower();
    const int middle = frame.top + (frame.bottom - frame.top) / 2;
    const int line = dc.LineHeight();
    DrawTransparentText(dc, what, {frame.left, middle - line, frame.right, middle}, platform::kTextCentred);
    DrawTransparentText(dc, QStringLiteral("Edition > Photos des mois..."),
                        {frame.left, middle, frame.right, middle + line}, platform::kTextCentred);
    dc.SetTextColor(previous);
}

// The cover: its photo, the year in large type under it, the advertising lines at the foot.
void DrawCover(platform::DrawSurface &dc, const LayoutInputs &inputs, int left, int top, int right, int bottom,
               double s)
{
    const double T = top;
    const double H = static_cast<double>(bottom) - T;
    const int photoBottom = Trunc(T + H * photo_limits::kCoverPhotoShare);
    PaintFramePhoto(dc, inputs.doc != nullptr ? inputs.doc->MonthPage(1) : Photo(), {left, top, right, photoBottom}, 1,
                    s);
    // The foot lines take the large-cells page's two last units.
    const double U = H / 44;
    {
        FontScope font(dc, dc.CreatePointFont(FontTenths(900, s), kSerifFace));
        dc.DrawText(FormatYear(inputs.app.Annee), {left, photoBottom, right, Trunc(T + 42 * U)},
                    platform::kTextCentred);
    }
    DrawAdvertising(dc, inputs, s, {left, Trunc(T + 42 * U), right, Trunc(T + 43 * U)},
                    {left, Trunc(T + 43 * U), right, bottom});
}

} // namespace

void DrawPhotoMonths(platform::DrawSurface &dc, const LayoutInputs &inputs, int left, int top, int right, int bottom,
                     int page, double scale)
{
    // The cover, then a page a month.
    if (!IsPageOf(page, 13))
        return;
    const double s = std::max(1.0, scale);
    if (page == 1) {
        DrawCover(dc, inputs, left, top, right, bottom, s);
        return;
    }
    const int photoBottom = Trunc(top + (static_cast<double>(bottom) - top) * photo_limits::kMonthPhotoShare);
    PaintFramePhoto(dc, inputs.doc != nullptr ? inputs.doc->MonthPage(page) : Photo(), {left, top, right, photoBottom},
                    page, s);
    // The very page of the large cells, title, grid, almanac and foot lines included.
    DrawLargeCells(dc, inputs, left, photoBottom, right, bottom, page - 1, s * kGridFontShrink);
}
