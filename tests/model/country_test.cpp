#include "model/country.h"
#include "model/holiday_label.h"

#include <gtest/gtest.h>

namespace {

using model::Country;
using model::Place;

Place At(Country country, const char *subdivision = nullptr)
{
    return subdivision ? *model::PlaceFromCode(std::string(model::CountryCode(country)) + "-" + subdivision)
                       : Place{country, -1};
}

// "MM-DD label" for every labelled day of the year.
std::vector<std::string> Listing(const Place &place, int year)
{
    model::HolidayOptions options;
    options.place = place;
    std::vector<std::string> lines;
    for (const model::DayLabel &day : model::LabelledDaysOfYear(year, options)) {
        char date[8];
        std::snprintf(date, sizeof date, "%02d-%02d ", day.month, day.day);
        lines.push_back(date + day.label);
    }
    return lines;
}

struct YearList {
    Place place;
    int year;
    std::vector<std::string> days;
};

TEST(CountryHolidays, WholeYearsOfEachCountry)
{
    const YearList lists[] = {
        // 2024 is a leap year; Easter on 31 March.
        {At(Country::Belgium),
         2024,
         {"01-01 Nouvel An", "03-31 Pâques", "04-01 Lundi de Pâques", "05-01 Fête du Travail", "05-09 Ascension",
          "05-19 Pentecôte", "05-20 Lundi de Pentecôte", "07-21 Fête nationale", "08-15 Assomption", "11-01 Toussaint",
          "11-11 Armistice", "12-25 Noël"}},
        // Europe Day from 2019 on, here on Ascension Day.
        {At(Country::Luxembourg),
         2024,
         {"01-01 Nouvel An", "03-31 Pâques", "04-01 Lundi de Pâques", "05-01 Fête du Travail",
          "05-09 Journée de l'Europe / Ascension", "05-19 Pentecôte", "05-20 Lundi de Pentecôte",
          "06-23 Fête nationale", "08-15 Assomption", "11-01 Toussaint", "12-25 Noël", "12-26 Saint-Étienne"}},
        {At(Country::Switzerland, "GE"),
         2027,
         {"01-01 Nouvel An", "03-26 Vendredi saint", "03-28 Pâques", "03-29 Lundi de Pâques", "05-06 Ascension",
          "05-16 Pentecôte", "05-17 Lundi de Pentecôte", "08-01 Fête nationale", "09-09 Jeûne genevois", "12-25 Noël",
          "12-31 Restauration de la République"}},
        // No canton: the days every canton keeps.
        {At(Country::Switzerland),
         2027,
         {"01-01 Nouvel An", "03-28 Pâques", "05-06 Ascension", "05-16 Pentecôte", "08-01 Fête nationale",
          "12-25 Noël"}},
        {At(Country::Switzerland, "VS"),
         2027,
         {"01-01 Nouvel An", "03-19 Saint-Joseph", "03-28 Pâques", "05-06 Ascension", "05-16 Pentecôte",
          "05-27 Fête-Dieu", "08-01 Fête nationale", "08-15 Assomption", "11-01 Toussaint",
          "12-08 Immaculée Conception", "12-25 Noël"}},
        // 1 January and 19 November 2023 are Sundays: Monaco keeps them the Monday after.
        {At(Country::Monaco),
         2023,
         {"01-01 Jour de l'An", "01-02 Jour de l'An (report)", "01-27 Sainte-Dévote", "04-09 Pâques",
          "04-10 Lundi de Pâques", "05-01 Fête du Travail", "05-18 Ascension", "05-28 Pentecôte",
          "05-29 Lundi de Pentecôte", "06-08 Fête-Dieu", "08-15 Assomption", "11-01 Toussaint", "11-19 Fête du Prince",
          "11-20 Fête du Prince (report)", "12-08 Immaculée Conception", "12-25 Noël"}},
        {At(Country::Canada, "QC"),
         2027,
         {"01-01 Jour de l'An", "03-26 Vendredi saint", "03-28 Pâques", "03-29 Lundi de Pâques",
          "05-24 Journée nationale des patriotes", "06-24 Fête nationale", "07-01 Fête du Canada",
          "09-06 Fête du Travail", "10-11 Action de grâce", "12-25 Noël"}},
        // Federal: 1 July 2018 is a Sunday, the holiday is the 2nd.
        {At(Country::Canada),
         2018,
         {"01-01 Jour de l'An", "03-30 Vendredi saint", "04-01 Pâques", "05-21 Fête de Victoria",
          "07-01 Fête du Canada", "07-02 Fête du Canada (report)", "09-03 Fête du Travail", "10-08 Action de grâce",
          "11-11 Jour du Souvenir", "12-25 Noël", "12-26 Lendemain de Noël"}},
    };
    for (const YearList &list : lists)
        EXPECT_EQ(Listing(list.place, list.year), list.days) << model::PlaceCode(list.place) << " " << list.year;
}

TEST(CountryHolidays, DaysThatDependOnTheYear)
{
    struct Case {
        Place place;
        int year, month, day;
        const char *label;
    };
    const Case cases[] = {
        {At(Country::Luxembourg), 2018, 5, 9, ""},
        {At(Country::Luxembourg), 2019, 5, 9, "Journée de l'Europe"},
        {At(Country::Canada), 2020, 9, 30, ""},
        {At(Country::Canada), 2021, 9, 30, "Vérité et réconciliation"},
        {At(Country::Canada, "QC"), 2021, 9, 30, ""},
        {At(Country::Canada, "QC"), 2002, 5, 20, "Fête de Dollard"},
        {At(Country::Canada, "QC"), 2003, 5, 19, "Journée nationale des patriotes"},
        // 24 June 2018 is a Sunday: kept on the 25th in Québec.
        {At(Country::Canada, "QC"), 2018, 6, 25, "Fête nationale (report)"},
        {At(Country::Canada, "ON"), 2008, 2, 18, "Jour de la Famille"},
        {At(Country::Canada, "NB"), 2017, 2, 20, ""},
        {At(Country::Switzerland), 1993, 8, 1, ""},
        // Neuchâtel keeps 2 January and 26 December only after a Sunday.
        {At(Country::Switzerland, "NE"), 2023, 1, 2, "Lendemain du Nouvel An"},
        {At(Country::Switzerland, "NE"), 2024, 1, 2, ""},
        {At(Country::Switzerland, "NE"), 2022, 12, 26, "Lendemain de Noël"},
        {At(Country::Switzerland, "VD"), 2026, 9, 21, "Lundi du Jeûne"},
        // Glarus: the first Thursday of April, a week later when it is Maundy Thursday.
        {At(Country::Switzerland, "GL"), 2021, 4, 1, ""},
        {At(Country::Switzerland, "GL"), 2021, 4, 8, "Näfelser Fahrt"},
        {At(Country::Switzerland, "GL"), 2024, 4, 4, "Näfelser Fahrt"},
        {At(Country::Switzerland, "JU"), 2011, 6, 23, "Fête-Dieu / Plébiscite jurassien"},
        {At(Country::Monaco), 2019, 12, 9, "Immaculée Conception (report)"},
        {At(Country::Belgium), 2028, 2, 29, ""},
        // No Easter before the year 100, and no crash.
        {At(Country::Belgium), 99, 1, 1, ""},
    };
    for (const Case &c : cases) {
        model::HolidayOptions options;
        options.place = c.place;
        EXPECT_EQ(GetHolidayLabel(COleDateTime(c.year, c.month, c.day, 0, 0, 0), options), c.label)
            << model::PlaceCode(c.place) << " " << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(CountryHolidays, ParticularDaysStillComeFirst)
{
    const std::vector<COleDateTime> dates{COleDateTime(2027, 7, 21, 0, 0, 0)};
    const std::vector<std::string> labels{"Braderie"};
    const model::HolidayOptions options{true, &dates, &labels, false, model::Region::Metropole, At(Country::Belgium)};
    EXPECT_EQ(GetHolidayLabel(dates[0], options), "Braderie");
}

TEST(CountryHolidays, CountryAndRegionRequests)
{
    struct Case {
        std::optional<std::string_view> country, region;
        std::string place; // PlaceCode of the result, empty for none
        std::string error; // the start of the message
    };
    const Case cases[] = {
        {"be", {}, "BE", ""},
        {"CH", "ge", "CH-GE", ""},
        {"ca", "QC", "CA-QC", ""},
        {"FR", "alsace-moselle", "FR", ""},
        {{}, "guyane", "FR", ""},
        {{}, {}, "", ""},
        {"XX", {}, "", "pays inconnu « XX »"},
        {"CH", "alsace-moselle", "", "canton inconnu « alsace-moselle » pour la Suisse (AG, AI,"},
        {"CA", "BC", "", "province inconnue « BC » pour le Canada (QC, ON, NB)."},
        {"LU", "GE", "", "pas de région pour le Luxembourg"},
        {{}, "GE", "", "région inconnue « GE »"},
    };
    for (const Case &c : cases) {
        const model::PlaceRequest request = model::RequestPlace(c.country, c.region);
        EXPECT_EQ(request.place ? model::PlaceCode(*request.place) : "", c.place) << request.error;
        EXPECT_EQ(request.error.substr(0, c.error.size()), c.error);
        EXPECT_EQ(request.error.empty(), c.error.empty());
    }
    for (const Place &place : model::PlaceChoices())
        EXPECT_EQ(model::PlaceFromCode(model::PlaceCode(place)), place);
    EXPECT_EQ(model::PlaceChoices().size(), 3u + 27u + 4u);
    EXPECT_EQ(model::PlaceFromCode("CH-XX"), std::nullopt);
    EXPECT_EQ(model::PlaceFromCode(""), std::nullopt);
}

} // namespace
