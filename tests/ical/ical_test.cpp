#include "ical/ical_export.h"
#include "ical/ical_import.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using Days = std::vector<model::DayLabel>;

std::string Calendar(const std::vector<std::string> &events)
{
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Agenda//FR\r\n";
    for (std::size_t i = 0; i < events.size(); ++i)
        text += "BEGIN:VEVENT\r\nUID:e" + std::to_string(i) + "@test\r\nDTSTAMP:20260901T080000Z\r\n" + events[i] +
                "END:VEVENT\r\n";
    return text + "END:VCALENDAR\r\n";
}

std::set<std::string> Uids(const std::string &text)
{
    std::set<std::string> uids;
    for (std::size_t at = text.find("\nUID:"); at != std::string::npos; at = text.find("\nUID:", at + 1))
        uids.insert(text.substr(at, text.find('\r', at) - at));
    return uids;
}

Days Import(const std::vector<std::string> &events, int year = 2027)
{
    const ical::ImportResult result = ical::ImportCalendar(Calendar(events), year, "Europe/Paris", "agenda.ics");
    EXPECT_EQ(result.error, "");
    return result.days;
}

TEST(IcalExport, ImportGivesBackTheExportedDaysWithSteadyUids)
{
    model::HolidayOptions options;
    options.region = model::Region::AlsaceMoselle;
    Days days = model::LabelledDaysOfYear(2027, options);
    days.push_back({8, 9, "Fermeture, atelier; \"été\"", true});
    const std::string first = ical::ExportCalendar({2027, days, 1800000000});
    const std::string second = ical::ExportCalendar({2027, days, 1900000000});

    EXPECT_NE(first.find("DTSTART;VALUE=DATE:20271226\r\nDTEND;VALUE=DATE:20271227\r\n"), std::string::npos) << first;
    EXPECT_NE(first.find("DTSTAMP:20270115T080000Z"), std::string::npos);
    EXPECT_NE(first.find("CATEGORIES:Jour particulier"), std::string::npos);
    EXPECT_NE(first.find("CATEGORIES:Jour férié"), std::string::npos);
    EXPECT_EQ(Uids(first), Uids(second));
    EXPECT_EQ(Uids(first).size(), days.size());
    EXPECT_NE(ical::EventUid(2027, 1, 1, "Nouvel An"), ical::EventUid(2027, 1, 1, "Jour de l'an"));
    EXPECT_NE(ical::EventUid(2027, 1, 1, "Nouvel An"), ical::EventUid(2028, 1, 1, "Nouvel An"));

    const ical::ImportResult back = ical::ImportCalendar(first, 2027, "Europe/Paris", "export.ics");
    ASSERT_EQ(back.error, "");
    ASSERT_EQ(back.days.size(), days.size());
    for (std::size_t i = 0; i < days.size(); ++i) {
        EXPECT_EQ(back.days[i].month, days[i].month);
        EXPECT_EQ(back.days[i].day, days[i].day);
        EXPECT_EQ(back.days[i].label, days[i].label);
    }
}

