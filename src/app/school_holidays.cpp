#include "app/school_holidays.h"

#include "almanac/school_import.h"
#include "almanac/school_store.h"
#include "app/command_line.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace app {

namespace {

// "zones A, C ; 2024-2025 à 2026-2027": what a publication covers.
std::string Coverage(const std::vector<almanac::SchoolPeriod> &periods)
{
    std::set<almanac::SchoolZone> zones;
    std::set<int> years;
    for (const almanac::SchoolPeriod &period : periods) {
        zones.insert(period.zone);
        years.insert(almanac::SchoolYearOf(period.first));
    }
    std::string text = zones.size() == 1 ? "zone " : "zones ";
    for (const almanac::SchoolZone zone : zones)
        text += std::string(zone == *zones.begin() ? "" : ", ") + almanac::ZoneLetter(zone);
    auto schoolYear = [](int year) { return std::to_string(year) + '-' + std::to_string(year + 1); };
    text += " ; " + schoolYear(*years.begin());
    if (years.size() > 1)
        text += " à " + schoolYear(*years.rbegin());
    return text;
}

} // namespace

int ListSchoolHolidaysCommand(int year)
{
    const almanac::SchoolCalendar calendar = almanac::LoadSchoolCalendar();
    std::fputs(almanac::ListSchoolHolidays(calendar, year).c_str(), stdout);
    bool unknown = false;
    for (const almanac::SchoolZone zone : almanac::kSchoolZones) {
        const std::string text = almanac::UnknownDaysText(calendar, zone, year);
        if (!text.empty())
            std::fprintf(stderr, "tamvel : %s.\n", text.c_str());
        unknown = unknown || !text.empty();
    }
    if (unknown)
        std::fputs("tamvel : importez le calendrier scolaire du ministère avec --import-school-holidays FICHIER.\n",
                   stderr);
    return 0;
}

int ImportSchoolHolidaysCommand(const std::string &path, std::optional<almanac::SchoolZone> zone)
{
    const almanac::SchoolImport import = almanac::ReadSchoolCalendarFile(path, zone);
    if (!import.error.empty()) {
        std::fprintf(stderr, "tamvel : %s%s\n", import.error.c_str(),
                     import.zoneUnknown ? " Précisez-la avec --zone A, B ou C." : "");
        return kUsageError;
    }
    if (import.fromWindows1252)
        std::fprintf(stderr, "tamvel : « %s » n'est pas en UTF-8 ; il a été lu en Windows-1252.\n", path.c_str());
    const almanac::StoredImport stored = almanac::StoreSchoolImport(import.periods);
    if (!stored.error.empty()) {
        std::fprintf(stderr, "tamvel : %s\n", stored.error.c_str());
        return kUsageError;
    }
    const std::string count = stored.added == 0   ? "Aucune période ajoutée"
                              : stored.added == 1 ? "1 période ajoutée"
                                                  : std::to_string(stored.added) + " périodes ajoutées";
    std::printf("%s aux vacances scolaires (%s).\n", count.c_str(), Coverage(import.periods).c_str());
    return 0;
}

} // namespace app
