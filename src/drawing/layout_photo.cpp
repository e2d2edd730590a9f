#include "drawing/day_column.h"
#include "drawing/school_bands.h"
#include "images/photo.h"

#include <algorithm>

using namespace render;
using platform::Rect;

namespace {

// The page's photograph; none without a document.
const Photo *PageImage(const LayoutInputs &inputs, int page)
{
    if (inputs.doc == nullptr || inputs.doc->PageImage(page).IsEmpty())
        return nullptr;
    return &inputs.doc->PageImage(page);
}

// Stretched to its frame, or cut to the frame's proportions when the user asked for it.
void PaintPagePhoto(platform::DrawSurface &dc, const LayoutInputs &inputs, const Photo &photo, const Rect &frame)
{
    PaintPhoto(dc, frame, photo, inputs.view.RecadrerPhotos != 0);
}

// A closed rectangle outline through its four corners.
void DrawFrame(platform::DrawSurface &dc, int left, int top, int right, int bottom)
{
    dc.MoveTo(left, top);
    dc.LineTo(right, top);
    dc.LineTo(right, bottom);
    dc.LineTo(left, bottom);
    dc.LineTo(left, top);
}

struct PhotoMonth {
    MonthDays days;
    const DayColumnGeometry *geometry;
    Rect header;
    Rect name;
};

// The month parts of the photo layouts after their photograph, in the drawing order: header
// fills, non-working fills, the layout's own rules, month names, day cells, week separators.
template <typename DrawRules>
void DrawPhotoMonths(platform::DrawSurface &dc, const LayoutInputs &inputs, const std::vector<PhotoMonth> &months,
                     const platform::Font &nameFont, const platform::Font &cellFont, DrawRules drawRules)
{
    for (const PhotoMonth &month : months)
        dc.FillRect(month.header, inputs.app.Color_Sem_Mois);
    if (inputs.view.NonTrav) {
        for (const PhotoMonth &month : months)
            FillNonWorkingDays(dc, month.days, *month.geometry, inputs.app.Color_NTrav);
    }
    const unsigned zones = SchoolZonesOf(inputs);
    for (const PhotoMonth &month : months)
        DrawSchoolBands(dc, month.days, *month.geometry, zones);
    drawRules();
    {
        FontScope font(dc, nameFont);
        for (const PhotoMonth &month : months)
            DrawTransparentText(dc, MonthName(month.days.month), month.name, platform::kTextCentred);
    }
    {
        FontScope font(dc, cellFont);
        for (const PhotoMonth &month : months)
            DrawDayTexts(dc, month.days, *month.geometry, inputs.view.Ferie != 0, inputs.view.Sem != 0,
                         SchoolBandsTextShift(zones));
    }
    for (const PhotoMonth &month : months)
        DrawWeekSeparators(dc, month.days, *month.geometry);
}

// One month column of the vertical photo page: rows of one unit from 59 U.
class PortraitColumn : public DayColumnGeometry
{
public:
    PortraitColumn(double x0, double top, double columnWidth, double unit, int column)
        : X0(x0), T(top), CW(columnWidth), U(unit), c(column)
    {}

    int X(int, double fraction) const override { return Trunc((c + fraction) * CW + X0); }
    int RowTop(int d) const override { return Trunc((58 + d) * U + T); }
    int RowBottom(int d) const override { return Trunc((59 + d) * U + T); }
    int TextTop(int d) const override { return Trunc((d + 58.1) * U + T); }
    int WeekNumberShift(int d, int length) const override
    {
        if (d < 4)
            return Trunc((4 - d) * U / 2);
        if (d > length - 4)
            return -Trunc((d - length + 3) * U / 2);
        return 0;
    }

private:
    double X0, T, CW, U;
    int c;
};

// One month of the horizontal photo page: a side month fills one column with rows of 1.08 U, a
// middle month is folded into two sub-columns of 16 rows of 0.85 U from K + 3.
class LandscapeColumn : public DayColumnGeometry
{
public:
    LandscapeColumn(double left, double top, double columnWidth, double unit, int column, bool middle, int k)
        : L(left), T(top), CW(columnWidth), U(unit), c(column), middle_(middle), K(k)
    {}

