#include "app/holiday_listing.h"

#include <algorithm>
#include <cstdio>

namespace app {

std::string ListHolidays(int year, const model::HolidayOptions &options)
{
    std::string out;
    for (const model::DayLabel &day : model::LabelledDaysOfYear(year, options)) {
        char date[32];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d\t", year, day.month, day.day);
        // One line a day: a line break inside a label would start a false one.
        std::string label = day.label;
        std::replace_if(
            label.begin(), label.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
        out += date + label + '\n';
    }
    return out;
}

} // namespace app
