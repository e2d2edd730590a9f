#include "model/holiday_label.h"

#include "model/country_holidays.h"
#include "model/easter.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace {

struct FixedHoliday {
    int day;
    int month;
    int fromYear;
    const char *label;
};

// Tested in this order; fromYear is the first year the holiday was kept.
constexpr FixedHoliday kFixedHolidays[] = {
    {1, 1, 0, "Nouvel An"},           {1, 5, 1936, "Fête Travail"}, {8, 5, 1946, "Victoire 1945"},
    {14, 7, 1790, "Fête Nationale"},  {15, 8, 0, "Assomption"},     {1, 11, 0, "Toussaint"},
    {11, 11, 1919, "Armistice 1918"}, {25, 12, 0, "Noël"},
};

const std::string *ParticularDayLabel(const COleDateTime &date, const model::HolidayOptions &options)
{
    if (!options.ferieParticulier || options.dates == nullptr || options.labels == nullptr)
        return nullptr;
    const auto count = std::min(options.dates->size(), options.labels->size());
    for (std::size_t i = 0; i < count; ++i) {
        if ((*options.dates)[i] == date)
            return &(*options.labels)[i];
    }
    return nullptr;
}

std::string PublicHolidayLabel(const COleDateTime &date, const model::HolidayOptions &options)
{
    model::SystemTime fields;
    if (!date.GetAsSystemTime(fields))
        return {};
    const int year = fields.year;
    // France's labels are its own table's; other countries' come from their rules.
    if (options.place.country != model::Country::France)
        return model::CountryHolidayLabel(options.place, year, fields.month, fields.day);

    COleDateTime easter = EasterSunday(year);
    if (date == easter)
        return "Pâques";
    if (date == easter + 1)
        return "Lundi Pâques";
    if (date == easter + 39) {
        if (fields.month == 5 && fields.day == 1 && year >= 1936)
            return "Ascen./F.Travail";
        if (fields.month == 5 && fields.day == 8 && year >= 1936)
            return "Ascen./Vict.1945";
        return "Ascension";
    }
    if (date == easter + 49)
        return "Pentecôte";
    if (date == easter + 50 && (options.lundiPentecote || year <= 2004))
        return "Lundi Pentecôte";

    const auto fixed = std::find_if(std::begin(kFixedHolidays), std::end(kFixedHolidays), [&](const FixedHoliday &h) {
        return h.day == fields.day && h.month == fields.month && year >= h.fromYear;
    });
    if (fixed != std::end(kFixedHolidays))
        return fixed->label;

    // A region's own days come after the national ones, so that a national label wins.
    std::optional<int> fromEaster;
    if (easter.GetStatus() == COleDateTime::valid)
        fromEaster = static_cast<int>(model::DayNumber(year, fields.month, fields.day) -
                                      model::DayNumber(year, easter.GetMonth(), easter.GetDay()));
    const char *regional = RegionalHolidayLabel(options.region, year, fields.month, fields.day, fromEaster);
    return regional != nullptr ? regional : std::string();
}

} // namespace

std::string GetHolidayLabel(const COleDateTime &date, const model::HolidayOptions &options)
{
    // The user's own days come first, even over a public holiday of the same date.
    if (const std::string *label = ParticularDayLabel(date, options))
        return *label;
    return PublicHolidayLabel(date, options);
}

namespace model {

std::vector<DayLabel> LabelledDaysOfYear(int year, const HolidayOptions &options)
{
    std::vector<DayLabel> days;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= DaysInMonth(year, month); ++day) {
            const COleDateTime date(year, month, day, 0, 0, 0);
            if (const std::string *label = ParticularDayLabel(date, options))
                days.push_back({month, day, *label, true});
            else if (std::string label = PublicHolidayLabel(date, options); !label.empty())
                days.push_back({month, day, std::move(label), false});
        }
    }
    return days;
}

} // namespace model
