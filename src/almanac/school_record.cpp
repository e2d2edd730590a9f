#include "almanac/school_record.h"

#include <QFile>

#include <string>

namespace almanac {

namespace {

std::vector<std::string_view> SplitTabs(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t')) {
        fields.push_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    fields.push_back(line);
    return fields;
}

} // namespace

SchoolCalendar ParseSchoolRecord(std::string_view text)
{
    SchoolCalendar calendar;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || line.starts_with('#'))
            continue;
        const std::vector<std::string_view> fields = SplitTabs(line);
        if (fields.size() < 3)
            continue;
        const auto first = DayFromIso(std::string(fields[0] == "connu" ? fields[1] : fields[0]));
        const auto last = DayFromIso(std::string(fields[0] == "connu" ? fields[2] : fields[1]));
        if (!first || !last || *last < *first)
            continue;
        if (fields[0] == "connu") {
            for (auto &known : calendar.known)
                known.push_back({*first, *last});
            continue;
        }
        const auto zone = fields[2].size() == 1 ? ZoneFromLetter(fields[2][0]) : std::nullopt;
        if (zone)
            calendar.periods.push_back({*first, *last, *zone, std::string(fields.size() > 3 ? fields[3] : "")});
    }
    // Known ranges and periods as CombineCalendars leaves them: merged and sorted.
    return CombineCalendars(calendar, {});
}

const SchoolCalendar &SchoolRecord()
{
    static const SchoolCalendar record = [] {
        QFile file(QStringLiteral(":/almanac/vacances-scolaires.tsv"));
        const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return ParseSchoolRecord(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    }();
    return record;
}

} // namespace almanac
