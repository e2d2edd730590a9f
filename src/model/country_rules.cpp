#include "model/country_rules.h"

namespace model::rules {

namespace {

// Names as the country's calendars print them. Easter and Pentecost Sundays are listed where the
// calendars show them, although they are Sundays anyway.

// Loi du 4 janvier 1974 relative aux jours fériés: ten days. A holiday on a Sunday is replaced by
// a day the employer chooses, not by a date of the law, so nothing moves here.
constexpr Rule kBelgium[] = {
    Fixed(1, 1, "Nouvel An"),
    Easter(0, "Pâques"),
    Easter(1, "Lundi de Pâques"),
    Fixed(5, 1, "Fête du Travail").From(1947),
    Easter(39, "Ascension"),
    Easter(49, "Pentecôte"),
    Easter(50, "Lundi de Pentecôte"),
    Fixed(7, 21, "Fête nationale").From(1890),
    Fixed(8, 15, "Assomption"),
    Fixed(11, 1, "Toussaint"),
    Fixed(11, 11, "Armistice").From(1922),
    Fixed(12, 25, "Noël"),
};

// Code du travail, article L.232-2; Europe Day added by the law of 26 March 2019. The sovereign's
// birthday is kept on 23 June since 1962. A holiday on a Sunday gives a day off to be taken
// later, not a fixed date.
constexpr Rule kLuxembourg[] = {
    Fixed(1, 1, "Nouvel An"),
    Easter(0, "Pâques"),
    Easter(1, "Lundi de Pâques"),
    Fixed(5, 1, "Fête du Travail"),
    Fixed(5, 9, "Journée de l'Europe").From(2019),
    Easter(39, "Ascension"),
    Easter(49, "Pentecôte"),
    Easter(50, "Lundi de Pentecôte"),
    Fixed(6, 23, "Fête nationale").From(1962),
    Fixed(8, 15, "Assomption"),
    Fixed(11, 1, "Toussaint"),
    Fixed(12, 25, "Noël"),
    Fixed(12, 26, "Saint-Étienne"),
};

// The national day is federal (Constitution, article 110, in force from 1994); every other day
// is the canton's, by its law on public holidays, as the Federal Office of Justice lists them.
// Days kept only in some communes of a canton are left out. With no canton chosen, the days
// every canton keeps.
constexpr Rule kSwitzerland[] = {
    Fixed(1, 1, "Nouvel An"),
    Fixed(1, 2, "Saint-Berchtold").In("AG BE GL JU LU OW SH SO TG VD ZG ZH"),
    Fixed(1, 2, "Lendemain du Nouvel An").In("NE").OnlyAfterSunday(),
    Fixed(1, 6, "Épiphanie").In("SZ TI UR"),
    Fixed(3, 1, "Instauration de la République").In("NE"),
    Fixed(3, 19, "Saint-Joseph").In("NW SZ TI UR VS"),
    Nth(1, kThursday, 4, "Näfelser Fahrt").In("GL").OutOfHolyWeek(),
    Easter(-2, "Vendredi saint").NotIn("TI VS"),
    Easter(0, "Pâques"),
    Easter(1, "Lundi de Pâques").NotIn("VS"),
    Fixed(5, 1, "Fête du Travail").In("BL BS JU NE SH TG TI ZH"),
    Easter(39, "Ascension"),
    Easter(49, "Pentecôte"),
    Easter(50, "Lundi de Pentecôte").NotIn("VS"),
    Easter(60, "Fête-Dieu").In("AI FR JU LU NW OW SO SZ TI UR VS ZG"),
    Fixed(6, 23, "Plébiscite jurassien").In("JU").From(1975),
    Fixed(6, 29, "Saint-Pierre et Paul").In("TI"),
    Fixed(8, 1, "Fête nationale").From(1994),
    Fixed(8, 15, "Assomption").In("AI FR JU LU NW OW SO SZ TI UR VS ZG"),
    // The Thursday after the first Sunday of September.
    Nth(1, kSunday, 9, "Jeûne genevois", 4).In("GE"),
    // The Monday after the third Sunday of September, the federal fast day.
    Nth(3, kSunday, 9, "Lundi du Jeûne", 1).In("NE VD"),
    Fixed(9, 22, "Saint-Maurice").In("AI"),
    Fixed(9, 25, "Saint-Nicolas de Flüe").In("OW"),
    Fixed(11, 1, "Toussaint").In("AI FR GL JU LU NW OW SG SO SZ TI UR VS ZG"),
    Fixed(12, 8, "Immaculée Conception").In("AI FR LU NW OW SZ TI UR VS ZG"),
    Fixed(12, 25, "Noël"),
    Fixed(12, 26, "Saint-Étienne").NotIn("FR GE JU NE VD VS"),
    Fixed(12, 26, "Lendemain de Noël").In("NE").OnlyAfterSunday(),
    Fixed(12, 31, "Restauration de la République").In("GE"),
};

// Loi n° 798 du 18 février 1966 relative aux jours fériés légaux: a fixed holiday that falls on a
// Sunday is kept the Monday after. The prince's day is Saint Rainier's since 1949.
constexpr Rule kMonaco[] = {
    Fixed(1, 1, "Jour de l'An").MovedFromSunday(),
    Fixed(1, 27, "Sainte-Dévote").MovedFromSunday(),
    Easter(0, "Pâques"),
    Easter(1, "Lundi de Pâques"),
    Fixed(5, 1, "Fête du Travail").MovedFromSunday(),
    Easter(39, "Ascension"),
    Easter(49, "Pentecôte"),
    Easter(50, "Lundi de Pentecôte"),
    Easter(60, "Fête-Dieu"),
    Fixed(8, 15, "Assomption").MovedFromSunday(),
    Fixed(11, 1, "Toussaint").MovedFromSunday(),
    Fixed(11, 19, "Fête du Prince").From(1949).MovedFromSunday(),
    Fixed(12, 8, "Immaculée Conception").MovedFromSunday(),
    Fixed(12, 25, "Noël").MovedFromSunday(),
};

// With no province: the days of the Canada Labour Code (article 166), Truth and Reconciliation
// Day since 2021, Canada Day on 2 July when the 1st is a Sunday (Holidays Act). Québec: Loi sur
// les normes du travail (article 60) and Loi sur la fête nationale, whose 24 June on a Sunday is
// kept on the 25th; the Monday before 25 May is the Patriots' day since 2003. Ontario: Loi de
// 2000 sur les normes d'emploi. New Brunswick: Loi sur les normes d'emploi.
constexpr Rule kCanada[] = {
    Fixed(1, 1, "Jour de l'An"),
    Nth(3, kMonday, 2, "Jour de la Famille").In("ON").From(2008),
    Nth(3, kMonday, 2, "Jour de la Famille").In("NB").From(2018),
    Easter(-2, "Vendredi saint"),
    Easter(0, "Pâques"),
    Easter(1, "Lundi de Pâques").In("QC"),
    Before(kMonday, 5, 25, "Fête de Victoria").In("- ON"),
    Before(kMonday, 5, 25, "Fête de Dollard").In("QC").Until(2002),
    Before(kMonday, 5, 25, "Journée nationale des patriotes").In("QC").From(2003),
    Fixed(6, 24, "Fête nationale").In("QC").MovedFromSunday(),
    Fixed(7, 1, "Fête du Canada").MovedFromSunday(),
    Nth(1, kMonday, 8, "Jour du Nouveau-Brunswick").In("NB"),
    Nth(1, kMonday, 9, "Fête du Travail"),
    Fixed(9, 30, "Vérité et réconciliation").In("-").From(2021),
    Nth(2, kMonday, 10, "Action de grâce").In("- QC ON"),
    Fixed(11, 11, "Jour du Souvenir").In("- NB"),
    Fixed(12, 25, "Noël"),
    Fixed(12, 26, "Lendemain de Noël").In("- ON"),
};

} // namespace

std::span<const Rule> RulesOf(Country country)
{
    switch (country) {
    case Country::Belgium:
        return kBelgium;
    case Country::Luxembourg:
        return kLuxembourg;
    case Country::Switzerland:
        return kSwitzerland;
    case Country::Monaco:
        return kMonaco;
    case Country::Canada:
        return kCanada;
    default:
        return {};
    }
}

} // namespace model::rules
