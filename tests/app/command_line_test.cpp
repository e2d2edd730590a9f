#include "app/command_line.h"
#include "app/display_choices.h"

#include "support/temp_settings.h"

#include <gtest/gtest.h>

namespace {

using app::CommandLine;

// One row per command line: what it asks for, or the start of the French message that refuses
// it. New options add rows here.
struct CommandLineRow {
    std::vector<std::string> arguments;
    CommandLine expected;
    std::string refusal; // empty when the line is accepted
};

TEST(CommandLineParser, EachLineGivesItsOptionsOrAFrenchRefusal)
{
    const CommandLineRow rows[] = {
        {{}, {}, ""},
        {{"--help"}, {.help = true}, ""},
        {{"-h", "--version"}, {.help = true, .version = true}, ""},
        {{"--year", "2027", "--holidays"}, {.holidays = true, .year = 2027}, ""},
        {{"--moon-phases", "--year", "2024"}, {.moonPhases = true, .year = 2024}, ""},
        {{"--year", "100"}, {.year = 100}, ""},
        {{"--year", "9999"}, {.year = 9999}, ""},
        {{"--settings", "a.conf", "--layout", "large-cells"}, {.settingsFile = "a.conf", .layout = 5}, ""},
        {{"--layout", "vertical-photo", "--layout", "horizontal-photo"}, {.layout = 3}, ""},
        {{"--pdf", "cal.pdf", "--layout", "horizontal"}, {.layout = 2, .pdfFile = "cal.pdf"}, ""},
        {{"--png", "page", "--dpi", "30"}, {.pngPrefix = "page", .dpi = 30}, ""},
        {{"--dpi", "1200", "--png", "p"}, {.pngPrefix = "p", .dpi = 1200}, ""},
        {{"--year", "99"}, {}, "tamvel : année invalide « 99 »"},
        {{"--year", "10000"}, {}, "tamvel : année invalide"},
        {{"--year", "2027x"}, {}, "tamvel : année invalide"},
        {{"--year", ""}, {}, "tamvel : année invalide"},
        {{"--year"}, {}, "tamvel : l'option --year attend une valeur."},
        {{"--layout", "Vertical"}, {}, "tamvel : disposition inconnue « Vertical »"},
        {{"--dpi", "29"}, {}, "tamvel : résolution invalide"},
        {{"--dpi", "1201"}, {}, "tamvel : résolution invalide"},
        {{"--settings", ""}, {}, "tamvel : l'option --settings attend un nom de fichier."},
        {{"--pdf", ""}, {}, "tamvel : l'option --pdf attend"},
        {{"--region", "guyane", "--holidays"},
         {.holidays = true, .region = model::Region::Guyane, .place = model::Place{}},
         ""},
        {{"--region", "GE", "--country", "ch"}, {.place = model::Place{model::Country::Switzerland, 7}}, ""},
        {{"--country", "Mc"}, {.place = model::Place{model::Country::Monaco, -1}}, ""},
        {{"--country", "XX"}, {}, "tamvel : pays inconnu « XX »"},
        {{"--country", "CH", "--region", "alsace-moselle"}, {}, "tamvel : canton inconnu « alsace-moselle »"},
        {{"--ics", "a.ics", "--year", "2027"}, {.year = 2027, .icsFile = "a.ics"}, ""},
        {{"--import-ics", "b.ics"}, {.importIcsFile = "b.ics"}, ""},
        {{"--batch", "c.csv", "--outdir", "out", "--jobs", "2"},
         {.batchFile = "c.csv", .outDir = "out", .jobs = 2},
         ""},
        {{"--region", "Guyane"}, {}, "tamvel : région inconnue « Guyane »"},
        {{"--jobs", "0", "--batch", "c.csv", "--outdir", "out"}, {}, "tamvel : nombre de tâches invalide « 0 »"},
        {{"--jobs", "2"}, {}, "tamvel : --jobs ne sert qu'avec --batch."},
        {{"--batch", "c.csv"}, {}, "tamvel : --batch FICHIER et --outdir DOSSIER vont ensemble."},
        {{"--png", "p", "--pdf", "c.pdf"}, {}, "tamvel : --holidays, --moon-phases, --pdf, --png, --ics, --import-ics"},
        {{"--holidays", "--png", "p"}, {}, "tamvel : --holidays, --moon-phases, --pdf, --png, --ics, --import-ics"},
        {{"--ics", "a.ics", "--batch", "c.csv", "--outdir", "o"},
         {},
         "tamvel : --holidays, --moon-phases, --pdf, --png"},
        {{"--pdf", "c.pdf", "--print-ready", "--bleed", "2,5"},
         {.pdfFile = "c.pdf", .printReady = true, .bleedMm = 2.5},
         ""},
        {{"--print-ready", "--batch", "c.csv", "--outdir", "o", "--bleed", "0"},
         {.batchFile = "c.csv", .outDir = "o", .printReady = true, .bleedMm = 0.0},
         ""},
        {{"--pdf", "c.pdf", "--print-ready", "--bleed", "10.5"}, {}, "tamvel : fond perdu invalide « 10.5 »"},
        {{"--pdf", "c.pdf", "--print-ready", "--bleed", "-1"}, {}, "tamvel : fond perdu invalide « -1 »"},
        {{"--pdf", "c.pdf", "--print-ready", "--bleed", "3mm"}, {}, "tamvel : fond perdu invalide « 3mm »"},
        {{"--print-ready", "--png", "p"}, {}, "tamvel : --print-ready ne sert qu'avec --pdf ou --batch."},
        {{"--pdf", "c.pdf", "--bleed", "3"}, {}, "tamvel : --bleed ne sert qu'avec --print-ready."},
        {{"--import-school-holidays", "z.ics", "--zone", "b"},
         {.importSchoolHolidaysFile = "z.ics", .zone = almanac::SchoolZone::B},
         ""},
        {{"--import-school-holidays", "z.ics", "--zone", "D"}, {}, "tamvel : zone inconnue « D » : A, B ou C."},
        {{"--zone", "A"}, {}, "tamvel : --zone ne sert qu'avec --import-school-holidays."},
        {{"--school-holidays", "--holidays"}, {}, "tamvel : --school-holidays et --import-school-holidays ne se"},
        {{"--annee", "2027"}, {}, "tamvel : option inconnue « --annee »"},
        {{"2027"}, {}, "tamvel : option inconnue « 2027 »"},
    };
    for (const CommandLineRow &row : rows) {
        std::string line;
        for (const std::string &argument : row.arguments)
            line += argument + ' ';
        const app::ParseResult parsed = app::ParseCommandLine(row.arguments);
        if (row.refusal.empty()) {
            EXPECT_EQ(parsed.error, "") << line;
            EXPECT_TRUE(parsed.options == row.expected) << line;
        } else {
            EXPECT_EQ(parsed.error.rfind(row.refusal, 0), 0u) << line << "gave: " << parsed.error;
        }
    }
}

using DisplayChoices = TempSettings;

TEST_F(DisplayChoices, TheLayoutIsUsedByEveryRunAndStoredOnlyWhenTheWindowOpens)
{
    WriteFile("[Settings]\nAffichage=2\nSem=0\n");
    const QByteArray before = ReadFile();
    CommandLine options;
    options.layout = 5;
    const ViewState display = app::DisplayForRun(options);
    EXPECT_EQ(display.mode, DisplayMode::HorizontalLargeCells);
    EXPECT_EQ(display.Sem, 0);
    EXPECT_EQ(ReadFile(), before);

    app::StoreWindowChoices({}, display);
    EXPECT_EQ(ReadFile(), before) << "no choice on the command line, nothing to store";
    app::StoreWindowChoices(options, display);
    EXPECT_EQ(Stored(QStringLiteral("Settings/Affichage")).toString(), QStringLiteral("5"));
    EXPECT_EQ(Stored(QStringLiteral("Settings/Sem")).toString(), QStringLiteral("0"));
}

} // namespace
