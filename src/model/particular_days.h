#pragma once

#include "model/holiday_label.h"
#include "model/ole_date_time.h"

#include <cstddef>
#include <string>
#include <vector>

namespace model {

// Appends to a year's particular days (parallel lists) the given days that exist in `year`
// (29 February of a common year does not) and are not already listed with the same label, in
// the order given. Returns how many were added.
std::size_t AppendParticularDays(int year, const std::vector<DayLabel> &days, std::vector<COleDateTime> &dates,
                                 std::vector<std::string> &labels);

} // namespace model
