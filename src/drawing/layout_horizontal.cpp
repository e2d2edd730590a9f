#include "drawing/day_column.h"
#include "drawing/school_bands.h"

#include <algorithm>

using namespace render;

void DrawHorizontal(platform::DrawSurface &dc, const LayoutInputs &inputs, int left, int top, int right, int bottom,
                    int page, double scale)
{
    // Page 1 is January to June, page 2 July to December; the view passes nothing else.
    if (!IsPageOf(page, 2))
        return;
    const double s = std::max(1.0, scale);
    const int year = inputs.app.Annee;
    const double L = left;
    const double T = top;
    const double R = right;
    const double CW = (R - L) / 6;
    const double U = (static_cast<double>(bottom) - T) / (2 * s + 42);

    {
        FontScope font(dc, dc.CreatePointFont(FontTenths(200, s), kSerifFace));
        dc.DrawText(FormatYear(year), {left, Trunc(2 * U + T), right, Trunc(6 * U + T)}, platform::kTextCentred);
    }

    const model::HolidayOptions options = HolidayOptionsOf(inputs);
    const int firstMonth = 6 * (page - 1) + 1;
    const almanac::Almanac almanac = AlmanacOf(inputs, firstMonth, firstMonth + 5);
    std::vector<StackedMonth> months;
    months.reserve(6);
    for (int k = 0; k < 6; ++k)
        months.push_back({LookUpMonth(year, firstMonth + k, options, almanac), StackedColumn(L, T, CW, U, k, 0)});

    const auto drawRules = [&] {
        for (const double y : {6.0, 41.0, 9.0}) {
            const int yy = Trunc(y * U + T);
            DrawLine(dc, left, yy, right, yy);
        }
        for (int k = 0; k <= 6; ++k) {
            const int x = Trunc(k * CW + L);
            DrawLine(dc, x, Trunc(6 * U + T), x, Trunc(41 * U + T));
        }
    };
    DrawStackedMonths(dc, inputs, months, dc.CreatePointFont(FontTenths(180, s), kSerifFace),
                      dc.CreatePointFont(FontTenths(80, s), kMonospaceFace), drawRules);

    DrawSchoolLegend(dc, almanac, {left, Trunc(41 * U + T) + 1, right, Trunc(42 * U + T)}, s);
    DrawAdvertising(dc, inputs, s, {left, Trunc(42 * U + T), right, Trunc(43 * U + T)},
                    {left, Trunc(43 * U + T), right, Trunc(44 * U + T)});
}
