#include "resources/commands.h"

#include "model/country.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace resources {

using namespace cmd;

namespace {

QKeySequence Keypad(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    return QKeySequence(QKeyCombination(modifiers | Qt::KeypadModifier, key));
}

QKeySequence Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    return QKeySequence(QKeyCombination(modifiers, key));
}

// The item of a place in the region submenu: a country with a letter of its own, or in a
// country's submenu its days common to all, then each canton or province.
CommandInfo PlaceCommand(int id, const model::Place &place)
{
    const QString country = QString::fromUtf8(model::CountryName(place.country));
    const std::span<const model::Subdivision> subdivisions = model::Subdivisions(place.country);
    QString item;
    QString whose = country;
    if (place.subdivision >= 0) {
        const model::Subdivision &s = subdivisions[static_cast<std::size_t>(place.subdivision)];
        item = QStringLiteral("%1 (%2)").arg(QString::fromUtf8(s.name), QLatin1String(s.code));
        whose = QStringLiteral("%1, %2").arg(country, QString::fromUtf8(s.name));
    } else if (place.country == model::Country::Switzerland) {
        item = QStringLiteral("Jours communs à tous les cantons");
    } else if (place.country == model::Country::Canada) {
        item = QStringLiteral("Jours fériés fédéraux");
    } else {
        const int letter = place.country == model::Country::Monaco ? 1 : 0;
        item = country.left(letter) + QLatin1Char('&') + country.mid(letter);
    }
    return {id,
            item,
            QStringLiteral("Remplace les jours fériés de France par ceux de : ") + whose,
            QStringLiteral("Jours fériés de : ") + whose,
            {},
            IconKind::None};
}

