#include "ical/ical_import.h"

#include "ical/recurrence_walk.h"
#include "ical/safe_parse.h"
#include "model/ole_date_time.h"
#include "platform/text_encoding.h"

#include <algorithm>
#include <map>
#include <set>

namespace ical {

namespace {

constexpr const char *kNothingAdded = " : aucun jour n'a été ajouté.";

std::int64_t DayNumberOf(const icaltimetype &time)
{
    return model::DayNumber(time.year, time.month, time.day);
}

// The label as the settings store will keep it: one line (control characters become spaces,
// bidirectional overrides go) of
// at most 254 UTF-16 units, a character beyond the BMP counting two and never cut in half.
std::string StoredLabel(const char *summary)
{
    std::string label;
    std::size_t units = 0;
    const std::string clean = platform::WithoutHiddenControls(summary);
    for (const char *p = clean.c_str(); *p != '\0'; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if ((c & 0xC0) != 0x80) {
            units += c >= 0xF0 ? 2 : 1;
            if (units > kMaxLabelUnits)
                break;
        }
        label += c < 0x20 || c == 0x7F ? ' ' : static_cast<char>(c);
    }
    return label;
}

// What one import reads besides the file.
struct Window {
    int year;
    icaltimezone *local; // null: timed events keep the date they are written with
    std::int64_t firstDay;
    std::int64_t lastDay;
    std::map<std::string, std::vector<icaltimetype>> replaced; // UID -> RECURRENCE-IDs of its own events
    int reachDays;
};

// The occurrence an event replaces, in its zone: compared as an instant with the occurrences of
// the event it moves.
icaltimetype RecurrenceId(icalcomponent *event)
{
    return TimeOfProperty(icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY), event);
}

Exclusions ExclusionsOf(icalcomponent *event, const Window &window)
{
    Exclusions excluded;
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
        excluded.Add(TimeOfProperty(p, event));
    const char *uid = icalcomponent_get_uid(event);
    const bool isReplacement = !icaltime_is_null_time(RecurrenceId(event));
    if (uid != nullptr && !isReplacement) {
        if (const auto replaced = window.replaced.find(uid); replaced != window.replaced.end()) {
            for (const icaltimetype &time : replaced->second)
                excluded.Add(time);
        }
    }
    excluded.Seal();
    return excluded;
}

// Occurrences starting from so long before the year (and up to a day after it, for the time
// zones) may reach into it.
WalkSpan SpanOf(const icaltimetype &start, std::int64_t spanDays, const Window &window)
{
    icaltimetype from = start;
    from.year = window.year;
    from.month = 1;
    from.day = 1;
    icaltime_adjust(&from, -static_cast<int>(std::min<std::int64_t>(spanDays, window.reachDays)) - 1, 0, 0, 0);
    icaltimetype until = start;
    until.year = window.year + 1;
    until.month = 1;
    until.day = 1;
    icaltime_adjust(&until, 1, 0, 0, 0);
    return {from, until};
}

// The event's dates in the year, each once.
std::set<std::int64_t> EventDays(icalcomponent *event, const icaltimetype &start, const Window &window,
                                 WalkBudget &budget)
{
    // DTEND of an all-day event is the first day after it; without DTEND or DURATION it is one day.
    std::int64_t spanDays = 1;
    if (start.is_date) {
        const icaltimetype end = icalcomponent_get_dtend(event);
        if (!icaltime_is_null_time(end))
            spanDays = std::max<std::int64_t>(1, DayNumberOf(end) - DayNumberOf(start));
    }
    std::set<std::int64_t> days;
    const auto take = [&](const icaltimetype &occurrence) {
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
        for (std::int64_t day = std::max(first, window.firstDay); day <= std::min(last, window.lastDay); ++day)
            days.insert(day);
    };

    const Exclusions excluded = ExclusionsOf(event, window);
    if (!excluded.Contains(start))
        take(start);
    const WalkSpan span = SpanOf(start, spanDays, window);
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY))
        WalkRule(icalproperty_get_rrule(p), start, span, excluded, budget, take);
    for (icalproperty *p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
        const icaltimetype time = icaltime_is_null_time(rdate.time) ? rdate.period.start : rdate.time;
        if (ExistingTime(time) && !excluded.Contains(time))
            take(time);
    }
    return days;
}

