#include "almanac/school_import.h"

#include "almanac/school_limits.h"
#include "almanac/school_readers.h"
#include "platform/regular_file.h"
#include "platform/text_encoding.h"

#include <cctype>
#include <cerrno>

namespace almanac {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool StartsWithCalendar(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    constexpr std::string_view begin = "BEGIN:VCALENDAR";
    if (start == std::string_view::npos || text.size() - start < begin.size())
        return false;
    for (std::size_t i = 0; i < begin.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(text[start + i])) != begin[i])
            return false;
    }
    return true;
}

} // namespace

std::string Refusal(const std::string &fileName, const std::string &what)
{
    return "Le fichier « " + fileName + " » " + what + " : rien n'a été importé.";
}

std::string ImportDeadline::Reason()
{
    return "prend plus de " + std::to_string(kSchoolFileLimits.deadline.count()) + " ms à lire";
}

bool AddPeriod(SchoolImport &import, std::int64_t first, std::int64_t last, const std::vector<SchoolZone> &zones,
               const std::string &name, const std::string &where, const std::string &fileName)
{
    // An end on the start day marks when a holiday begins ("Début des Vacances d'Été") without
    // saying when it ends: no span to draw.
    if (last == first - 1)
        return true;
    if (last < first) {
        import.error = Refusal(fileName, "a une période qui finit avant de commencer (" + where + ")");
        return false;
    }
    if (last - first >= kMaxSchoolPeriodDays) {
        import.error = Refusal(fileName, "a une période de plus de " + std::to_string(kMaxSchoolPeriodDays) +
                                             " jours (" + where + "), ce ne sont pas des vacances scolaires");
        return false;
    }
    for (const SchoolZone zone : zones)
        import.periods.push_back({first, last, zone, name});
    return true;
}

SchoolImport ReadSchoolCalendar(std::string text, std::optional<SchoolZone> zone, const std::string &fileName)
{
    const bool converted = platform::ConvertToUtf8(text);
    if (std::string_view(text).starts_with(kByteOrderMark))
        text.erase(0, kByteOrderMark.size());
    SchoolImport import;
    if (text.find('\0') != std::string::npos) {
        import.error = Refusal(fileName, "n'est pas un calendrier scolaire (iCalendar ou CSV)");
        return import;
    }
    if (StartsWithCalendar(text)) {
        import = ReadSchoolIcal(std::move(text), zone, fileName);
    } else if (auto csv = ReadSchoolCsv(text, zone, fileName)) {
        import = std::move(*csv);
    } else {
        import.error = Refusal(fileName, "n'est pas un calendrier scolaire (iCalendar ou CSV)");
        return import;
    }
    if (import.error.empty() && import.periods.empty()) {
        const std::string zones = zone ? std::string("de la zone ") + ZoneLetter(*zone) : "des zones A, B ou C";
        import.error = Refusal(fileName, "ne donne aucune période de vacances " + zones);
    }
    if (!import.error.empty()) {
        import.periods.clear();
        return import;
    }
    import.periods = MergePeriods(std::move(import.periods));
    import.fromWindows1252 = converted;
    return import;
}

SchoolImport ReadSchoolCalendarFile(const std::string &path, std::optional<SchoolZone> zone)
{
    platform::FileContents file = platform::ReadRegularFile(path, kMaxSchoolFileBytes);
    SchoolImport import;
    switch (file.problem) {
    case platform::FileProblem::None:
        return ReadSchoolCalendar(std::move(file.bytes), zone, path);
    case platform::FileProblem::Missing:
        import.error = Refusal(path, "n'existe pas");
        break;
    case platform::FileProblem::Folder:
        import.error = "« " + path + " » est un dossier, pas un calendrier scolaire : rien n'a été importé.";
        break;
    case platform::FileProblem::NotRegular:
        import.error = Refusal(path, "n'est pas un fichier ordinaire (tube, périphérique)");
        break;
    case platform::FileProblem::Unreadable:
        import.error = Refusal(path, file.error == EACCES ? "ne peut pas être lu : vous n'avez pas le droit de le lire"
                                                          : "ne peut pas être lu : erreur de lecture");
        break;
    case platform::FileProblem::TooLarge:
        import.error = Refusal(path, "dépasse " + std::to_string(kMaxSchoolFileBytes / (1024 * 1024)) +
                                         " Mo, ce n'est pas un calendrier scolaire");
        break;
    }
    return import;
}

} // namespace almanac
