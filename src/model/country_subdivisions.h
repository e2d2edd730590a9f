#pragma once

#include "model/country.h"

#include <array>

namespace model {

// The 26 cantons by their official codes, in alphabetical order of code, with their French names.
// A canton's place in this list is its stored number and its bit in the holiday rules.
inline constexpr std::array<Subdivision, 26> kCantons = {{
    {"AG", "Argovie"},
    {"AI", "Appenzell Rhodes-Intérieures"},
    {"AR", "Appenzell Rhodes-Extérieures"},
    {"BE", "Berne"},
    {"BL", "Bâle-Campagne"},
    {"BS", "Bâle-Ville"},
    {"FR", "Fribourg"},
    {"GE", "Genève"},
    {"GL", "Glaris"},
    {"GR", "Grisons"},
    {"JU", "Jura"},
    {"LU", "Lucerne"},
    {"NE", "Neuchâtel"},
    {"NW", "Nidwald"},
    {"OW", "Obwald"},
    {"SG", "Saint-Gall"},
    {"SH", "Schaffhouse"},
    {"SO", "Soleure"},
    {"SZ", "Schwytz"},
    {"TG", "Thurgovie"},
    {"TI", "Tessin"},
    {"UR", "Uri"},
    {"VD", "Vaud"},
    {"VS", "Valais"},
    {"ZG", "Zoug"},
    {"ZH", "Zurich"},
}};

// The provinces whose holidays have official French names: Québec, and the two provinces that
// publish their laws in French as well.
inline constexpr std::array<Subdivision, 3> kProvinces = {{
    {"QC", "Québec"},
    {"ON", "Ontario"},
    {"NB", "Nouveau-Brunswick"},
}};

} // namespace model