// False for an event whose dates do not exist, which is left out.
bool AddEvent(icalcomponent *event, const Window &window, WalkBudget &budget, std::vector<model::DayLabel> &days)
{
    if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED)
        return true;
    const char *summary = icalcomponent_get_summary(event);
    const icaltimetype start = icalcomponent_get_dtstart(event);
    // A day without a label would hide the public holiday of its date: such events are left out.
    if (summary == nullptr || *summary == '\0' || icaltime_is_null_time(start))
        return true;
    const icaltimetype end = icalcomponent_get_dtend(event);
    const icaltimetype replaced = RecurrenceId(event);
    if (!ExistingTime(start) || (!icaltime_is_null_time(end) && !ExistingTime(end)) ||
        (!icaltime_is_null_time(replaced) && !ExistingTime(replaced)))
        return false;
    const std::string label = StoredLabel(summary);
    for (const std::int64_t day : EventDays(event, start, window, budget)) {
        const COleDateTime date = COleDateTime::FromValue(static_cast<double>(day));
        days.push_back({date.GetMonth(), date.GetDay(), label});
    }
    return true;
}

std::vector<icalcomponent *> Events(const std::vector<icalcomponent *> &calendars)
{
    std::vector<icalcomponent *> events;
    for (icalcomponent *calendar : calendars) {
        for (icalcomponent *c = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); c != nullptr;
             c = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
            events.push_back(c);
    }
    return events;
}

icaltimezone *ZoneNamed(const std::string &name)
{
    if (name == "UTC")
        return icaltimezone_get_utc_timezone();
    return name.empty() ? nullptr : icaltimezone_get_builtin_timezone(name.c_str());
}

} // namespace

ImportResult ImportCalendar(std::string text, int year, const std::string &localZone, const std::string &fileName,
                            const ImportLimits &limits)
{
    ImportResult result;
    if (year < COleDateTime::kMinYear || year > kLastImportYear) {
        result.error = "Les agendas ne sont lus que pour les années " + std::to_string(COleDateTime::kMinYear) + " à " +
                       std::to_string(kLastImportYear) + kNothingAdded;
        return result;
    }
    const ParsedCalendar parsed = ParseCalendarSafely(std::move(text), limits, fileName);
    if (!parsed.error.empty()) {
        result.error = parsed.error + kNothingAdded;
        return result;
    }
    if (parsed.windows1252)
        result.notes.push_back("Le fichier « " + fileName +
                               " » n'est pas en UTF-8 : il a été lu comme du Windows-1252 (Europe de l'Ouest).");

    Window window{year, ZoneNamed(localZone), model::DayNumber(year, 1, 1), model::DayNumber(year, 12, 31),
                  {},   limits.reachDays};
    const std::vector<icalcomponent *> events = Events(parsed.calendars);
    for (icalcomponent *event : events) {
        const icaltimetype replaced = RecurrenceId(event);
        const char *uid = icalcomponent_get_uid(event);
        if (uid != nullptr && !icaltime_is_null_time(replaced))
            window.replaced[uid].push_back(replaced);
    }
    WalkBudget budget(limits);
    std::size_t impossible = 0;
    for (icalcomponent *event : events) {
        impossible += AddEvent(event, window, budget, result.days) ? 0 : 1;
        if (result.days.size() > limits.days) {
            result.days.clear();
            result.notes.clear();
            result.error = "Le fichier « " + fileName + " » donne plus de " + std::to_string(limits.days) +
                           " jours pour " + std::to_string(year) + kNothingAdded;
            return result;
        }
    }
    if (impossible > 0) {
        const std::string what =
            "Le fichier « " + fileName + " » a " +
            (impossible == 1 ? std::string("un événement daté") : std::to_string(impossible) + " événements datés") +
            " d'un jour ou d'une heure qui n'existe pas (30 février, mois 13, 25 h…)";
        if (result.days.empty()) {
            result.notes.clear();
            result.error = what + kNothingAdded;
            return result;
        }
        result.notes.push_back(what +
                               (impossible == 1 ? " : il a été laissé de côté." : " : ils ont été laissés de côté."));
    }
    if (budget.Spent()) {
        result.cutShort = true;
        result.notes.push_back("La lecture des événements répétés de « " + fileName +
                               " » s'est arrêtée avant la fin (" + budget.Reason() + ") : des jours de " +
                               std::to_string(year) + " peuvent manquer.");
    }
    return result;
}

ImportResult ImportCalendarFile(const std::string &path, int year, const std::string &localZone,
                                const ImportLimits &limits)
{
    CalendarBytes file = ReadCalendarFile(path, limits);
    if (!file.error.empty()) {
        ImportResult result;
        result.error = file.error + kNothingAdded;
        return result;
    }
    return ImportCalendar(std::move(file.bytes), year, localZone, path, limits);
}

} // namespace ical
