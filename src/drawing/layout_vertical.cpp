#include "drawing/day_column.h"
#include "drawing/school_bands.h"

#include <algorithm>

using namespace render;

void DrawVertical(platform::DrawSurface &dc, const LayoutInputs &inputs, int left, int top, int right, int bottom,
                  double scale)
{
    const double s = std::max(1.0, scale);
    const int year = inputs.app.Annee;
    const double L = left;
    const double T = top;
    const double R = right;
    const double CW = (R - L) / 6;
    const double U = (static_cast<double>(bottom) - T) / (2 * s + 82);

    {
        FontScope font(dc, dc.CreatePointFont(FontTenths(200, s), kSerifFace));
        dc.DrawText(QStringLiteral("Ann\u00E9e ") + FormatYear(year), {left, top, right, Trunc(4 * U + T)},
                    platform::kTextCentred);
    }

    // January to June above, July to December 39 units lower.
    const model::HolidayOptions options = HolidayOptionsOf(inputs);
    const almanac::Almanac almanac = AlmanacOf(inputs, 1, 12);
    std::vector<StackedMonth> months;
    months.reserve(12);
    for (int i = 0; i < 12; ++i)
        months.push_back({LookUpMonth(year, i + 1, options, almanac), StackedColumn(L, T, CW, U, i % 6, 39 * (i / 6))});

    const auto drawRules = [&] {
        for (const double y : {6.0, 41.0, 9.0, 45.0, 80.0, 48.0}) {
            const int yy = Trunc(y * U + T);
            DrawLine(dc, left, yy, right, yy);
        }
        for (int k = 0; k <= 6; ++k) {
            const int x = Trunc(k * CW + L);
            DrawLine(dc, x, Trunc(6 * U + T), x, Trunc(41 * U + T));
            DrawLine(dc, x, Trunc(45 * U + T), x, Trunc(80 * U + T));
        }
    };
    DrawStackedMonths(dc, inputs, months, dc.CreatePointFont(FontTenths(120, s), kSerifFace),
                      dc.CreatePointFont(FontTenths(60, s), kMonospaceFace), drawRules);

    DrawSchoolLegend(dc, almanac, {left, Trunc(80 * U + T) + 1, right, Trunc(82 * U + T)}, s);
    DrawAdvertising(dc, inputs, s, {left, Trunc(82 * U + T), right, Trunc((s + 82) * U + T)},
                    {left, Trunc((s + 82) * U + T), right, Trunc((2 * s + 82) * U + T)});
}
