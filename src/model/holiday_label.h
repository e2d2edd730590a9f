#pragma once

#include "model/ole_date_time.h"

#include <string>
#include <vector>

namespace model {

// What the holiday lookup reads besides the date: the year's particular days (parallel lists,
// first matching entry wins), whether they count, and the Pentecost Monday option.
struct HolidayOptions {
    bool ferieParticulier = false;
    const std::vector<COleDateTime> *dates = nullptr;
    const std::vector<std::string> *labels = nullptr;
    bool lundiPentecote = false;
};

} // namespace model

// The label of one day (UTF-8): a particular day's own text, a French public holiday's name, or
// an empty string for an ordinary day.
std::string GetHolidayLabel(const COleDateTime &date, const model::HolidayOptions &options);