std::vector<CommandInfo> BuildCommands()
{
    std::vector<CommandInfo> commands = {
        {ID_NOUVELLE_ANNEE,
         "&Nouvelle année\tCtrl+N",
         "Saisir une nouvelle année",
         "Nouvelle Année",
         {Key(Qt::Key_N, Qt::ControlModifier)},
         IconKind::NewYear},
        {ID_SEM,
         "Afficher les numéros de &semaines",
         "Affiche ou masque les numéros des semaines",
         "Afficher les numéros de semaines",
         {},
         IconKind::None},
        {ID_NON_TRAV,
         "Indiquer les jours &non travaillés",
         "Affiche ou masque les indicateurs des jours non travaillés",
         "Indiquer les jours non travaillés",
         {},
         IconKind::None},
        {ID_FERIE,
         "Afficher jours &fériés et chômés",
         "Affiche ou masque les noms des jours fériés",
         "Jours fériés",
         {},
         IconKind::None},
        {ID_VERTICAL, "Tamvel &Vertical", "Tamvel au format vertical", "Tamvel Vertical", {}, IconKind::Vertical},
        {ID_HORIZONTAL,
         "Tamvel &Horizontal",
         "Tamvel au format horizontal",
         "Tamvel Horizontal",
         {},
         IconKind::Horizontal},
        {ID_HORIZONTAL_PHOTO,
         "Tamvel Horizon&tal avec photo",
         "Tamvel au format horizontal avec photo",
         "Tamvel Horizontal avec photo",
         {},
         IconKind::None},
        {ID_PAGE_PREV,
         "Page &1\tShift+F6",
         "Mois/semestre précédent",
         "Mois/semestre précédent",
         {Key(Qt::Key_1), Key(Qt::Key_1, Qt::ShiftModifier), Key(Qt::Key_F6, Qt::ShiftModifier), Key(Qt::Key_Left),
          Keypad(Qt::Key_1)},
         IconKind::PreviousPage},
        {ID_PAGE_NEXT,
         "&Page 2\tF6",
         "Mois/semestre suivant",
         "Mois/semestre suivant",
         {Key(Qt::Key_2), Key(Qt::Key_2, Qt::ShiftModifier), Key(Qt::Key_F6), Key(Qt::Key_Right), Keypad(Qt::Key_2)},
         IconKind::NextPage},
        {ID_PUB, "P&ublicité", "Affiche la publicité en bas du Tamvel", "Publicité", {}, IconKind::None},
        {ID_ANNEE_SUIVANTE,
         "",
         "Année suivante",
         "Année suivante",
         {Keypad(Qt::Key_Plus, Qt::ControlModifier), Key(Qt::Key_PageDown), Key(Qt::Key_Up)},
         IconKind::NextYear},
        {ID_ANNEE_PRECEDENTE,
         "",
         "Année précédente",
         "Année précédente",
         {Key(Qt::Key_Down), Key(Qt::Key_PageUp), Keypad(Qt::Key_Minus, Qt::ControlModifier)},
         IconKind::PreviousYear},
        {ID_CHARGER_IMAGES,
         "&Charger les images\tCtrl+O",
         "Charger les images du Tamvel",
         "Charger les images",
         {Key(Qt::Key_O, Qt::ControlModifier)},
         IconKind::LoadImages},
        {ID_GROS_TRAIT,
         "Trait de séparation des mois &épais",
         "Trait de séparation des mois plus épais",
         "Trait de séparation des mois épais",
         {},
         IconKind::None},
        {ID_VERTICAL_PHOTO,
         "Tamvel Verti&cal avec photo",
         "Tamvel au format vertical avec photo",
         "Tamvel Vertical avec photo",
         {},
         IconKind::VerticalPhoto},
        {ID_HORIZONTAL_PHOTO_HAUT,
         "",
         "Tamvel horizontal avec photo en haut",
         "Tamvel horizontal avec photo en haut",
         {},
         IconKind::HorizontalPhotoTop},
        {ID_HORIZONTAL_PHOTO_BAS,
         "",
         "Tamvel Horizontal avec photo en bas",
         "Tamvel Horizontal avec photo en bas",
         {},
         IconKind::HorizontalPhotoBottom},
        {ID_PHOTO_HAUT, "Photo en haut", "Tamvel avec photo en haut", "photo en haut", {}, IconKind::None},
        {ID_PHOTO_BAS, "Photo en bas", "Tamvel avec photo en bas", "photo en bas", {}, IconKind::None},
        {ID_RECADRER_PHOTOS,
         "Reca&drer les photos",
         "Recadre les photos aux proportions de leur cadre au lieu de les déformer",
         "Recadrer les photos",
         {},
         IconKind::None},
        {ID_FETES_VISIBLE,
         "&Fêtes à souhaiter",
         "Affiche le prénom à fêter aux jours qui n'ont pas de libellé",
         "Fêtes à souhaiter",
         {},
         IconKind::None},
        {ID_LUNE_VISIBLE,
         "&Phases de la lune",
         "Dessine la nouvelle lune, les quartiers et la pleine lune à leur jour, à l'heure de Paris",
         "Phases de la lune",
         {},
         IconKind::None},
        {ID_VACANCES_ZONE_A,
         "Zone &A",
         "Dessine les vacances scolaires de la zone A (Besançon, Bordeaux, Lyon...)",
         "Vacances de la zone A",
         {},
         IconKind::None},
        {ID_VACANCES_ZONE_B,
         "Zone &B",
         "Dessine les vacances scolaires de la zone B (Aix-Marseille, Lille, Nantes...)",
         "Vacances de la zone B",
         {},
         IconKind::None},
        {ID_VACANCES_ZONE_C,
         "Zone &C",
         "Dessine les vacances scolaires de la zone C (Créteil, Montpellier, Paris, Toulouse, Versailles)",
         "Vacances de la zone C",
         {},
         IconKind::None},
        {ID_IMPORT_CALENDRIER_SCOLAIRE,
         "&Importer le calendrier scolaire...",
         "Ajoute les vacances scolaires publiées par le ministère (agenda iCalendar ou export CSV)",
         "Importer le calendrier scolaire",
         {},
         IconKind::None},
        {ID_EDIT_FERIES,
         "Editer les jours non &travaillés particuliers",
         "Editer les jours fériés particuliers",
         "Editer les jours fériés particuliers",
         {},
         IconKind::None},
        {ID_COULEURS,
         "Modifier les &couleurs de fond",
         "Modifier les couleurs de fond",
         "Modifier les couleurs de fond",
         {},
         IconKind::None},
        {ID_EDIT_PUB,
         "&Modifier le texte de publicité",
         "Modifier le texte de publicité",
         "Modifier le texte de publicité",
         {},
         IconKind::None},
        {ID_LUNDI_PENTECOTE,
         "Afficher le &lundi de Pentecôte",
         "Afficher le lundi de Pentecôte comme jour férié",
         "Afficher le lundi de Pentecôte",
         {},
         IconKind::None},
        {ID_FERIE_PARTICULIER,
         "Afficher les jours non travaillés &particuliers",
         "Afficher les jours fériés particuliers",
         "Afficher les jours fériés particuliers",
         {},
         IconKind::None},
        {ID_GRANDES_CASES,
         "Tamvel Horizontal avec &grandes cases",
         "Tamvel Horizontal avec grandes cases",
         "Tamvel Horizontal avec grandes cases",
         {},
         IconKind::LargeCells},
        {ID_AIDE, "Aide, mode d'emploi.", "", "", {}, IconKind::None},
        {ID_PHOTO_MOIS,
         "Calendrier photo (une photo par &mois)",
         "Calendrier photo : une couverture, puis une page par mois avec sa photo",
         "Calendrier photo (une photo par mois)",
         {},
         IconKind::PhotoMonths},
        {ID_PHOTOS_DES_MOIS,
         "Photos des &mois...",
         "Choisir la photo de couverture et les photos des douze mois du calendrier photo",
         "Photos des mois",
         {},
         IconKind::None},
        {ID_FILE_PRINT_SETUP,
         "C&onfiguration de l'impression...",
         "Change les options d'imprimante et d'impression",
         "Configuration de l'impression",
         {},
         IconKind::None},
        {ID_FILE_PRINT,
         "&Imprimer...\tCtrl+P",
         "Imprime le document actif",
         "Imprimer",
         {Key(Qt::Key_P, Qt::ControlModifier)},
         IconKind::Print},
        {ID_FILE_PRINT_PREVIEW,
         "Aperçu a&vant impression",
         "Aperçu avant impression",
         "Aperçu avant impression",
         {},
         IconKind::PrintPreview},
        {ID_FILE_EXPORT_PDF,
         "E&xporter en PDF...",
         "Enregistre toutes les pages du Tamvel dans un fichier PDF",
         "Exporter en PDF",
         {},
         IconKind::None},
        {ID_FILE_EXPORT_PRINT_READY,
         "Exporter pour l'i&mprimeur...",
         "Enregistre toutes les pages dans un PDF pour l'imprimeur : PDF/X-3 en CMJN, fond perdu et traits de coupe",
         "Exporter pour l'imprimeur",
         {},
         IconKind::None},
        {ID_FILE_EXPORT_ICS,
         "&Exporter en iCalendar...",
         "Enregistre les jours fériés et particuliers de l'année dans un agenda iCalendar (.ics)",
         "Exporter en iCalendar",
         {},
         IconKind::None},
        {ID_APP_ABOUT,
         "&A propos de Tamvel...",
         "Affiche des informations sur le programme, son numéro de version et le copyright",
         "A propos de",
         {},
         IconKind::None},
        {ID_APP_EXIT,
         "&Quitter",
         "Ferme l'application ; propose d'enregistrer les documents",
         "Quitter",
         {},
         IconKind::None},
        {ID_VIEW_TOOLBAR,
         "Barre d'&outils",
         "Affiche ou masque la barre d'outils",
         "Barre d'outils",
         {},
         IconKind::None},
        {ID_VIEW_STATUS_BAR, "&Barre d'état", "Affiche ou masque la barre d'état", "Barre d'état", {}, IconKind::None},
    };
    // In the order of the stored region numbers, from ID_REGION_FIRST on, each with a letter of
    // its own in the submenu.
    const char *regions[] = {"&Métropole", "&Alsace-Moselle", "&Guadeloupe", "Mar&tinique",
                             "G&uyane",    "La &Réunion",     "Ma&yotte"};
    static_assert(std::size(regions) == ID_REGION_LAST - ID_REGION_FIRST + 1);
    for (int i = 0; i < static_cast<int>(std::size(regions)); ++i) {
        const QString item = QString::fromUtf8(regions[i]);
        const QString name = QString(item).remove(QLatin1Char('&'));
        commands.push_back({ID_REGION_FIRST + i,
                            item,
                            QStringLiteral("Ajoute les jours fériés de : ") + name,
                            QStringLiteral("Jours fériés de : ") + name,
                            {},
                            IconKind::None});
    }
    // Another country's holidays instead of France's: a country, or one of its cantons or provinces.
    const std::vector<model::Place> &places = model::PlaceChoices();
    Q_ASSERT(static_cast<int>(places.size()) <= ID_PAYS_LAST - ID_PAYS_FIRST + 1);
    for (std::size_t k = 0; k < places.size(); ++k)
        commands.push_back(PlaceCommand(ID_PAYS_FIRST + static_cast<int>(k), places[k]));
    std::sort(commands.begin(), commands.end(), [](const auto &a, const auto &b) { return a.id < b.id; });
    return commands;
}

} // namespace