    int X(int d, double fraction) const override { return Trunc((Column(d) + fraction) * CW + L); }
    int RowTop(int d) const override { return Trunc((Row(d) + 6) * U + T); }
    int RowBottom(int d) const override { return Trunc((Height() + 6 + Row(d)) * U + T); }
    int TextTop(int d) const override { return Trunc((Row(d) + 6.1) * U + T); }
    int WeekNumberShift(int d, int length) const override
    {
        // Each sub-column of a middle month holds its own part of a straddling week.
        int shift = 0;
        if (middle_ && d >= 17 && d <= 19)
            shift += Trunc((20 - d) * U * 0.5 * Height());
        else if (d < 4)
            shift += Trunc((4 - d) * U * 0.5 * Height());
        if (middle_ && d >= 13 && d <= 16)
            shift -= Trunc((d - 13) * U * 0.5 * Height());
        else if (d > length - 4)
            shift -= Trunc((d - length + 3) * U * 0.5 * Height());
        return shift;
    }

private:
    int Column(int d) const { return middle_ ? c + (d - 1) / 16 : c; }
    double Height() const { return middle_ ? 0.85 : 1.08; }
    double Row(int d) const { return middle_ ? ((d - 1) % 16) * 0.85 + 1 + (K - 4) : d * 1.08 - 0.1; }

    double L, T, CW, U;
    int c;
    bool middle_;
    int K;
};

} // namespace

void DrawVerticalPhoto(platform::DrawSurface &dc, const LayoutInputs &inputs, int left, int top, int right, int bottom,
                       int page, double scale)
{
    // Page 1 is January to June with the first image, page 2 the rest; the view passes nothing else.
    if (!IsPageOf(page, 2))
        return;
    const double s = std::max(1.0, scale);
    const int year = inputs.app.Annee;
    const double L = left;
    const double T = top;
    const double R = right;
    const double CW = (R - L) * 0.125;
    const double X0 = L + CW;
    const double XR = R - CW;
    const double U = (static_cast<double>(bottom) - T) / (2 * s + 102);
    const platform::Font yearFont = dc.CreatePointFont(FontTenths(400, s), kSerifFace);
    const platform::Font titleFont = dc.CreatePointFont(FontTenths(90, s), kSerifFace);

    {
        FontScope font(dc, yearFont);
        dc.DrawText(FormatYear(year), {left, Trunc(6 * U + T), right, Trunc(14 * U + T)}, platform::kTextCentred);
    }

    const int photoLeft = Trunc(L + CW);
    const int photoRight = Trunc(R - CW);
    if (const Photo *photo = PageImage(inputs, page)) {
        PaintPagePhoto(dc, inputs, *photo, {photoLeft, Trunc(18 * U + T), photoRight, Trunc(50.1 * U + T)});
    } else if (!dc.IsPrinting()) {
        // On screen, say where the images are loaded; paper keeps an empty frame.
        FontScope font(dc, titleFont);
        const int y29 = Trunc(29 * U + T), y32 = Trunc(32 * U + T), y35 = Trunc(35 * U + T);
        dc.DrawText(QStringLiteral("Image non disponible"), {photoLeft, y29, photoRight, y32}, platform::kTextCentred);
        dc.DrawText(QStringLiteral("Veuillez v\u00E9rifier dans l'item"), {photoLeft, y32, photoRight, y35},
                    platform::kTextCentred);
        dc.DrawText(QStringLiteral("\"Charger les images\" du menu \"Fichier\""),
                    {photoLeft, y35, photoRight, Trunc(38 * U + T)}, platform::kTextCentred);
    }

    const model::HolidayOptions options = HolidayOptionsOf(inputs);
    const int firstMonth = 6 * (page - 1) + 1;
    const almanac::Almanac almanac = AlmanacOf(inputs, firstMonth, firstMonth + 5);
    std::vector<PortraitColumn> columns;
    std::vector<PhotoMonth> months;
    columns.reserve(6);
    months.reserve(6);
    for (int c = 0; c < 6; ++c) {
        columns.emplace_back(X0, T, CW, U, c);
        months.push_back(
            {LookUpMonth(year, firstMonth + c, options, almanac),
             &columns.back(),
             {Trunc(X0 + c * CW), Trunc(56 * U + T), Trunc(X0 + (c + 1) * CW), Trunc(59 * U + T)},
             {Trunc((c + 0.05) * CW + X0), Trunc(56.6 * U + T), Trunc((c + 0.95) * CW + X0), Trunc(58.4 * U + T)}});
    }

    const auto drawRules = [&] {
        // Frames thicken outward and the header rule upward, more on a finer device.
        const int n = Trunc(U / 20 + 1);
        for (int k = 0; k < n; ++k) {
            DrawFrame(dc, Trunc(X0 - k), Trunc(18 * U + T - k), Trunc(XR + k), Trunc(50.1 * U + T + k));
            DrawFrame(dc, Trunc(X0 - k), Trunc(56 * U + T - k), Trunc(XR + k), Trunc(91 * U + T + k));
            const int y = Trunc(59 * U + T - k);
            DrawLine(dc, Trunc(X0), y, Trunc(XR), y);
        }
        for (int i = 0; i <= 6; ++i) {
            const int x = Trunc(X0 + i * CW);
            DrawLine(dc, x, Trunc(56 * U + T), x, Trunc(91 * U + T));
        }
    };
    DrawPhotoMonths(dc, inputs, months, titleFont, dc.CreatePointFont(FontTenths(45, s), kMonospaceFace), drawRules);

    // Below the frame, whose rules thicken outward.
    DrawSchoolLegend(dc, almanac, {left, Trunc(91 * U + T) + Trunc(U / 20 + 1), right, Trunc(93 * U + T)}, s);
    DrawAdvertising(dc, inputs, s, {left, Trunc(93 * U + T), right, Trunc((s + 93) * U + T)},
                    {left, Trunc((s + 93) * U + T), right, Trunc((2 * s + 93) * U + T)});
}

