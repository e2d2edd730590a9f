#include "app/holiday_listing.h"

#include <cstdio>

namespace app {

std::string ListHolidays(int year, const model::HolidayOptions &options)
{
    std::string out;
    for (const model::DayLabel &day : model::LabelledDaysOfYear(year, options)) {
        char date[32];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d\t", year, day.month, day.day);
        out += date + day.label + '\n';
    }
    return out;
}

} // namespace app
