#pragma once

// Command identifiers of the menus, accelerators and toolbar.
namespace cmd {

constexpr int ID_NOUVELLE_ANNEE = 32771;
constexpr int ID_SEM = 32775;
constexpr int ID_NON_TRAV = 32776;
constexpr int ID_FERIE = 32777;
constexpr int ID_VERTICAL = 32778;
constexpr int ID_HORIZONTAL = 32779;
constexpr int ID_HORIZONTAL_PHOTO = 32780;
constexpr int ID_PAGE_PREV = 32782;
constexpr int ID_PAGE_NEXT = 32783;
constexpr int ID_PUB = 32789;
constexpr int ID_ANNEE_SUIVANTE = 32790;
constexpr int ID_ANNEE_PRECEDENTE = 32791;
constexpr int ID_CHARGER_IMAGES = 32796;
constexpr int ID_INDICATOR_FERIE = 32797;
constexpr int ID_INDICATOR_NTRAV = 32798;
constexpr int ID_INDICATOR_SEM = 32799;
constexpr int ID_GROS_TRAIT = 32801;
constexpr int ID_VERTICAL_PHOTO = 32802;
constexpr int ID_HORIZONTAL_PHOTO_HAUT = 32805;
constexpr int ID_HORIZONTAL_PHOTO_BAS = 32806;
constexpr int ID_PHOTO_HAUT = 32809;
constexpr int ID_PHOTO_BAS = 32810;
constexpr int ID_EDIT_FERIES = 32811;
constexpr int ID_COULEURS = 32812;
constexpr int ID_EDIT_PUB = 32813;
constexpr int ID_LUNDI_PENTECOTE = 32814;
constexpr int ID_FERIE_PARTICULIER = 32815;
constexpr int ID_GRANDES_CASES = 32817;
constexpr int ID_AIDE = 32821;
// The program's own: every page of the current mode into a PDF file.
constexpr int ID_FILE_EXPORT_PDF = 32830;
// The year's labelled days into an iCalendar file.
constexpr int ID_FILE_EXPORT_ICS = 32831;
// The program's own: every page as a print-ready PDF for the print shop.
constexpr int ID_FILE_EXPORT_PRINT_READY = 32832;
// One radio item per region, in the order of the stored region numbers.
constexpr int ID_REGION_FIRST = 32840;
constexpr int ID_REGION_LAST = 32846;
constexpr bool IsRegionCommand(int id)
{
    return id >= ID_REGION_FIRST && id <= ID_REGION_LAST;
}
// One radio item per country, canton or province beside France's regions, in the order of the
// model's place choices; the range leaves room for more.
constexpr int ID_PAYS_FIRST = 32900;
constexpr int ID_PAYS_LAST = 32949;
constexpr bool IsPaysCommand(int id)
{
    return id >= ID_PAYS_FIRST && id <= ID_PAYS_LAST;
}
// The program's own: photos cut to their frame instead of stretched to it.
constexpr int ID_RECADRER_PHOTOS = 32850;
// The almanac: the name to wish on each day, the phases of the moon.
constexpr int ID_FETES_VISIBLE = 32860;
constexpr int ID_LUNE_VISIBLE = 32861;
// The school holidays: the zones shown, the import of the ministry's calendar.
constexpr int ID_VACANCES_ZONE_A = 32862;
constexpr int ID_VACANCES_ZONE_B = 32863;
constexpr int ID_VACANCES_ZONE_C = 32864;
constexpr int ID_IMPORT_CALENDRIER_SCOLAIRE = 32865;
// The photo calendar: its layout, the dialog of its thirteen photos.
constexpr int ID_PHOTO_MOIS = 32870;
constexpr int ID_PHOTOS_DES_MOIS = 32871;

constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_DIRECT = 57608;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;

constexpr int ID_INDICATOR_CAPS = 59137;
constexpr int ID_INDICATOR_NUM = 59138;
constexpr int ID_INDICATOR_SCRL = 59139;

// Stands for a separator in the menu and toolbar tables.
constexpr int ID_SEPARATOR = 0;
// Stand for submenus in the menu tables: "Pays et &région", "&Almanach", "&Vacances scolaires".
constexpr int ID_REGION_MENU = -1;
constexpr int ID_ALMANAC_MENU = -2;
constexpr int ID_VACANCES_MENU = -3;
// The cantons of Switzerland and the provinces of Canada, inside the region submenu.
constexpr int ID_SUISSE_MENU = -10;
constexpr int ID_CANADA_MENU = -11;

} // namespace cmd
