#pragma once

#include "almanac/school_import.h"
#include "almanac/school_limits.h"

#include <chrono>

// The two forms of the ministry's school calendar; see ReadSchoolCalendar.
namespace almanac {

// "Le fichier « name » <what> : rien n'a été importé."
std::string Refusal(const std::string &fileName, const std::string &what);

// `text` begins with BEGIN:VCALENDAR.
SchoolImport ReadSchoolIcal(std::string text, std::optional<SchoolZone> zone, const std::string &fileName);

// The agenda import's time limit, for the rows and events of a school calendar.
class ImportDeadline
{
public:
    ImportDeadline() : end_(std::chrono::steady_clock::now() + kSchoolFileLimits.deadline) {}
    bool Passed() const { return std::chrono::steady_clock::now() > end_; }
    // "prend plus de 3000 ms à lire"
    static std::string Reason();

private:
    std::chrono::steady_clock::time_point end_;
};

// Nothing when the first line is not the header of the school calendar export.
std::optional<SchoolImport> ReadSchoolCsv(const std::string &text, std::optional<SchoolZone> zone,
                                          const std::string &fileName);

// A span read from the file, checked; false with `import.error` set when it cannot be a holiday.
// An empty span (`last` the day before `first`) adds nothing.
// `where` says where it is in the file: "ligne 12".
bool AddPeriod(SchoolImport &import, std::int64_t first, std::int64_t last, const std::vector<SchoolZone> &zones,
               const std::string &name, const std::string &where, const std::string &fileName);

} // namespace almanac
