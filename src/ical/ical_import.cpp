#include "ical/ical_import.h"

#include "ical/ical_handles.h"
#include "model/ole_date_time.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <system_error>

namespace ical {

namespace {

// Steps of one recurrence rule: an event every hour for eleven years, and a bound on the time a
// rule such as FREQ=SECONDLY can take.
constexpr int kMaxRuleSteps = 100000;
// How far an occurrence starting before the year may still reach into it, in days.
constexpr int kMaxReachDays = 10000;

std::string NotICalendar(const std::string &fileName)
{
    return "Le fichier « " + fileName + " » n'est pas un fichier iCalendar : aucun jour n'a été ajouté.";
}

std::int64_t DayNumberOf(const icaltimetype &time)
{
    return model::DayNumber(time.year, time.month, time.day);
}

// A day cell shows one line: control characters become spaces, and the label keeps its first
// 254 characters (not bytes: a character of UTF-8 is never cut in two).
std::string CleanLabel(const char *summary)
{
    std::string label;
    std::size_t characters = 0;
    for (const char *p = summary; *p != '\0'; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        const bool continuation = (c & 0xC0) == 0x80;
        if (!continuation && characters++ == kMaxLabelCharacters)
            break;
        label += c < 0x20 || c == 0x7F ? ' ' : static_cast<char>(c);
    }
    return label;
}

bool SameStart(const icaltimetype &a, const icaltimetype &b)
{
    return a.is_date || b.is_date ? icaltime_compare_date_only(a, b) == 0 : icaltime_compare(a, b) == 0;
}

// What one import reads besides the file.
struct Window {
    int year;
    icaltimezone *local; // null: timed events keep the date they are written with
    std::int64_t firstDay;
    std::int64_t lastDay;
    std::map<std::string, std::vector<icaltimetype>> replaced; // UID -> RECURRENCE-IDs of its own events
};

// The start of every occurrence of an event that may touch the year: DTSTART, the RRULE
// occurrences and the RDATEs, less the EXDATEs and the occurrences replaced by events of their own.
std::vector<icaltimetype> Occurrences(icalcomponent *event, const icaltimetype &start, std::int64_t spanDays,
                                      const Window &window)
{
    icaltimetype from = start;
    from.year = window.year;
    from.month = 1;
    from.day = 1;
    icaltime_adjust(&from, -static_cast<int>(std::min<std::int64_t>(spanDays, kMaxReachDays)) - 1, 0, 0, 0);
    icaltimetype until = start;
    until.year = window.year + 1;
    until.month = 1;
    until.day = 1;
    icaltime_adjust(&until, 1, 0, 0, 0); // a day more for the time zones

    std::vector<icaltimetype> starts{start};
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
        const icalrecurrencetype rule = icalproperty_get_rrule(p);
        icalrecur_iterator *it = icalrecur_iterator_new(rule, start);
        if (it == nullptr)
            continue;
        // A rule without COUNT can jump to the year; one with COUNT has to be walked from DTSTART.
        if (rule.count == 0 && icaltime_compare(from, start) > 0)
            icalrecur_iterator_set_start(it, from);
        for (int step = 0; step < kMaxRuleSteps; ++step) {
            const icaltimetype next = icalrecur_iterator_next(it);
            if (icaltime_is_null_time(next) || icaltime_compare(next, until) > 0)
                break;
            if (icaltime_compare(next, from) >= 0)
                starts.push_back(next);
        }
        icalrecur_iterator_free(it);
    }
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
        starts.push_back(icaltime_is_null_time(rdate.time) ? rdate.period.start : rdate.time);
    }

    std::vector<icaltimetype> excluded;
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
        excluded.push_back(icalproperty_get_exdate(p));
    const char *uid = icalcomponent_get_uid(event);
    const bool isReplacement = !icaltime_is_null_time(icalcomponent_get_recurrenceid(event));
    if (uid != nullptr && !isReplacement) {
        if (const auto replaced = window.replaced.find(uid); replaced != window.replaced.end())
            excluded.insert(excluded.end(), replaced->second.begin(), replaced->second.end());
    }

    std::sort(starts.begin(), starts.end(),
              [](const icaltimetype &a, const icaltimetype &b) { return icaltime_compare(a, b) < 0; });
    starts.erase(std::unique(starts.begin(), starts.end(), SameStart), starts.end());
    std::erase_if(starts, [&excluded](const icaltimetype &t) {
        return icaltime_is_null_time(t) ||
               std::any_of(excluded.begin(), excluded.end(), [&t](const icaltimetype &x) { return SameStart(t, x); });
    });
    return starts;
}

