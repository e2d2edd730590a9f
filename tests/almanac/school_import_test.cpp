#include "almanac/school_import.h"
#include "almanac/school_store.h"

#include "support/temp_settings.h"

#include <gtest/gtest.h>

namespace {

using almanac::SchoolZone;

// One file of the ministry given to the import, and the start of the French refusal it earns.
struct Publication {
    const char *name;
    std::string text;
    std::optional<SchoolZone> zone;
    std::string refusal; // empty when the file is imported
};

std::string Agenda(const std::string &summary, const char *start, const char *end)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Education//Calendrier scolaire//FR\r\n"
           "BEGIN:VEVENT\r\nUID:" +
           summary.substr(0, 12) + start + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART;VALUE=DATE:" + start +
           "\r\nDTEND;VALUE=DATE:" + end + "\r\nSUMMARY:" + summary + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

// UTF-16 as Windows' Notepad saves it: little-endian after its byte-order mark.
std::string Utf16(const std::string &utf8)
{
    std::string bytes = "\xFF\xFE";
    for (const QChar c : QString::fromStdString(utf8)) {
        const char16_t unit = c.unicode();
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

const std::string kLabels = "Description;Population;Date de début;Date de fin;Académies;Zones;annee_scolaire\n";
const std::string kFields = "description;population;start_date;end_date;location;zones;annee_scolaire\n";

// One row per story of imports; after them, the year's listing and what is unknown of zone A.
struct ImportRow {
    const char *what;
    std::vector<Publication> files;
    int year;
    std::string listing;
    std::string unknownA;
};

using SchoolImportTest = TempSettings;

TEST_F(SchoolImportTest, EachStoryOfImportsGivesItsListing)
{
    const std::string winterA = Agenda("Vacances d'Hiver - Zone A", "20270213", "20270301");
    const ImportRow rows[] = {
        {"iCalendar: DTEND is the day classes resume; the same file twice is stored once; the school year "
         "becomes known",
         {{"a.ics", winterA, {}, ""}, {"a.ics", winterA, {}, ""}},
         2027,
         "2027-02-13\t2027-02-28\tA\tVacances d'Hiver\n",
         "Zone A : dates inconnues après le 31/08/2027"},
        {"CSV labels: Paris dates of UTC stamps in winter and summer time, a holiday across New Year; "
         "Corsica, teachers only, starts of term, a start without an end and a second académie add nothing",
         {{"labels.csv",
           kLabels + "Vacances de Noël;-;2026-12-18T23:00:00+00:00;2027-01-03T23:00:00+00:00;Lyon;Zone A;2026-2027\n"
                     "Vacances de Noël;-;2026-12-18T23:00:00+00:00;2027-01-03T23:00:00+00:00;Dijon;Zone A;2026-2027\n"
                     "Vacances de Printemps;-;2027-04-23T22:00:00+00:00;2027-05-09T22:00:00+00:00;Paris;Zone C;"
                     "2026-2027\n"
                     "Vacances de Printemps;-;2027-04-16T22:00:00+00:00;2027-05-02T22:00:00+00:00;Corse;Corse;"
                     "2026-2027\n"
                     "Pré-rentrée des enseignants;Enseignants;2027-08-30T22:00:00+00:00;;Lyon;Zone A;2027-2028\n"
                     "Rentrée scolaire des élèves;Élèves;2027-08-31T22:00:00+00:00;;Lyon;Zone A;2027-2028\n"
                     "Début des Vacances d'Été;Élèves;2027-07-02T22:00:00+00:00;;Lyon;Zone A;2026-2027\n",
           {},
           ""}},
         2027,
         "2027-01-01\t2027-01-03\tA\tVacances de Noël\n2027-04-24\t2027-05-09\tC\tVacances de Printemps\n",
         "Zone A : dates inconnues après le 31/08/2027"},
        {"A later publication replaces an earlier one for its zone and school year, and no other",
         {{"a.ics", winterA, {}, ""},
          {"c.csv",
           kFields + "Vacances de Printemps;-;2027-04-23T22:00:00+00:00;2027-05-09T22:00:00+00:00;Paris;Zone C;x\n",
           {},
           ""},
          {"later.csv",
           kFields + "Vacances d'Hiver;-;2027-02-19T23:00:00+00:00;2027-03-07T23:00:00+00:00;Lyon;Zone A;x\n",
           {},
           ""}},
         2027,
         "2027-02-20\t2027-03-07\tA\tVacances d'Hiver\n2027-04-24\t2027-05-09\tC\tVacances de Printemps\n",
         "Zone A : dates inconnues après le 31/08/2027"},
        {"A page that is no calendar, under any name, changes nothing",
         {{"a.ics", winterA, {}, ""},
          {"page.ics", "<html><body>Calendrier scolaire</body></html>\n", {}, "Le fichier « "},
          {"page.csv", "Description;Zones\nVacances;Zone A\n", {}, "Le fichier « "}},
         2027,
         "2027-02-13\t2027-02-28\tA\tVacances d'Hiver\n",
         "Zone A : dates inconnues après le 31/08/2027"},
        {"An agenda that does not name its zone is refused until the zone is given; a bad date refuses all",
         {{"b.ics", Agenda("Vacances d'Hiver", "20270220", "20270308"), {}, "ne dit pas de quelle zone"},
          {"b.ics", Agenda("Vacances d'Hiver", "20270220", "20270308"), SchoolZone::B, ""},
          {"bad.csv",
           kFields + "Vacances de Noël;-;2026-12-18T23:00:00+00:00;2027-01-03T23:00:00+00:00;Lyon;Zone A;x\n"
                     "Vacances d'Hiver;-;2027-02-13;le 28 février;Lyon;Zone A;x\n",
           {},
           "a une date illisible « le 28 février » (ligne 3)"}},
         2027,
         "2027-02-20\t2027-03-07\tB\tVacances d'Hiver\n",
         "Zone A : dates inconnues après le 31/08/2026"},
        {"UTF-16 with its mark, a Latin-1 byte amid UTF-8 and a right-to-left override give the name alone; a "
         "day that does not exist refuses the file",
         {{"u16.csv",
           Utf16(kFields + "Vacances\u202E de Printemps;-;2027-04-23T22:00:00+00:00;2027-05-09T22:00:00+00:00;"
                           "Paris;Zone C;x\n"),
           {},
           ""},
          {"mixed.csv",
           kFields + "Vacances de No\xebl \xc3\xa0 Cr\xc3\xa9teil;-;2026-12-18T23:00:00+00:00;"
                     "2027-01-03T23:00:00+00:00;Cr\xc3\xa9teil;Zone B;x\n",
           {},
           ""},
          {"feb30.ics", Agenda("Vacances d'Hiver - Zone A", "20270230", "20270308"), {}, "a une date illisible"}},
         2027,
         "2027-01-01\t2027-01-03\tB\tVacances de Noël à Créteil\n2027-04-24\t2027-05-09\tC\tVacances de Printemps\n",
         "Zone A : dates inconnues après le 31/08/2026"},
    };
    for (const ImportRow &row : rows) {
        QFile::remove(file_);
        for (const Publication &publication : row.files) {
            const std::string path = dir_.filePath(QString::fromUtf8(publication.name)).toStdString();
            QFile out(QString::fromStdString(path));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(publication.text.data(), static_cast<qint64>(publication.text.size()));
            out.close();
            const almanac::SchoolImport read = almanac::ReadSchoolCalendarFile(path, publication.zone);
            const std::string error = read.error.empty() ? almanac::StoreSchoolImport(read.periods).error : read.error;
            if (publication.refusal.empty())
                EXPECT_EQ(error, "") << row.what << ": " << publication.name;
            else
                EXPECT_NE(error.find(publication.refusal), std::string::npos)
                    << row.what << ": " << publication.name << " gave: " << error;
        }
        const almanac::SchoolCalendar calendar = almanac::LoadSchoolCalendar();
        EXPECT_EQ(almanac::ListSchoolHolidays(calendar, row.year), row.listing) << row.what;
        EXPECT_EQ(almanac::UnknownDaysText(calendar, SchoolZone::A, almanac::YearDays(row.year)), row.unknownA)
            << row.what;
    }
}

} // namespace