const std::vector<CommandInfo> &Commands()
{
    static const std::vector<CommandInfo> commands = BuildCommands();
    return commands;
}

const CommandInfo *FindCommand(int id)
{
    const auto &commands = Commands();
    const auto it =
        std::lower_bound(commands.begin(), commands.end(), id, [](const CommandInfo &c, int v) { return c.id < v; });
    return it != commands.end() && it->id == id ? &*it : nullptr;
}

const std::vector<MenuInfo> &MainMenu()
{
    static const std::vector<MenuInfo> menu = {
        {"&Fichier",
         {ID_NOUVELLE_ANNEE, ID_SEPARATOR, ID_CHARGER_IMAGES, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP,
          ID_FILE_EXPORT_PDF, ID_FILE_EXPORT_PRINT_READY, ID_FILE_EXPORT_ICS, ID_SEPARATOR, ID_APP_EXIT}},
        {"&Edition", {ID_EDIT_FERIES, ID_SEPARATOR, ID_COULEURS, ID_SEPARATOR, ID_EDIT_PUB, ID_PHOTOS_DES_MOIS}},
        {"&Affichage", {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_SEPARATOR,         ID_NON_TRAV,
                        ID_FERIE,        ID_LUNDI_PENTECOTE, ID_FERIE_PARTICULIER, ID_REGION_MENU,
                        ID_SEM,          ID_ALMANAC_MENU,    ID_SEPARATOR,         ID_VERTICAL,
                        ID_HORIZONTAL,   ID_VERTICAL_PHOTO,  ID_HORIZONTAL_PHOTO,  ID_GRANDES_CASES,
                        ID_PHOTO_MOIS,   ID_SEPARATOR,       ID_GROS_TRAIT,        ID_PHOTO_HAUT,
                        ID_PHOTO_BAS,    ID_RECADRER_PHOTOS, ID_SEPARATOR,         ID_PUB}},
        {"&Fenêtre", {ID_PAGE_PREV, ID_PAGE_NEXT}},
        {"&?", {ID_APP_ABOUT, ID_AIDE}},
    };
    return menu;
}

