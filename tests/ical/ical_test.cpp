#include "ical/ical_export.h"
#include "ical/ical_import.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
    // A renamed day keeps its UID: an agenda updates the event instead of adding a second one.
    Days renamed = days;
    renamed.back().label = "Inventaire";
    const std::string second = ical::ExportCalendar({2027, renamed, 1900000000});

    EXPECT_NE(first.find("DTSTART;VALUE=DATE:20271226\r\nDTEND;VALUE=DATE:20271227\r\n"), std::string::npos) << first;
    EXPECT_NE(first.find("DTSTAMP:20270115T080000Z"), std::string::npos);
    EXPECT_NE(first.find("CATEGORIES:Jour particulier"), std::string::npos);
    EXPECT_NE(first.find("CATEGORIES:Jour férié"), std::string::npos);
    EXPECT_EQ(Uids(first), Uids(second));
    EXPECT_EQ(Uids(first).size(), days.size());

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
    // 254 UTF-16 units as the settings store counts them: the emoji takes two.
    const std::string longSummary = "Fête 🎉" + std::string(300, 'e');
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
        {"a right-to-left override taken out",
         "DTSTART;VALUE=DATE:20270613\r\nSUMMARY:Fo\u202Eire\r\n",
         {{6, 13, "Foire"}}},
        {"cancelled", "DTSTART;VALUE=DATE:20270612\r\nSTATUS:CANCELLED\r\nSUMMARY:Annulé\r\n", {}},
        {"no summary", "DTSTART;VALUE=DATE:20270612\r\n", {}},
        {"a label on one line, cut to 254 characters",
         "DTSTART;VALUE=DATE:20270201\r\nSUMMARY:" + longSummary + "\\nsuite\r\n",
         {{2, 1, longSummary.substr(0, 257)}}}, // 7 units in 10 bytes, then 247 "e"
        {"every 36 hours, three times",
         "DTSTART:20270301T120000\r\nRRULE:FREQ=HOURLY;INTERVAL=36;COUNT=3\r\nSUMMARY:G\r\n",
         {{3, 1, "G"}, {3, 3, "G"}, {3, 4, "G"}}},
        {"at 23:59 every minute, twice",
         "DTSTART:20270301T000000\r\nRRULE:FREQ=MINUTELY;BYHOUR=23;BYMINUTE=59;COUNT=2\r\nSUMMARY:M\r\n",
         {{3, 1, "M"}, {3, 2, "M"}}},
        {"every second for a day and a half",
         "DTSTART:20270301T000000\r\nRRULE:FREQ=SECONDLY;UNTIL=20270302T115959\r\nSUMMARY:S\r\n",
         {{3, 1, "S"}, {3, 2, "S"}}},
        {"at 9 every hour of the Mondays of March",
         "DTSTART:20270301T090000\r\nRRULE:FREQ=HOURLY;BYHOUR=9;BYDAY=MO;BYMONTH=3\r\nSUMMARY:H\r\n",
         {{3, 1, "H"}, {3, 8, "H"}, {3, 15, "H"}, {3, 22, "H"}, {3, 29, "H"}}},
        {"daily since 2015 until its COUNT runs out",
         "DTSTART;VALUE=DATE:20150101\r\nRRULE:FREQ=DAILY;COUNT=4386\r\nSUMMARY:D\r\n",
         {{1, 1, "D"}, {1, 2, "D"}, {1, 3, "D"}}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Import({c.event}), c.days) << c.what;
}

