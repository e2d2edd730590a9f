#include "almanac/school_limits.h"
#include "almanac/school_readers.h"
#include "almanac/school_text.h"
#include "ical/safe_parse.h"
#include "model/ole_date_time.h"

namespace almanac {

namespace {

std::vector<icalcomponent *> Children(icalcomponent *parent, icalcomponent_kind kind)
{
    std::vector<icalcomponent *> children;
    for (icalcomponent *c = icalcomponent_get_first_component(parent, kind); c != nullptr;
         c = icalcomponent_get_next_component(parent, kind))
        children.push_back(c);
    return children;
}

QString Text(const char *text)
{
    return text != nullptr ? QString::fromUtf8(text) : QString();
}

// The calendar's own name (X-WR-CALNAME), which may be the only place that names the zone.
QString CalendarName(icalcomponent *calendar)
{
    for (icalproperty *p = icalcomponent_get_first_property(calendar, ICAL_X_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(calendar, ICAL_X_PROPERTY)) {
        if (qstricmp(icalproperty_get_x_name(p), "X-WR-CALNAME") == 0)
            return Text(icalproperty_get_x(p));
    }
    return {};
}

// An all-day date is the date itself; a time with a zone is an instant, taken to Paris; a
// floating time is a Paris wall-clock time.
std::int64_t ParisDayOf(const icaltimetype &time)
{
    if (!time.is_date && time.zone != nullptr)
        return ParisDayOfInstant(icaltime_as_timet_with_zone(time, time.zone));
    return model::DayNumber(time.year, time.month, time.day);
}

bool InRange(const icaltimetype &time)
{
    return ical::ExistingTime(time) && time.year >= COleDateTime::kMinYear && time.year <= COleDateTime::kMaxYear;
}

} // namespace

SchoolImport ReadSchoolIcal(std::string text, std::optional<SchoolZone> zone, const std::string &fileName)
{
    SchoolImport import;
    // The agenda import's own guards: lines, nesting and time zones checked before libical
    // parses anything.
    const ical::ParsedCalendar parsed = ical::ParseCalendarSafely(std::move(text), kSchoolFileLimits, fileName);
    if (!parsed.error.empty()) {
        import.error = parsed.error + " : rien n'a été importé.";
        return import;
    }
    const ImportDeadline deadline;
    std::size_t events = 0;
    bool zoneless = false;
    for (icalcomponent *calendar : parsed.calendars) {
        const std::vector<SchoolZone> calendarZones = ZonesNamed(CalendarName(calendar));
        for (icalcomponent *event : Children(calendar, ICAL_VEVENT_COMPONENT)) {
            if (++events > kMaxSchoolRows) {
                import.error = Refusal(fileName, "a plus de " + std::to_string(kMaxSchoolRows) + " événements");
                return import;
            }
            if (deadline.Passed()) {
                import.error = Refusal(fileName, deadline.Reason());
                return import;
            }
            const QString summary = Text(icalcomponent_get_summary(event));
            if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED || !NamesSchoolHoliday(summary))
                continue;
            std::vector<SchoolZone> zones = ZonesNamed(summary);
            if (zones.empty())
                zones = ZonesNamed(Text(icalcomponent_get_description(event)) + u'\n' +
                                   Text(icalcomponent_get_location(event)));
            if (zones.empty())
                zones = calendarZones;
            if (zone) {
                if (zones.empty())
                    zones = {*zone};
                std::erase_if(zones, [&zone](SchoolZone z) { return z != *zone; });
            }
            zoneless = zoneless || zones.empty();
            if (zones.empty())
                continue;

            const std::string where = "événement « " + summary.toStdString() + " »";
            const icaltimetype start = icalcomponent_get_dtstart(event);
            const icaltimetype end = icalcomponent_get_dtend(event);
            // DTEND is the day classes resume. Without it (nor DURATION) the event only marks the
            // start of a holiday whose end is not published: nothing to draw.
            if (icaltime_is_null_time(end))
                continue;
            if (!InRange(start) || !InRange(end)) {
                import.error = Refusal(fileName, "a une date illisible (" + where + ")");
                return import;
            }
            icaltimetype before = end;
            icaltime_adjust(&before, 0, 0, 0, before.is_date ? 0 : -1);
            const std::int64_t first = ParisDayOf(start);
            const std::int64_t last = ParisDayOf(before) - (end.is_date ? 1 : 0);
            if (!AddPeriod(import, first, last, zones, HolidayName(summary), where, fileName))
                return import;
        }
    }
    if (zoneless && !zone) {
        import.error = Refusal(fileName, "ne dit pas de quelle zone sont ses vacances");
        import.zoneUnknown = true;
    }
    return import;
}

} // namespace almanac