TEST(IcalImport, EventsGiveTheirDatesInTheYear)
{
    const std::string longSummary = "Révision " + std::string(300, 'e');
    struct Case {
        const char *what;
        std::string event;
        Days days;
    };
    const std::vector<Case> cases = {
        {"all-day over three days",
         "DTSTART;VALUE=DATE:20270308\r\nDTEND;VALUE=DATE:20270311\r\nSUMMARY:Séminaire\r\n",
         {{3, 8, "Séminaire"}, {3, 9, "Séminaire"}, {3, 10, "Séminaire"}}},
        {"all-day without an end", "DTSTART;VALUE=DATE:20270704\r\nSUMMARY:Kermesse\r\n", {{7, 4, "Kermesse"}}},
        {"all-day across New Year",
         "DTSTART;VALUE=DATE:20261230\r\nDTEND;VALUE=DATE:20270103\r\nSUMMARY:Pont\r\n",
         {{1, 1, "Pont"}, {1, 2, "Pont"}}},
        {"timed, floating",
         "DTSTART:20270915T100000\r\nDTEND:20270915T113000\r\nSUMMARY:Visite\r\n",
         {{9, 15, "Visite"}}},
        {"timed in UTC, the next day in Paris", "DTSTART:20270305T233000Z\r\nSUMMARY:Appel\r\n", {{3, 6, "Appel"}}},
        {"timed in UTC, already 2028 in Paris", "DTSTART:20271231T233000Z\r\nSUMMARY:Réveillon\r\n", {}},
        {"weekly, three times",
         "DTSTART;VALUE=DATE:20271004\r\nDTEND;VALUE=DATE:20271005\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\nSUMMARY:Cours\r\n",
         {{10, 4, "Cours"}, {10, 11, "Cours"}, {10, 18, "Cours"}}},
        {"yearly since 1990, less one date",
         "DTSTART;VALUE=DATE:19900610\r\nRRULE:FREQ=YEARLY\r\nEXDATE;VALUE=DATE:20260610\r\nSUMMARY:Fête\r\n",
         {{6, 10, "Fête"}}},
        {"monthly, one excluded",
         "DTSTART:20271101T090000\r\nRRULE:FREQ=MONTHLY;UNTIL=20280301T000000\r\nEXDATE:20271201T090000\r\n"
         "SUMMARY:Bilan\r\n",
         {{11, 1, "Bilan"}}},
        {"another year", "DTSTART;VALUE=DATE:20280612\r\nSUMMARY:Salon\r\n", {}},
        {"cancelled", "DTSTART;VALUE=DATE:20270612\r\nSTATUS:CANCELLED\r\nSUMMARY:Annulé\r\n", {}},
        {"no summary", "DTSTART;VALUE=DATE:20270612\r\n", {}},
        {"a label on one line, cut to 254 characters",
         "DTSTART;VALUE=DATE:20270201\r\nSUMMARY:" + longSummary + "\\nsuite\r\n",
         {{2, 1, longSummary.substr(0, 255)}}}, // "é" takes two bytes
    };
    for (const Case &c : cases)
        EXPECT_EQ(Import({c.event}), c.days) << c.what;
}

TEST(IcalImport, AnOccurrenceMovedByItsOwnEventCountsOnItsNewDate)
{
    std::string text = Calendar({});
    const std::string events =
        "BEGIN:VEVENT\r\nUID:r@test\r\nDTSTAMP:20260901T080000Z\r\nDTSTART;VALUE=DATE:20270105\r\n"
        "RRULE:FREQ=WEEKLY;COUNT=2\r\nSUMMARY:Réunion\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:r@test\r\nDTSTAMP:20260901T080000Z\r\nRECURRENCE-ID;VALUE=DATE:20270112\r\n"
        "DTSTART;VALUE=DATE:20270114\r\nSUMMARY:Réunion\r\nEND:VEVENT\r\n";
    text.insert(text.find("END:VCALENDAR"), events);
    const ical::ImportResult result = ical::ImportCalendar(text, 2027, "Europe/Paris", "agenda.ics");
    EXPECT_EQ(result.days, (Days{{1, 5, "Réunion"}, {1, 14, "Réunion"}}));
}

TEST(IcalImport, FilesThatAreNotAgendasAddNothing)
{
    const std::string bad[] = {"Objet;Début;Fin\nFermeture;2027-08-09;2027-08-13\n", "",
                               std::string("\x89PNG\r\n\x1a\n\0\0", 10), "BEGIN:VEVENT\r\nEND:VEVENT\r\n"};
    for (const std::string &text : bad) {
        const ical::ImportResult result = ical::ImportCalendar(text, 2027, "Europe/Paris", "agenda.csv");
        EXPECT_TRUE(result.days.empty());
        EXPECT_EQ(result.error, "Le fichier « agenda.csv » n'est pas un fichier iCalendar : aucun jour n'a été ajouté.")
            << text;
    }
    const ical::ImportResult missing = ical::ImportCalendarFile("/nonexistent/agenda.ics", 2027, "Europe/Paris");
    EXPECT_NE(missing.error.find("Impossible de lire le fichier « /nonexistent/agenda.ics »"), std::string::npos);
}

TEST(IcalImport, BoundlessAgendasStayBounded)
{
    // Every minute since 1900: the walk through the rule stops, each day comes once.
    const Days minutes = Import({"DTSTART:19000101T000000\r\nRRULE:FREQ=MINUTELY\r\nSUMMARY:Tic\r\n"});
    EXPECT_LE(minutes.size(), 365u);
    // Thirty events covering the whole year make too many days to be of any use.
    const std::vector<std::string> wholeYear(
        30, "DTSTART;VALUE=DATE:20270101\r\nDTEND;VALUE=DATE:20280101\r\nSUMMARY:Tout\r\n");
    const ical::ImportResult result = ical::ImportCalendar(Calendar(wholeYear), 2027, "Europe/Paris", "a.ics");
    EXPECT_TRUE(result.days.empty());
    EXPECT_NE(result.error.find("plus de 10000 jours"), std::string::npos) << result.error;
}

} // namespace
