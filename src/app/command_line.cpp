#include "app/command_line.h"

#include "document/layout_names.h"
#include "output/press_sheet.h"
#include "resources/build_info.h"

#include <algorithm>
#include <charconv>

namespace app {

namespace {

std::optional<int> ParseInt(const std::string &text)
{
    int value = 0;
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

// A number of millimetres, with a decimal point or the French comma.
std::optional<double> ParseMillimetres(std::string text)
{
    std::replace(text.begin(), text.end(), ',', '.');
    double value = 0;
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

    // The region is read with the country, whichever comes first.
    std::optional<std::string> countryText;
    std::optional<std::string> regionText;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &arg = arguments[i];
        auto takesValue = arg == "--year" || arg == "--settings" || arg == "--layout" || arg == "--pdf" ||
                          arg == "--png" || arg == "--dpi" || arg == "--region" || arg == "--country" ||
                          arg == "--ics" || arg == "--import-ics" || arg == "--batch" || arg == "--outdir" ||
                          arg == "--jobs" || arg == "--bleed" || arg == "--import-school-holidays" || arg == "--zone";
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
        } else if (arg == "--moon-phases") {
            options.moonPhases = true;
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
            const auto mode = DisplayModeFromName(value);
            if (!mode)
                return fail("tamvel : disposition inconnue « " + value + " » (" + LayoutNameList() + ").");
            options.layout = static_cast<int>(*mode);
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
            regionText = value;
        } else if (arg == "--country") {
            countryText = value;
        } else if (arg == "--ics" || arg == "--import-ics") {
            if (value.empty())
                return fail("tamvel : l'option " + arg + " attend un nom de fichier.");
            (arg == "--ics" ? options.icsFile : options.importIcsFile) = value;
        } else if (arg == "--batch") {
            if (value.empty())
                return fail("tamvel : l'option --batch attend un nom de fichier.");
            options.batchFile = value;
        } else if (arg == "--outdir") {
            if (value.empty())
                return fail("tamvel : l'option --outdir attend un nom de dossier.");
            options.outDir = value;
        } else if (arg == "--jobs") {
            const auto jobs = ParseInt(value);
            if (!jobs || *jobs < 1 || *jobs > kMaxJobs)
                return fail("tamvel : nombre de tâches invalide « " + value + " » : donnez un nombre entre 1 et " +
                            std::to_string(kMaxJobs) + ".");
            options.jobs = *jobs;
        } else if (arg == "--print-ready") {
            options.printReady = true;
        } else if (arg == "--bleed") {
            const auto bleed = ParseMillimetres(value);
            if (!bleed || !(*bleed >= kMinBleedMm && *bleed <= kMaxBleedMm))
                return fail("tamvel : fond perdu invalide « " + value +
                            " » : donnez un nombre de millimètres entre 0 et " + "10.");
            options.bleedMm = *bleed;
        } else if (arg == "--school-holidays") {
            options.schoolHolidays = true;
        } else if (arg == "--import-school-holidays") {
            if (value.empty())
                return fail("tamvel : l'option --import-school-holidays attend un nom de fichier.");
            options.importSchoolHolidaysFile = value;
        } else if (arg == "--zone") {
            options.zone = value.size() == 1 ? almanac::ZoneFromLetter(value[0]) : std::nullopt;
            if (!options.zone)
                return fail("tamvel : zone inconnue « " + value + " » : A, B ou C.");
        } else {
            return fail("tamvel : option inconnue « " + arg + " ». Essayez « tamvel --help ».");
        }
    }
    const model::PlaceRequest place = model::RequestPlace(countryText, regionText);
    if (!place.error.empty())
        return fail("tamvel : " + place.error);
    options.region = place.region;
    options.place = place.place;
    if (options.holidays + options.moonPhases + bool(options.pdfFile) + bool(options.pngPrefix) +
            bool(options.icsFile) + bool(options.importIcsFile) + bool(options.batchFile) >
        1)
        return fail("tamvel : --holidays, --moon-phases, --pdf, --png, --ics, --import-ics et --batch ne se "
                    "combinent pas.");
    if (options.schoolHolidays + bool(options.importSchoolHolidaysFile) + options.holidays + options.moonPhases +
            bool(options.pdfFile) + bool(options.pngPrefix) + bool(options.icsFile) + bool(options.importIcsFile) +
            bool(options.batchFile) >
        1)
        return fail("tamvel : --school-holidays et --import-school-holidays ne se combinent avec aucune autre sortie.");
    if (options.zone && !options.importSchoolHolidaysFile)
        return fail("tamvel : --zone ne sert qu'avec --import-school-holidays.");
    if (bool(options.batchFile) != bool(options.outDir))
        return fail("tamvel : --batch FICHIER et --outdir DOSSIER vont ensemble.");
    if (options.jobs && !options.batchFile)
        return fail("tamvel : --jobs ne sert qu'avec --batch.");
    if (options.printReady && !options.pdfFile && !options.batchFile)
        return fail("tamvel : --print-ready ne sert qu'avec --pdf ou --batch.");
    if (options.bleedMm && !options.printReady)
        return fail("tamvel : --bleed ne sert qu'avec --print-ready.");
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
           "  --settings FICHIER\n"
           "                     lit et écrit les réglages dans FICHIER\n"
           "  --layout NOM       disposition : vertical, horizontal, vertical-photo, horizontal-photo,\n"
           "                     large-cells, photo-months (une couverture et une photo par mois) ; mémorisée comme si "
           "elle était choisie au menu quand la\n"
           "                     fenêtre s'ouvre, jamais avec --holidays, --pdf, --png ou --batch\n"
           "  --pdf FICHIER      imprime toutes les pages de la disposition dans un PDF A4 et quitte\n"
           "  --png PRÉFIXE      écrit chaque page dans PRÉFIXE-N.png et quitte\n"
           "  --dpi N            résolution des images PNG (150 par défaut)\n"
           "  --batch FICHIER    un PDF par ligne du fichier CSV (voir plus bas), écrits dans --outdir\n"
           "  --outdir DOSSIER   dossier des PDF de --batch, créé s'il n'existe pas\n"
           "  --jobs N           nombre de calendriers dessinés en même temps (un par cœur par défaut)\n"
           "  --print-ready      avec --pdf ou --batch : PDF pour l'imprimeur (PDF/X-3, CMJN FOGRA39),\n"
           "                     chaque page A4 avec fond perdu et traits de coupe\n"
           "  --bleed MM         fond perdu de --print-ready en millimètres, de 0 à 10 (3 par défaut)\n"
           "  --holidays         liste les jours fériés de l'année (AAAA-MM-JJ, tabulation, libellé) et quitte\n"
           "  --moon-phases      liste les phases de la lune de l'année à l'heure de Paris (AAAA-MM-JJ HH:MM,\n"
           "                     tabulation, Nouvelle lune, Premier quartier, Pleine lune ou Dernier quartier)\n"
           "                     et quitte\n"
           "  --country PAYS     les jours fériés de FR (France, par défaut), BE (Belgique), LU (Luxembourg),\n"
           "                     CH (Suisse), MC (Monaco) ou CA (Canada), mémorisé quand la fenêtre s'ouvre\n"
           "  --region NOM       ajoute les jours fériés d'une région de France :\n"
           "                     " +
           model::RegionNames() +
           " ;\n"
           "                     avec --country CH, un canton (GE, VD, NE, JU, FR, VS, BE, ZH...) ; avec\n"
           "                     --country CA, une province (QC, ON, NB) ; mémorisée quand la fenêtre s'ouvre\n"
           "  --ics FICHIER      écrit les jours fériés et particuliers de l'année dans un agenda iCalendar\n"
           "                     (.ics) et quitte\n"
           "  --import-ics FICHIER\n"
           "                     ajoute aux jours particuliers de l'année les événements de cet agenda\n"
           "                     iCalendar (vacances scolaires, fermetures...), les enregistre et quitte\n"
           "  --school-holidays  liste les vacances scolaires des zones A, B et C qui touchent l'année\n"
           "                     (premier jour, dernier jour, zone, nom, séparés par des tabulations),\n"
           "                     dit sur la sortie d'erreur quelles dates sont inconnues, et quitte\n"
           "  --import-school-holidays FICHIER\n"
           "                     importe le calendrier scolaire du ministère (agenda iCalendar d'une zone\n"
           "                     ou export CSV), l'enregistre dans les réglages et quitte\n"
           "  --zone A|B|C       la zone des vacances importées, quand le fichier ne la dit pas ; avec un\n"
           "                     fichier de plusieurs zones, seule celle-ci est importée\n"
           "  --help             affiche cette aide et quitte\n"
           "  --version          affiche la version et quitte\n"
           "\n"
           "Un calendrier par client : la première ligne du fichier CSV (UTF-8 ou Windows-1252,\n"
           "séparé par des virgules ou des points-virgules) nomme les colonnes, dans n'importe\n"
           "quel ordre : fichier (obligatoire), annee, disposition, pub1, pub2, image1, image2,\n"
           "region, pays (la colonne region prend alors un canton ou une province), et pour\n"
           "photo-months couverture, mois1 à mois12 (une photo chacune) et photos (un dossier dont\n"
           "les images, par ordre de nom, remplissent la couverture puis les mois).\n"
           "Une case vide garde la valeur des réglages, qui ne sont jamais modifiés ; les chemins\n"
           "relatifs des images partent du dossier du fichier CSV. Par exemple, clients.csv :\n"
           "\n"
           "  fichier;annee;disposition;pub1;pub2\n"
           "  garage-martin;2027;vertical;Garage Martin;Route de Foix, Vernet\n"
           "  cafe-du-port;2027;large-cells;\"Café du Port; chez Lulu\";Quai Saint-Pierre\n"
           "\n"
           "  fichier;annee;disposition;pub1;couverture;mois1;photos\n"
           "  club-foix;2027;photo-months;Photo Club de Foix;club/couv.jpg;club/jan.jpg;club\n"
           "\n"
           "  tamvel --batch clients.csv --outdir calendriers\n";
}

std::string VersionText()
{
    return std::string(resources::kVersionLine) + "\n";
}

} // namespace app
