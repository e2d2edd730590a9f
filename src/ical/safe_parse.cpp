#include "ical/safe_parse.h"

#include "model/ole_date_time.h"
#include "platform/regular_file.h"
#include "platform/text_encoding.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

namespace ical {

namespace {

std::string Quoted(const std::string &fileName)
{
    return "« " + fileName + " »";
}

std::string Megabytes(std::size_t bytes)
{
    return std::to_string(bytes / (1024 * 1024)) + " Mo";
}

// Follows the text as libical will split it: lines end at CR, LF or CRLF, and a line starting
// with a space or a tab continues the one before (empty lines in between are passed over, so
// that no fold can hide a BEGIN from this count). Only the property name of each unfolded line
// matters here, so at most its first few bytes are kept.
class LineScan
{
public:
    LineScan(const ImportLimits &limits, const std::string &fileName) : limits_(limits), fileName_(fileName) {}

    std::string Run(std::string_view text)
    {
        std::size_t at = 0;
        while (at < text.size() && error_.empty()) {
            std::size_t end = at;
            while (end < text.size() && text[end] != '\r' && text[end] != '\n')
                ++end;
            Physical(text.substr(at, end - at));
            if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
                ++end;
            at = end + 1;
        }
        if (error_.empty())
            EndLogical();
        return error_;
    }

    // Blocks left open at the end: a file cut short.
    bool Unfinished() const { return depth_ > 0; }

private:
    static constexpr std::size_t kNameBytes = 8;

    void Physical(std::string_view line)
    {
        if (line.size() > limits_.lineBytes) {
            error_ = "Le fichier " + Quoted(fileName_) + " a une ligne de plus de " + Megabytes(limits_.lineBytes);
            return;
        }
        if (line.empty())
            return;
        if (line[0] == ' ' || line[0] == '\t') {
            name_.append(line.substr(1, kNameBytes - std::min(kNameBytes, name_.size())));
            return;
        }
        EndLogical();
        name_.assign(line.substr(0, kNameBytes));
        if (++lines_ > limits_.lines)
            error_ = "Le fichier " + Quoted(fileName_) + " est trop long pour un agenda (plus de " +
                     std::to_string(limits_.lines) + " lignes)";
    }

    void EndLogical()
    {
        std::string name = name_.substr(0, name_.find_first_of(":;"));
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (name == "BEGIN" && ++depth_ > limits_.nesting)
            error_ = "Le fichier " + Quoted(fileName_) + " imbrique plus de " + std::to_string(limits_.nesting) +
                     " blocs BEGIN…END";
        else if (name == "END" && depth_ > 0)
            --depth_;
        name_.clear();
    }

    const ImportLimits &limits_;
    const std::string &fileName_;
    std::string name_;
    std::size_t lines_ = 0;
    int depth_ = 0;
    std::string error_;
};

// A time zone changes its offset at most a few times a year, by yearly rules such as "the last
// Sunday of March". libical expands an observance's rule change by change the first time the
// zone is used (every second of the years walked for FREQ=SECONDLY) and searches up to its last
// year for a yearly rule that never matches (30 April). Only yearly rules in one month that can
// match are kept; an observance without one keeps its first onset.
bool KeepsTimeZoneRule(const icalrecurrencetype &rule, const icaltimetype &onset)
{
    const auto none = [](const short *list) { return list[0] == ICAL_RECURRENCE_ARRAY_MAX; };
    if (rule.freq != ICAL_YEARLY_RECURRENCE || rule.interval > 1 || !none(rule.by_second) || !none(rule.by_minute) ||
        !none(rule.by_hour) || !none(rule.by_year_day) || !none(rule.by_week_no) || !none(rule.by_set_pos) ||
        rule.by_month[0] < 1 || rule.by_month[0] > 12 || rule.by_month[1] != ICAL_RECURRENCE_ARRAY_MAX)
        return false;
    const int days = model::DaysInMonth(2000, rule.by_month[0]); // a leap year: 29 February can match
    for (int i = 0; i < ICAL_BY_MONTHDAY_SIZE && rule.by_month_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
        if (rule.by_month_day[i] == 0 || std::abs(rule.by_month_day[i]) > days)
            return false;
    }
    for (int i = 0; i < ICAL_BY_DAY_SIZE && rule.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
        const int position = icalrecurrencetype_day_position(rule.by_day[i]);
        if (std::abs(position) > 5 || (position != 0 && !none(rule.by_month_day)))
            return false;
    }
    return !none(rule.by_day) || !none(rule.by_month_day) || (onset.day >= 1 && onset.day <= days);
}

std::string CheckTimeZones(const std::vector<icalcomponent *> &calendars, const ImportLimits &limits,
                           const std::string &fileName)
{
    int rules = 0;
    for (icalcomponent *calendar : calendars) {
        for (icalcomponent *zone = icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT);
             zone != nullptr; zone = icalcomponent_get_next_component(calendar, ICAL_VTIMEZONE_COMPONENT)) {
            for (icalcomponent *observance = icalcomponent_get_first_component(zone, ICAL_ANY_COMPONENT);
                 observance != nullptr; observance = icalcomponent_get_next_component(zone, ICAL_ANY_COMPONENT)) {
                std::vector<icalproperty *> dropped;
                const icaltimetype onset = icalcomponent_get_dtstart(observance);
                for (icalproperty *p = icalcomponent_get_first_property(observance, ICAL_RRULE_PROPERTY); p != nullptr;
                     p = icalcomponent_get_next_property(observance, ICAL_RRULE_PROPERTY)) {
                    if (!KeepsTimeZoneRule(icalproperty_get_rrule(p), onset))
                        dropped.push_back(p);
                    else if (++rules > limits.timeZoneRules)
                        return "Le fichier " + Quoted(fileName) + " décrit plus de " +
                               std::to_string(limits.timeZoneRules) + " règles de fuseau horaire";
                }
                for (icalproperty *p : dropped) {
                    icalcomponent_remove_property(observance, p);
                    icalproperty_free(p);
                }
            }
        }
    }
    return {};
}

std::vector<icalcomponent *> Children(icalcomponent *parent, icalcomponent_kind kind)
{
    std::vector<icalcomponent *> children;
    for (icalcomponent *c = icalcomponent_get_first_component(parent, kind); c != nullptr;
         c = icalcomponent_get_next_component(parent, kind))
        children.push_back(c);
    return children;
}

} // namespace