// Dates that do not exist are left out with a word; a file of nothing else adds nothing.
TEST(IcalImport, AnOccurrenceMovedByItsOwnEventCountsOnItsNewDateAndImpossibleDatesNowhere)
{
    std::string text = Calendar({"DTSTART;VALUE=DATE:20270230\r\nSUMMARY:Trente février\r\n",
                                 "DTSTART:20270310T250000\r\nSUMMARY:Vingt-cinq heures\r\n",
                                 "DTSTART;VALUE=DATE:20270300\r\nSUMMARY:Jour zéro\r\n"});
    const ical::ImportResult impossible = ical::ImportCalendar(text, 2027, "Europe/Paris", "agenda.ics");
    EXPECT_TRUE(impossible.days.empty());
    EXPECT_NE(impossible.error.find("3 événements datés d'un jour ou d'une heure qui n'existe pas"), std::string::npos)
        << impossible.error;
    // A moved occurrence in a zone the file does not describe is compared as the same instant.
    const std::string events =
        "BEGIN:VEVENT\r\nUID:r@test\r\nDTSTAMP:20260901T080000Z\r\nDTSTART;VALUE=DATE:20270105\r\n"
        "RRULE:FREQ=WEEKLY;COUNT=2\r\nSUMMARY:Réunion\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:r@test\r\nDTSTAMP:20260901T080000Z\r\nRECURRENCE-ID;VALUE=DATE:20270112\r\n"
        "DTSTART;VALUE=DATE:20270114\r\nSUMMARY:Réunion\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:p@test\r\nDTSTAMP:20260901T080000Z\r\nDTSTART;TZID=Europe/Paris:20270203T170000\r\n"
        "RRULE:FREQ=WEEKLY;COUNT=2\r\nSUMMARY:Piano\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:p@test\r\nDTSTAMP:20260901T080000Z\r\n"
        "RECURRENCE-ID;TZID=Europe/Paris:20270210T170000\r\nDTSTART;TZID=Europe/Paris:20270211T170000\r\n"
        "SUMMARY:Piano\r\nEND:VEVENT\r\n";
    text.insert(text.find("END:VCALENDAR"), events);
    const ical::ImportResult result = ical::ImportCalendar(text, 2027, "Europe/Paris", "agenda.ics");
    EXPECT_EQ(result.days, (Days{{1, 5, "Réunion"}, {1, 14, "Réunion"}, {2, 3, "Piano"}, {2, 11, "Piano"}}));
    ASSERT_EQ(result.notes.size(), 1u);
    EXPECT_NE(result.notes[0].find("ils ont été laissés de côté"), std::string::npos) << result.notes[0];
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
}

