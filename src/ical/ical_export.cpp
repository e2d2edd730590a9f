#include "ical/ical_export.h"

#include "ical/ical_handles.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace ical {

namespace {

constexpr const char *kProductId = "-//Varnel//Générateur de Tamvel 7.0//FR";
constexpr const char *kPublicHoliday = "Jour férié";
constexpr const char *kParticularDay = "Jour particulier";

icaltimetype DateOf(int year, int month, int day)
{
    icaltimetype date = icaltime_null_date();
    date.year = year;
    date.month = month;
    date.day = day;
    return date;
}

} // namespace

std::string EventUid(int year, int month, int day, bool particular)
{
    char uid[64];
    std::snprintf(uid, sizeof uid, "%04d%02d%02d-%s@tamvel", year, month, day, particular ? "particulier" : "ferie");
    return uid;
}

std::string ExportCalendar(const CalendarYear &calendar)
{
    const Component root(icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT, icalproperty_new_version("2.0"),
                                             icalproperty_new_prodid(kProductId),
                                             icalproperty_new_calscale("GREGORIAN"), nullptr));
    const icaltimetype stamp =
        icaltime_from_timet_with_zone(static_cast<time_t>(calendar.stamp), 0, icaltimezone_get_utc_timezone());
    for (const model::DayLabel &day : calendar.days) {
        const icaltimetype start = DateOf(calendar.year, day.month, day.day);
        icaltimetype end = start;
        icaltime_adjust(&end, 1, 0, 0, 0);
        icalcomponent *event = icalcomponent_vanew(
            ICAL_VEVENT_COMPONENT,
            icalproperty_new_uid(EventUid(calendar.year, day.month, day.day, day.particular).c_str()),
            icalproperty_new_dtstamp(stamp), icalproperty_new_dtstart(start), icalproperty_new_dtend(end),
            icalproperty_new_summary(day.label.c_str()),
            icalproperty_new_categories(day.particular ? kParticularDay : kPublicHoliday),
            icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT), nullptr);
        icalcomponent_add_component(root.get(), event);
    }
    char *text = icalcomponent_as_ical_string_r(root.get());
    std::string result = text != nullptr ? text : "";
    std::free(text);
    return result;
}

} // namespace ical
