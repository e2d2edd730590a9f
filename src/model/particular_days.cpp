#include "model/particular_days.h"

#include <algorithm>
#include <set>
#include <utility>

namespace model {

std::size_t AppendParticularDays(int year, const std::vector<DayLabel> &days, std::vector<COleDateTime> &dates,
                                 std::vector<std::string> &labels)
{
    // Bringing in the same file or year twice must not double the list.
    std::set<std::pair<double, std::string>> listed;
    const std::size_t count = std::min(dates.size(), labels.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (dates[i].GetStatus() == COleDateTime::valid)
            listed.emplace(dates[i].Value(), labels[i]);
    }
    std::size_t added = 0;
    for (const DayLabel &day : days) {
        const COleDateTime date(year, day.month, day.day, 0, 0, 0);
        if (date.GetStatus() != COleDateTime::valid || !listed.emplace(date.Value(), day.label).second)
            continue;
        dates.push_back(date);
        labels.push_back(day.label);
        ++added;
    }
    return added;
}

} // namespace model
