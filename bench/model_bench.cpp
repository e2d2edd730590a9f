#include "model/holiday_label.h"

#include <benchmark/benchmark.h>

namespace {

// Every layout looks up the label of every day it draws, twice per paint.
void BM_HolidayLabelsOfAYear(benchmark::State &state)
{
    const std::vector<COleDateTime> dates{COleDateTime(2025, 3, 17, 0, 0, 0), COleDateTime(2025, 12, 24, 0, 0, 0)};
    const std::vector<std::string> labels{"Saint Patrick", "Réveillon"};
    const model::HolidayOptions options{true, &dates, &labels, true};
    for (auto _ : state) {
        std::size_t total = 0;
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= model::DaysInMonth(2025, month); ++day)
                total += GetHolidayLabel(COleDateTime(2025, month, day, 0, 0, 0), options).size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_HolidayLabelsOfAYear)->Unit(benchmark::kMicrosecond);

} // namespace
