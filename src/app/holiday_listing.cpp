#include "app/holiday_listing.h"

#include <cstdio>

namespace app {

std::string ListHolidays(int year, const model::HolidayOptions &options)
{
    std::string out;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= model::DaysInMonth(year, month); ++day) {
            const std::string label = GetHolidayLabel(COleDateTime(year, month, day, 0, 0, 0), options);
            if (label.empty())
                continue;
            char date[32];
            std::snprintf(date, sizeof date, "%04d-%02d-%02d\t", year, month, day);
            out += date;
            out += label;
            out += '\n';
        }
    }
    return out;
}

} // namespace app
