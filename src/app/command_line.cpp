#include "app/command_line.h"

#include <charconv>

namespace app {

namespace {

struct LayoutName {
    const char *name;
    int mode;
};

// The stored numbers of the display modes.
constexpr LayoutName kLayouts[] = {
    {"vertical", 1}, {"horizontal", 2}, {"horizontal-photo", 3}, {"vertical-photo", 4}, {"large-cells", 5},
};

std::optional<int> ParseInt(const std::string &text)
{
    int value = 0;
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

} // namespace

ParseResult ParseCommandLine(const std::vector<std::string> &arguments)
{
    ParseResult result;
    CommandLine &options = result.options;
    auto fail = [&result](std::string message) {
        result.error = std::move(message);
        return result;
    };

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &arg = arguments[i];
        auto takesValue = arg == "--year" || arg == "--settings" || arg == "--layout" || arg == "--pdf" ||
                          arg == "--png" || arg == "--dpi" || arg == "--region" || arg == "--ics" ||
                          arg == "--import-ics";
        std::string value;
        if (takesValue) {
            if (i + 1 >= arguments.size())
                return fail("tamvel : l'option " + arg + " attend une valeur.");
            value = arguments[++i];
        }

        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--holidays") {
            options.holidays = true;
        } else if (arg == "--year") {
            const auto year = ParseInt(value);
            if (!year || *year < 100 || *year > 9999)
                return fail("tamvel : année invalide « " + value + " » : donnez un nombre entre 100 et 9999.");
            options.year = *year;
        } else if (arg == "--settings") {
            if (value.empty())
                return fail("tamvel : l'option --settings attend un nom de fichier.");
            options.settingsFile = value;
        } else if (arg == "--layout") {
            options.layout.reset();
            for (const auto &layout : kLayouts) {
                if (value == layout.name)
                    options.layout = layout.mode;
            }
            if (!options.layout)
                return fail("tamvel : disposition inconnue « " + value +
                            " » (vertical, horizontal, vertical-photo, horizontal-photo ou large-cells).");
        } else if (arg == "--pdf") {
            if (value.empty())
                return fail("tamvel : l'option --pdf attend un nom de fichier.");
            options.pdfFile = value;
        } else if (arg == "--png") {
            if (value.empty())
                return fail("tamvel : l'option --png attend un préfixe de fichier.");
            options.pngPrefix = value;
        } else if (arg == "--dpi") {
            const auto dpi = ParseInt(value);
            if (!dpi || *dpi < 30 || *dpi > 1200)
                return fail("tamvel : résolution invalide « " + value + " » : donnez un nombre entre 30 et 1200.");
            options.dpi = *dpi;
        } else if (arg == "--region") {
            options.region = model::RegionFromName(value);
            if (!options.region)
                return fail("tamvel : région inconnue « " + value + " » (" + model::RegionNames() + ").");
        } else if (arg == "--ics" || arg == "--import-ics") {
            if (value.empty())
                return fail("tamvel : l'option " + arg + " attend un nom de fichier.");
            (arg == "--ics" ? options.icsFile : options.importIcsFile) = value;
        } else {
            return fail("tamvel : option inconnue « " + arg + " ». Essayez « tamvel --help ».");
        }
    }
    if (options.holidays + bool(options.pdfFile) + bool(options.pngPrefix) + bool(options.icsFile) +
            bool(options.importIcsFile) >
        1)
        return fail("tamvel : --holidays, --pdf, --png, --ics et --import-ics ne se combinent pas.");
    return result;
}

std::string HelpText()
{
    return "Usage : tamvel [options]\n"
           "Génère et imprime des calendriers annuels.\n"
           "Sans option, ouvre la fenêtre principale sur l'année en cours.\n"
           "\n"
           "Options :\n"
           "  --year AAAA        commence sur l'année AAAA (100 à 9999) au lieu de l'année en cours\n"
           "  --settings FICHIER lit et écrit les réglages dans FICHIER\n"
           "  --layout NOM       disposition : vertical, horizontal, vertical-photo, horizontal-photo,\n"
           "                     large-cells ; mémorisée comme si elle était choisie au menu quand la\n"
           "                     fenêtre s'ouvre, jamais avec --holidays, --pdf ou --png\n"
           "  --pdf FICHIER      imprime toutes les pages de la disposition dans un PDF A4 et quitte\n"
           "  --png PRÉFIXE      écrit chaque page dans PRÉFIXE-N.png et quitte\n"
           "  --dpi N            résolution des images PNG (150 par défaut)\n"
           "  --holidays         liste les jours fériés de l'année (AAAA-MM-JJ, tabulation, libellé) et quitte\n"
           "  --region NOM       ajoute les jours fériés d'une région, mémorisée quand la fenêtre s'ouvre :\n"
           "                     " +
           model::RegionNames() +
           "\n"
           "  --ics FICHIER      écrit les jours fériés et particuliers de l'année dans un agenda iCalendar\n"
           "                     (.ics) et quitte\n"
           "  --import-ics FICHIER\n"
           "                     ajoute aux jours particuliers de l'année les événements de cet agenda\n"
           "                     iCalendar (vacances scolaires, fermetures...), les enregistre et quitte\n"
           "  --help             affiche cette aide et quitte\n"
           "  --version          affiche la version et quitte\n";
}

std::string VersionText()
{
    return "Générateur de Tamvel version 7.0\n";
}

} // namespace app
