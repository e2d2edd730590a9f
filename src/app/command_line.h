#pragma once

#include "almanac/school_periods.h"
#include "model/country.h"
#include "model/region.h"

#include <optional>
#include <string>
#include <vector>

namespace app {

// What the user asked for on the command line.
struct CommandLine {
    bool help = false;
    bool version = false;
    bool holidays = false;
    bool moonPhases = false; // list the year's phases of the moon
    std::optional<int> year{};
    std::optional<std::string> settingsFile{};
    std::optional<int> layout{}; // stored display mode number, 1 .. 5
    std::optional<std::string> pdfFile{};
    std::optional<std::string> pngPrefix{};
    int dpi = 150;
    std::optional<model::Region> region{};      // a French region (the country is then France)
    std::optional<model::Place> place{};        // the country, with its canton or province
    std::optional<std::string> icsFile{};       // export the labelled days to this iCalendar file
    std::optional<std::string> importIcsFile{}; // add this iCalendar file's days to the particular days
    std::optional<std::string> batchFile{};
    std::optional<std::string> outDir{};
    std::optional<int> jobs{}; // the number of cores when absent
    bool printReady = false;   // --pdf and --batch write PDF/X-3 for the print shop
    std::optional<double> bleedMm{};
    bool schoolHolidays = false;                           // list the school holidays of the year
    std::optional<std::string> importSchoolHolidaysFile{}; // the ministry's iCalendar or CSV file
    std::optional<almanac::SchoolZone> zone{};             // the zone of that file

    // True when the program only lists, exports or imports and never needs a screen.
    bool IsHeadless() const
    {
        return holidays || moonPhases || pdfFile || pngPrefix || icsFile || importIcsFile || batchFile ||
               schoolHolidays || importSchoolHolidaysFile;
    }
    friend bool operator==(const CommandLine &, const CommandLine &) = default;
};

struct ParseResult {
    CommandLine options;
    std::string error; // French, empty when the command line is fine
};

// The process exit status for a command line that cannot be carried out.
constexpr int kUsageError = 2;
// More threads than this only add memory: the rows are drawn by the cores.
constexpr int kMaxJobs = 64;

ParseResult ParseCommandLine(const std::vector<std::string> &arguments);
std::string HelpText();
std::string VersionText();

} // namespace app