void DrawHorizontalPhoto(platform::DrawSurface &dc, const LayoutInputs &inputs, int left, int top, int right,
                         int bottom, int page, double scale)
{
    if (!IsPageOf(page, 2))
        return;
    const double s = std::max(1.0, scale);
    const int year = inputs.app.Annee;
    // The calendar stands a fifth of a unit inside the rectangle to leave room for its outer frame.
    const double U0 = (static_cast<double>(bottom) - top) / (2 * s + 42);
    const int e = Trunc(U0 / 5);
    const int left1 = left + e, top1 = top + e, right1 = right - e, bottom1 = bottom - e;
    const double L = left1;
    const double T = top1;
    const double CW = (static_cast<double>(right1) - L) * 0.125;
    const double U = (static_cast<double>(bottom1) - T) / (2 * s + 42);
    const bool photoBelow = inputs.view.PhotoBas != 0;
    const bool thickRules = inputs.view.GrosTrait != 0;
    const int P = photoBelow ? 21 : 4;
    const int K = photoBelow ? 4 : 24;
    const double XP1 = L + 2 * CW;
    const double XP2 = right1 - 2 * CW;
    const platform::Font yearFont = dc.CreatePointFont(FontTenths(200, s), kSerifFace);
    const platform::Font titleFont = dc.CreatePointFont(FontTenths(120, s), kSerifFace);

    {
        FontScope font(dc, yearFont);
        dc.DrawText(FormatYear(year), {left1, Trunc(T + U), right1, Trunc(4 * U + T)}, platform::kTextCentred);
    }

    const int photoLeft = Trunc(XP1);
    const int photoRight = Trunc(XP2);
    const int photoTop = Trunc(P * U + T);
    const int photoBottom = Trunc((P + 20) * U + T);
    if (const Photo *photo = PageImage(inputs, page)) {
        PaintPagePhoto(dc, inputs, *photo, {photoLeft, photoTop, photoRight, photoBottom});
    } else if (!dc.IsPrinting()) {
        const int y8 = Trunc((P + 8) * U + T), y10 = Trunc((P + 10) * U + T);
        {
            FontScope font(dc, yearFont);
            dc.DrawText(QStringLiteral("Image non disponible"), {photoLeft, y8, photoRight, y10},
                        platform::kTextCentred);
        }
        FontScope font(dc, titleFont);
        dc.DrawText(QStringLiteral("Veuillez v\u00E9rifier dans l'item \"Charger les images\" du menu \"Fichier\""),
                    {photoLeft, y10, photoRight, Trunc((P + 12) * U + T)}, platform::kTextCentred);
    }

    // Months 0, 1, 4 and 5 stand in one column each; 2 and 3 under or over the photograph in two.
    static constexpr int kFirstColumn[6] = {0, 1, 2, 4, 6, 7};
    static constexpr double kNameColumn[6] = {0, 1, 2.5, 4.5, 6, 7};
    const model::HolidayOptions options = HolidayOptionsOf(inputs);
    const int firstMonth = 6 * (page - 1) + 1;
    const almanac::Almanac almanac = AlmanacOf(inputs, firstMonth, firstMonth + 5);
    std::vector<LandscapeColumn> columns;
    std::vector<PhotoMonth> months;
    columns.reserve(6);
    months.reserve(6);
    for (int j = 0; j < 6; ++j) {
        const bool middle = j == 2 || j == 3;
        const int a = kFirstColumn[j];
        const int b = a + (middle ? 2 : 1);
        const double top0 = middle ? K : 4;
        const double m = kNameColumn[j];
        columns.emplace_back(L, T, CW, U, a, middle, K);
        months.push_back({LookUpMonth(year, firstMonth + j, options, almanac),
                          &columns.back(),
                          {Trunc(L + a * CW), Trunc(top0 * U + T), Trunc(L + b * CW), Trunc((top0 + 3) * U + T)},
                          {Trunc((m + 0.05) * CW + L), Trunc((top0 + 0.6) * U + T), Trunc((m + 0.95) * CW + L),
                           Trunc((top0 + 2.4) * U + T)}});
    }

    // Thick lines are n one-pixel lines; n grows with the unit so that paper gets real weight.
    const int n = Trunc(U / 10 + 2);
    // The outer frame stands o2 outside the calendar.
    const int o2 = n + Trunc(U / 5);
    const auto drawRules = [&] {
        const int o = Trunc(U / 10 + 1);
        const int frameTop = Trunc(4 * U + T);
        const int frameBottom = Trunc(41 * U + T);
        for (int k = 0; k < n; ++k) {
            int y = Trunc(4 * U + T - k);
            DrawLine(dc, left1 - o, y, right1 + o, y);
            y = Trunc(41 * U + T + k);
            DrawLine(dc, left1 - o, y, right1 + o, y);
            DrawLine(dc, left1 - k, Trunc(4 * U + T - o), left1 - k, Trunc(41 * U + T + o));
            DrawLine(dc, right1 + k, Trunc(4 * U + T - o), right1 + k, Trunc(41 * U + T + o));
            y = Trunc(7 * U + T - k);
            if (photoBelow) {
                DrawLine(dc, left1 - k, y, right1 + k, y);
                y = Trunc(P * U + T + k);
                DrawLine(dc, photoLeft, y, photoRight, y);
            } else {
                DrawLine(dc, left1 - k, y, photoLeft, y);
                DrawLine(dc, photoRight, y, right1 + k, y);
                y = Trunc(27 * U + T - k);
                DrawLine(dc, photoLeft, y, photoRight, y);
                y = Trunc((P + 20) * U + T + k);
                DrawLine(dc, photoLeft, y, photoRight, y);
            }
            const int x1 = Trunc(XP1 + k), x2 = Trunc(XP2 - k);
            DrawLine(dc, x1, photoTop, x1, photoBottom);
            DrawLine(dc, x2, photoTop, x2, photoBottom);
            if (!photoBelow && !thickRules) {
                // Without thick column rules the middle header's sides would stay thin.
                const int y24 = Trunc(24 * U + T), y27 = Trunc(27 * U + T);
                DrawLine(dc, x1, y24, x1, y27);
                DrawLine(dc, x2, y24, x2, y27);
            }
        }
        const int ya = Trunc(4 * U + T - o2);
        const int yb = Trunc(41 * U + T + o2);
        DrawLine(dc, left1 - o2, ya, right1 + o2, ya);
        DrawLine(dc, left1 - o2, yb, right1 + o2, yb);
        DrawLine(dc, left1 - o2, ya, left1 - o2, yb);
        DrawLine(dc, right1 + o2, ya, right1 + o2, yb);

        for (int i = 0; i <= 8; ++i) {
            const double XD = L + i * CW;
            int from = frameTop, to = frameBottom;
            if (i == 4) {
                from = Trunc(K * U + T);
                to = Trunc((K + 17) * U + T);
            } else if (i == 3 || i == 5) {
                from = Trunc((K + 3) * U + T);
                to = Trunc((K + 17) * U + T);
            }
            DrawLine(dc, Trunc(XD), from, Trunc(XD), to);
            // The rules between the sub-columns of a middle month always stay thin.
            if (thickRules && i != 3 && i != 5) {
                for (int t = Trunc(1 - U / 20); t <= Trunc(1 + U / 20); ++t)
                    DrawLine(dc, Trunc(XD - t), from, Trunc(XD - t), to);
            }
        }
    };
    DrawPhotoMonths(dc, inputs, months, titleFont, dc.CreatePointFont(FontTenths(60, s), kMonospaceFace), drawRules);

    DrawSchoolLegend(dc, almanac, {left1, Trunc(41 * U + T + o2) + 1, right1, Trunc(42 * U + T)}, s);
    DrawAdvertising(dc, inputs, s, {left1, Trunc(42 * U + T), right1, Trunc(43 * U + T)},
                    {left1, Trunc(43 * U + T), right1, Trunc(44 * U + T)});
}