const MenuInfo *Submenu(int marker)
{
    // France's regions, then the other countries, Switzerland and Canada each in a submenu.
    static const std::array<MenuInfo, 3> places = [] {
        std::array<MenuInfo, 3> menus{MenuInfo{QStringLiteral("Pays et &région"), {}},
                                      MenuInfo{QStringLiteral("&Suisse"), {}}, MenuInfo{QStringLiteral("&Canada"), {}}};
        MenuInfo &regions = menus[0];
        for (int id = ID_REGION_FIRST; id <= ID_REGION_LAST; ++id)
            regions.items.push_back(id);
        regions.items.push_back(ID_SEPARATOR);
        const std::vector<model::Place> &choices = model::PlaceChoices();
        for (std::size_t k = 0; k < choices.size(); ++k) {
            const int id = ID_PAYS_FIRST + static_cast<int>(k);
            const model::Place &place = choices[k];
            MenuInfo &menu = place.country == model::Country::Switzerland ? menus[1]
                             : place.country == model::Country::Canada    ? menus[2]
                                                                          : regions;
            menu.items.push_back(id);
            if (&menu != &regions && place.subdivision < 0)
                menu.items.push_back(ID_SEPARATOR);
        }
        regions.items.insert(regions.items.end(), {ID_SUISSE_MENU, ID_CANADA_MENU});
        return menus;
    }();
    static const MenuInfo almanac{QStringLiteral("&Almanach"), {ID_FETES_VISIBLE, ID_LUNE_VISIBLE, ID_VACANCES_MENU}};
    static const MenuInfo school{
        QStringLiteral("&Vacances scolaires"),
        {ID_VACANCES_ZONE_A, ID_VACANCES_ZONE_B, ID_VACANCES_ZONE_C, ID_SEPARATOR, ID_IMPORT_CALENDRIER_SCOLAIRE}};
    switch (marker) {
    case ID_REGION_MENU:
        return &places[0];
    case ID_SUISSE_MENU:
        return &places[1];
    case ID_CANADA_MENU:
        return &places[2];
    case ID_ALMANAC_MENU:
        return &almanac;
    case ID_VACANCES_MENU:
        return &school;
    default:
        return nullptr;
    }
}

const std::vector<int> &ToolBarButtons()
{
    static const std::vector<int> buttons = {
        ID_ANNEE_PRECEDENTE,
        ID_NOUVELLE_ANNEE,
        ID_ANNEE_SUIVANTE,
        ID_SEPARATOR,
        ID_CHARGER_IMAGES,
        ID_FILE_PRINT_PREVIEW,
        ID_FILE_PRINT,
        ID_SEPARATOR,
        ID_VERTICAL,
        ID_HORIZONTAL,
        ID_VERTICAL_PHOTO,
        ID_HORIZONTAL_PHOTO_BAS,
        ID_HORIZONTAL_PHOTO_HAUT,
        ID_GRANDES_CASES,
        ID_PHOTO_MOIS,
        ID_SEPARATOR,
        ID_PAGE_PREV,
        ID_PAGE_NEXT,
    };
    return buttons;
}

QString IdlePrompt()
{
    return QStringLiteral("Prêt");
}

const std::vector<IndicatorInfo> &Indicators()
{
    static const std::vector<IndicatorInfo> indicators = {
        {ID_INDICATOR_NTRAV, "N.TRAV"}, {ID_INDICATOR_FERIE, "FERIE"}, {ID_INDICATOR_SEM, "SEM"},
        {ID_INDICATOR_CAPS, "MAJ"},     {ID_INDICATOR_NUM, "NUM"},     {ID_INDICATOR_SCRL, "DEF"},
    };
    return indicators;
}

} // namespace resources
