#pragma once

#include "model/country.h"
#include "model/ole_date_time.h"
#include "model/region.h"

#include <string>
#include <vector>

namespace model {

// What the holiday lookup reads besides the date: the year's particular days (parallel lists,
// first matching entry wins), whether they count, the Pentecost Monday option, the region whose
// own holidays are added to France's, and the country whose holidays these are.
struct HolidayOptions {
    bool ferieParticulier = false;
    const std::vector<COleDateTime> *dates = nullptr;
    const std::vector<std::string> *labels = nullptr;
    bool lundiPentecote = false;
    Region region = Region::Metropole;
    Place place{};
};

// One day of a year and its label; the year is known from elsewhere.
struct DayLabel {
    int month = 0;
    int day = 0;
    std::string label;
    bool particular = false; // the label is one of the year's particular days

    bool operator==(const DayLabel &) const = default;
};

// Every day of the year whose label is not empty, in date order.
std::vector<DayLabel> LabelledDaysOfYear(int year, const HolidayOptions &options);

} // namespace model

// The label of one day (UTF-8): a particular day's own text, a public holiday's name, or an
// empty string for an ordinary day.
std::string GetHolidayLabel(const COleDateTime &date, const model::HolidayOptions &options);