CalendarBytes ReadCalendarFile(const std::string &path, const ImportLimits &limits)
{
    platform::FileContents file = platform::ReadRegularFile(path, limits.fileBytes);
    CalendarBytes result;
    switch (file.problem) {
    case platform::FileProblem::None:
        result.bytes = std::move(file.bytes);
        break;
    case platform::FileProblem::Missing:
        result.error = "Le fichier " + Quoted(path) + " n'existe pas";
        break;
    case platform::FileProblem::Folder:
        result.error = Quoted(path) + " est un dossier, pas un agenda";
        break;
    case platform::FileProblem::NotRegular:
        result.error = Quoted(path) + " n'est pas un fichier ordinaire (tube ou périphérique)";
        break;
    case platform::FileProblem::Unreadable:
        result.error = "Impossible de lire le fichier " + Quoted(path);
        break;
    case platform::FileProblem::TooLarge:
        result.error = "Le fichier " + Quoted(path) + " est trop volumineux pour un agenda (plus de " +
                       Megabytes(limits.fileBytes) + ")";
        break;
    }
    return result;
}

bool ExistingTime(const icaltimetype &time)
{
    if (icaltime_is_null_time(time) || !icaltime_is_valid_time(time) || time.month < 1 || time.month > 12 ||
        time.day < 1 || time.day > model::DaysInMonth(time.year, time.month))
        return false;
    // A leap second (second 60) exists.
    return time.is_date || (time.hour >= 0 && time.hour < 24 && time.minute >= 0 && time.minute < 60 &&
                            time.second >= 0 && time.second <= 60);
}

icaltimetype TimeOfProperty(icalproperty *property, icalcomponent *component)
{
    return property != nullptr ? icalproperty_get_datetime_with_component(property, component) : icaltime_null_time();
}

ParsedCalendar ParseCalendarSafely(std::string bytes, const ImportLimits &limits, const std::string &fileName)
{
    ParsedCalendar parsed;
    parsed.windows1252 = platform::ConvertToUtf8(bytes);
    std::replace(bytes.begin(), bytes.end(), '\0', ' ');
    LineScan scan(limits, fileName);
    parsed.error = scan.Run(bytes);
    if (!parsed.error.empty())
        return parsed;

    icalerror_set_errors_are_fatal(0);
    parsed.root.reset(icalparser_parse_string(bytes.c_str()));
    icalcomponent *root = parsed.root.get();
    if (root != nullptr && icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT)
        parsed.calendars.push_back(root);
    else if (root != nullptr && icalcomponent_isa(root) == ICAL_XROOT_COMPONENT)
        parsed.calendars = Children(root, ICAL_VCALENDAR_COMPONENT);
    if (parsed.calendars.empty())
        parsed.error =
            "Le fichier " + Quoted(fileName) +
            (scan.Unfinished() ? " est incomplet (un bloc BEGIN n'a pas de END)" : " n'est pas un fichier iCalendar");
    else
        parsed.error = CheckTimeZones(parsed.calendars, limits, fileName);
    if (!parsed.error.empty())
        parsed.calendars.clear();
    return parsed;
}

} // namespace ical