void AddEvent(icalcomponent *event, const Window &window, std::vector<model::DayLabel> &days)
{
    if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED)
        return;
    const char *summary = icalcomponent_get_summary(event);
    const icaltimetype start = icalcomponent_get_dtstart(event);
    // A day without a label would hide the public holiday of its date: such events are left out.
    if (summary == nullptr || *summary == '\0' || icaltime_is_null_time(start) || !icaltime_is_valid_time(start))
        return;
    const std::string label = CleanLabel(summary);

    // DTEND of an all-day event is the first day after it; without DTEND or DURATION it is one day.
    std::int64_t spanDays = 1;
    if (start.is_date) {
        const icaltimetype end = icalcomponent_get_dtend(event);
        if (!icaltime_is_null_time(end))
            spanDays = std::max<std::int64_t>(1, DayNumberOf(end) - DayNumberOf(start));
    }

    std::set<std::int64_t> given; // several occurrences on one day give that day once
    for (const icaltimetype &occurrence : Occurrences(event, start, spanDays, window)) {
        std::int64_t first = 0;
        std::int64_t last = 0;
        if (start.is_date) {
            first = DayNumberOf(occurrence);
            last = first + spanDays - 1;
        } else {
            const icaltimetype local = occurrence.zone != nullptr && window.local != nullptr
                                           ? icaltime_convert_to_zone(occurrence, window.local)
                                           : occurrence;
            first = last = DayNumberOf(local);
        }
        for (std::int64_t day = std::max(first, window.firstDay); day <= std::min(last, window.lastDay); ++day) {
            if (!given.insert(day).second)
                continue;
            const COleDateTime date = COleDateTime::FromValue(static_cast<double>(day));
            days.push_back({date.GetMonth(), date.GetDay(), label});
            if (days.size() > kMaxImportedDays)
                return;
        }
    }
}

std::vector<icalcomponent *> Children(icalcomponent *parent, icalcomponent_kind kind)
{
    std::vector<icalcomponent *> children;
    for (icalcomponent *c = icalcomponent_get_first_component(parent, kind); c != nullptr;
         c = icalcomponent_get_next_component(parent, kind))
        children.push_back(c);
    return children;
}

icaltimezone *ZoneNamed(const std::string &name)
{
    if (name == "UTC")
        return icaltimezone_get_utc_timezone();
    return name.empty() ? nullptr : icaltimezone_get_builtin_timezone(name.c_str());
}

} // namespace

ImportResult ImportCalendar(const std::string &text, int year, const std::string &localZone,
                            const std::string &fileName)
{
    ImportResult result;
    icalerror_set_errors_are_fatal(0);
    const Component root(icalparser_parse_string(text.c_str()));
    std::vector<icalcomponent *> calendars;
    if (root && icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT)
        calendars.push_back(root.get());
    else if (root && icalcomponent_isa(root.get()) == ICAL_XROOT_COMPONENT)
        calendars = Children(root.get(), ICAL_VCALENDAR_COMPONENT);
    if (calendars.empty()) {
        result.error = NotICalendar(fileName);
        return result;
    }
    if (year < COleDateTime::kMinYear || year > COleDateTime::kMaxYear)
        return result;

    Window window{year, ZoneNamed(localZone), model::DayNumber(year, 1, 1), model::DayNumber(year, 12, 31), {}};
    std::vector<icalcomponent *> events;
    for (icalcomponent *calendar : calendars) {
        const auto found = Children(calendar, ICAL_VEVENT_COMPONENT);
        events.insert(events.end(), found.begin(), found.end());
    }
    for (icalcomponent *event : events) {
        const icaltimetype replaced = icalcomponent_get_recurrenceid(event);
        const char *uid = icalcomponent_get_uid(event);
        if (uid != nullptr && !icaltime_is_null_time(replaced))
            window.replaced[uid].push_back(replaced);
    }
    for (icalcomponent *event : events) {
        AddEvent(event, window, result.days);
        if (result.days.size() > kMaxImportedDays) {
            result.days.clear();
            result.error = "Le fichier « " + fileName + " » donne plus de " + std::to_string(kMaxImportedDays) +
                           " jours pour " + std::to_string(year) + " : aucun jour n'a été ajouté.";
            return result;
        }
    }
    return result;
}

ImportResult ImportCalendarFile(const std::string &path, int year, const std::string &localZone)
{
    ImportResult result;
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(path, error);
    const std::uintmax_t size = regular ? std::filesystem::file_size(path, error) : 0;
    std::ifstream in(path, std::ios::binary);
    if (!regular || error || !in) {
        result.error = "Impossible de lire le fichier « " + path + " » : aucun jour n'a été ajouté.";
        return result;
    }
    if (size > kMaxFileBytes) {
        result.error = "Le fichier « " + path + " » est trop volumineux pour un agenda (plus de " +
                       std::to_string(kMaxFileBytes / (1024 * 1024)) + " Mo) : aucun jour n'a été ajouté.";
        return result;
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    if (!in.read(text.data(), static_cast<std::streamsize>(text.size()))) {
        result.error = "Impossible de lire le fichier « " + path + " » : aucun jour n'a été ajouté.";
        return result;
    }
    return ImportCalendar(text, year, localZone, path);
}

} // namespace ical
