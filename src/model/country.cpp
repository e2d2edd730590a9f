#include "model/country.h"

#include "model/country_subdivisions.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace model {

namespace {

struct CountryInfo {
    Country country;
    const char *code;
    const char *name;
    const char *nameWithArticle; // for messages: "la Suisse"
};

constexpr std::array<CountryInfo, 6> kCountries = {{
    {Country::France, "FR", "France", "la France"},
    {Country::Belgium, "BE", "Belgique", "la Belgique"},
    {Country::Luxembourg, "LU", "Luxembourg", "le Luxembourg"},
    {Country::Switzerland, "CH", "Suisse", "la Suisse"},
    {Country::Monaco, "MC", "Monaco", "Monaco"},
    {Country::Canada, "CA", "Canada", "le Canada"},
}};

const CountryInfo &InfoOf(Country country)
{
    const auto it = std::find_if(kCountries.begin(), kCountries.end(),
                                 [country](const CountryInfo &info) { return info.country == country; });
    return it != kCountries.end() ? *it : kCountries[0];
}

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char &c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

std::optional<Country> CountryFromCode(std::string_view code)
{
    const std::string upper = Upper(code);
    for (const CountryInfo &info : kCountries) {
        if (upper == info.code)
            return info.country;
    }
    return std::nullopt;
}

std::optional<int> SubdivisionFromCode(Country country, std::string_view code)
{
    const std::string upper = Upper(code);
    const std::span<const Subdivision> list = Subdivisions(country);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (upper == list[i].code)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

std::string CodeList(std::span<const Subdivision> list)
{
    std::string codes;
    for (const Subdivision &s : list)
        codes += (codes.empty() ? "" : ", ") + std::string(s.code);
    return codes;
}

} // namespace

const char *CountryCode(Country country)
{
    return InfoOf(country).code;
}

const char *CountryName(Country country)
{
    return InfoOf(country).name;
}

std::span<const Subdivision> Subdivisions(Country country)
{
    switch (country) {
    case Country::Switzerland:
        return kCantons;
    case Country::Canada:
        return kProvinces;
    default:
        return {};
    }
}

std::string PlaceCode(const Place &place)
{
    std::string code = CountryCode(place.country);
    const std::span<const Subdivision> list = Subdivisions(place.country);
    if (place.subdivision >= 0 && place.subdivision < static_cast<int>(list.size()))
        code += std::string("-") + list[static_cast<std::size_t>(place.subdivision)].code;
    return code;
}

std::optional<Place> PlaceFromCode(std::string_view code)
{
    const std::size_t dash = code.find('-');
    const std::optional<Country> country = CountryFromCode(code.substr(0, dash));
    if (!country)
        return std::nullopt;
    if (dash == std::string_view::npos)
        return Place{*country, -1};
    const std::optional<int> subdivision = SubdivisionFromCode(*country, code.substr(dash + 1));
    if (!subdivision)
        return std::nullopt;
    return Place{*country, *subdivision};
}

const std::vector<Place> &PlaceChoices()
{
    static const std::vector<Place> choices = [] {
        std::vector<Place> places;
        for (const CountryInfo &info : kCountries) {
            if (info.country == Country::France)
                continue;
            places.push_back({info.country, -1});
            for (int i = 0; i < static_cast<int>(Subdivisions(info.country).size()); ++i)
                places.push_back({info.country, i});
        }
        return places;
    }();
    return choices;
}

PlaceRequest RequestPlace(std::optional<std::string_view> countryText, std::optional<std::string_view> regionText)
{
    PlaceRequest request;
    std::optional<Country> country = Country::France;
    if (countryText) {
        country = CountryFromCode(*countryText);
        if (!country) {
            request.error = "pays inconnu « " + std::string(*countryText) + " » (FR, BE, LU, CH, MC, CA).";
            return request;
        }
        request.place = Place{*country, -1};
    }
    if (!regionText)
        return request;
    if (*country == Country::France) {
        request.region = RegionFromName(*regionText);
        if (!request.region) {
            request.error = "région inconnue « " + std::string(*regionText) + " » (" + RegionNames() +
                            ") ; un canton suisse ou une province canadienne se donne avec le pays CH ou CA.";
            return request;
        }
        request.place = Place{};
        return request;
    }
    const std::span<const Subdivision> list = Subdivisions(*country);
    if (list.empty()) {
        request.error = std::string("pas de région pour ") + InfoOf(*country).nameWithArticle +
                        " : ses jours fériés sont les mêmes dans tout le pays.";
        request.place.reset();
        return request;
    }
    const std::optional<int> subdivision = SubdivisionFromCode(*country, *regionText);
    if (!subdivision) {
        request.error = std::string(*country == Country::Switzerland ? "canton" : "province") + " inconnu" +
                        (*country == Country::Switzerland ? "" : "e") + " « " + std::string(*regionText) + " » pour " +
                        InfoOf(*country).nameWithArticle + " (" + CodeList(list) + ").";
        request.place.reset();
        return request;
    }
    request.place = Place{*country, *subdivision};
    return request;
}

} // namespace model
