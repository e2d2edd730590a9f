#include "app/school_holidays.h"

#include "almanac/school_import.h"
#include "almanac/school_store.h"
#include "app/command_line.h"

#include "platform/user_prompts.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <algorithm>
#include <bit>
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

// "3 périodes ajoutées aux vacances scolaires (zones A, C ; 2026-2027) ; remplace 4 périodes de la
// zone A, 2026-2027."
std::string ImportSummary(const almanac::SchoolImport &import, const almanac::StoredImport &stored)
{
    const std::string count = stored.added == 0   ? "Aucune période ajoutée"
                              : stored.added == 1 ? "1 période ajoutée"
                                                  : std::to_string(stored.added) + " périodes ajoutées";
    std::string text = count + " aux vacances scolaires (" + Coverage(import.periods) + ")";
    // What went is said as well: a publication of one bridge replaces its zone's whole year.
    for (const auto &[group, removed] : stored.removed) {
        const auto [zone, year] = group;
        text += (removed == 1 ? " ; remplace 1 période" : " ; remplace " + std::to_string(removed) + " périodes") +
                " de la zone " + almanac::ZoneLetter(zone) + ", " + std::to_string(year) + '-' +
                std::to_string(year + 1);
    }
    return text + '.';
}

const char *const kWindows1252Note = "il n'était pas en UTF-8 et a été lu en Windows-1252.";

} // namespace

int ListSchoolHolidaysCommand(int year)
{
    const almanac::SchoolCalendar calendar = almanac::LoadSchoolCalendar();
    std::fputs(almanac::ListSchoolHolidays(calendar, year).c_str(), stdout);
    bool unknown = false;
    for (const almanac::SchoolZone zone : almanac::kSchoolZones) {
        const std::string text = almanac::UnknownDaysText(calendar, zone, almanac::YearDays(year));
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
        std::fprintf(stderr, "tamvel : « %s » : %s\n", path.c_str(), kWindows1252Note);
    const almanac::StoredImport stored = almanac::StoreSchoolImport(import.periods);
    if (!stored.error.empty()) {
        std::fprintf(stderr, "tamvel : %s\n", stored.error.c_str());
        return kUsageError;
    }
    std::printf("%s\n", ImportSummary(import, stored).c_str());
    return 0;
}

void RunSchoolImport(QWidget *parent, unsigned zonesShown)
{
    const QString caption = QStringLiteral("Importer le calendrier scolaire");
    // No file named: the dialog opens in the folder of the last file chosen, else the home folder.
    const QString chosen = platform::Prompts().OpenFileName(
        parent, QString(), QStringLiteral("Calendriers scolaires (*.ics *.csv);;Tous les fichiers (*)"), QString());
    if (chosen.isEmpty())
        return;
    const std::string path = QFile::encodeName(chosen).toStdString();
    almanac::SchoolImport import = almanac::ReadSchoolCalendarFile(path, std::nullopt);
    if (import.zoneUnknown && std::popcount(zonesShown) == 1)
        import = almanac::ReadSchoolCalendarFile(path, static_cast<almanac::SchoolZone>(std::countr_zero(zonesShown)));
    if (!import.error.empty()) {
        QString text = QString::fromStdString(import.error);
        if (import.zoneUnknown)
            text += QStringLiteral("\n\nCochez sa zone, et elle seule, dans Affichage > Almanach > Vacances scolaires, "
                                   "puis importez-le à nouveau.");
        platform::Prompts().Message(parent, caption, text, platform::MessageIcon::Exclamation);
        return;
    }
    const almanac::StoredImport stored = almanac::StoreSchoolImport(import.periods);
    if (!stored.error.empty()) {
        platform::Prompts().Message(parent, caption, QString::fromStdString(stored.error),
                                    platform::MessageIcon::Exclamation);
        return;
    }
    almanac::ReloadSchoolCalendar();
    QString text = QString::fromStdString(ImportSummary(import, stored));
    if (import.fromWindows1252)
        text += QStringLiteral("\n\n« %1 » : %2").arg(chosen, QString::fromUtf8(kWindows1252Note));
    platform::Prompts().Message(parent, caption, text);
}

} // namespace app