// Each file is written to disk and imported as the program imports it.
TEST(IcalImport, HostileAgendasGiveTheirDaysOrAMessageWithinTheBudget)
{
    const auto repeat = [](const std::string &text, int times) {
        std::string out;
        for (int i = 0; i < times; ++i)
            out += text;
        return out;
    };
    const auto event = [](const std::string &lines) { return "BEGIN:VEVENT\r\n" + lines + "END:VEVENT\r\n"; };
    const std::string head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//h//h//FR\r\n";
    const std::string tail = "END:VCALENDAR\r\n";
    std::string exdates;
    for (int i = 0; i < 20000; ++i) {
        char line[40];
        std::snprintf(line, sizeof line, "EXDATE:2027%02d%02dT%02d0000Z\r\n", 1 + i / 28 % 12, 1 + i % 28,
                      i / 336 % 24);
        exdates += line;
    }
    std::string rules;
    for (int i = 1; i <= 100; ++i)
        rules += "RRULE:FREQ=SECONDLY;INTERVAL=" + std::to_string(i) + "\r\n";
    ical::ImportLimits fewSteps;
    fewSteps.ruleSteps = 1000;

    const std::string fifo = "fifo";
    struct Case {
        const char *what;
        std::string file; // the path "fifo" is made a FIFO; an empty one is a missing file
        std::size_t days;
        const char *error; // part of the message, or "" when the file is read
        bool cutShort = false;
        ical::ImportLimits limits = {};
    };
    const std::vector<Case> cases = {
        {"a thousand nested blocks", head + repeat("BEGIN:X\r\n", 1000) + repeat("END:X\r\n", 1000) + tail, 0,
         "imbrique plus de 16 blocs"},
        {"nesting hidden by folds and bare CRs", head + repeat("BEG\r IN:X\r", 20) + tail, 0, "imbrique"},
        {"rules of every second, minute and hour that never match",
         head + event("DTSTART:20260105T090000\r\nRRULE:FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=30\r\nSUMMARY:S\r\n") +
             event("DTSTART:20260105T090000\r\nRRULE:FREQ=MINUTELY;BYMONTH=2;BYMONTHDAY=30\r\nSUMMARY:M\r\n") +
             event("DTSTART:20260105T090000\r\nRRULE:FREQ=HOURLY;BYMONTH=2;BYMONTHDAY=31\r\nSUMMARY:H\r\n") + tail,
         0, ""},
        {"a time zone changing every second",
         head +
             "BEGIN:VTIMEZONE\r\nTZID:Z\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\nRRULE:FREQ=SECONDLY\r\n"
             "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n" +
             event("DTSTART;TZID=Z:20270301T120000\r\nSUMMARY:Z\r\n") + tail,
         1, ""},
        {"a hundred rules of every second",
         head + event("DTSTART:20270101T000000Z\r\n" + rules + "SUMMARY:R\r\n") + tail, 365, ""},
        {"twenty thousand exclusions",
         head + event("DTSTART:20270101T000000Z\r\nRRULE:FREQ=SECONDLY\r\n" + exdates + "SUMMARY:X\r\n") + tail, 365,
         ""},
        {"an unfolded line over 1 MB",
         head + event("DTSTART;VALUE=DATE:20270302\r\nSUMMARY:" + std::string(1100000, 'a') + "\r\n") + tail, 0,
         "a une ligne de plus de 1 Mo"},
        {"huge COUNTs from 1900 and from the year 100",
         head +
             repeat(event("DTSTART:19000101T000000Z\r\nRRULE:FREQ=SECONDLY;COUNT=2000000000\r\nSUMMARY:E\r\n"), 400) +
             event("DTSTART;VALUE=DATE:01000101\r\nRRULE:FREQ=YEARLY;COUNT=2147483647\r\nSUMMARY:Y\r\n") + tail,
         1, ""},
        {"a walk longer than the budget, said",
         head + event("DTSTART;VALUE=DATE:20150101\r\nRRULE:FREQ=DAILY;COUNT=4386\r\nSUMMARY:D\r\n") +
             event("DTSTART;VALUE=DATE:20270704\r\nSUMMARY:F\r\n") + tail,
         1, "", true, fewSteps},
        {"NUL bytes",
         head + event("DTSTART;VALUE=DATE:20270305\r\nSUMMARY:Apr\xc3\xa8s" + std::string(1, '\0') + "NUL\r\n") +
             event("DTSTART;VALUE=DATE:20270306\r\nSUMMARY:Dernier\r\n") + tail,
         2, ""},
        {"more days than particular days can be",
         head + repeat(event("DTSTART;VALUE=DATE:20270101\r\nDTEND;VALUE=DATE:20280101\r\nSUMMARY:T\r\n"), 30) + tail,
         0, "plus de 10000 jours"},
        {"a FIFO", fifo, 0, "n'est pas un fichier ordinaire"},
        {"a missing file", "", 0, "n'existe pas"},
    };

    char pattern[] = "/tmp/ical_test.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::filesystem::path dir = pattern;
    for (const Case &c : cases) {
        const std::string path = (dir / (c.file == fifo   ? "fifo.ics"
                                         : c.file.empty() ? "absent.ics"
                                                          : "agenda.ics"))
                                     .string();
        if (c.file == fifo)
            ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        else if (!c.file.empty())
            std::ofstream(path, std::ios::binary) << c.file;
        const ical::ImportResult result = ical::ImportCalendarFile(path, 2027, "Europe/Paris", c.limits);
        EXPECT_EQ(result.days.size(), c.days) << c.what;
        EXPECT_NE(result.error.find(c.error), std::string::npos) << c.what << ": " << result.error;
        EXPECT_EQ(result.error.empty(), *c.error == '\0') << c.what << ": " << result.error;
        EXPECT_EQ(result.cutShort, c.cutShort) << c.what;
        EXPECT_EQ(!result.notes.empty(), c.cutShort) << c.what;
        std::filesystem::remove(path);
    }
    std::filesystem::remove(dir);
}

} // namespace
