#pragma once

#include "model/country_subdivisions.h"

#include <climits>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

namespace model::rules {

// How a holiday's date is found in a year.
enum class Anchor : unsigned char {
    Fixed,         // month and day
    Easter,        // `day` days from Easter Sunday
    NthWeekday,    // the `day`-th `weekday` of `month`, then `shift` days on
    WeekdayBefore, // the last `weekday` before `day` `month`
};

// What the law does with a holiday that falls on a Sunday.
enum class OnSunday : unsigned char {
    Kept,            // nothing
    AlsoNextMonday,  // the Monday after is off too
    OnlyAfterSunday, // the day is a holiday only when the day before is a Sunday
};

constexpr int kSunday = 0;
constexpr int kMonday = 1;
constexpr int kThursday = 4;

// Bit i: canton or province i of the country's list; the top bit: no canton or province chosen.
constexpr std::uint32_t kNoSubdivision = 1u << 31;
constexpr std::uint32_t kEverywhere = ~0u;

// The bits of the codes in a list such as "GE VD" ("-" for no subdivision). Cantons and provinces
// share no code. An unknown code can only be met while the tables are compiled, and stops the
// build.
constexpr std::uint32_t Bits(std::string_view codes)
{
    std::uint32_t bits = 0;
    while (!codes.empty()) {
        const std::size_t end = codes.find(' ');
        const std::string_view code = codes.substr(0, end);
        codes = end == std::string_view::npos ? std::string_view() : codes.substr(end + 1);
        if (code.empty())
            continue;
        std::uint32_t bit = code == "-" ? kNoSubdivision : 0;
        for (std::size_t i = 0; i < kCantons.size(); ++i)
            bit |= code == kCantons[i].code ? 1u << i : 0;
        for (std::size_t i = 0; i < kProvinces.size(); ++i)
            bit |= code == kProvinces[i].code ? 1u << i : 0;
        if (bit == 0)
            throw std::invalid_argument("unknown canton or province");
        bits |= bit;
    }
    return bits;
}

struct Rule {
    Anchor anchor = Anchor::Fixed;
    int month = 0;
    int day = 0;
    int weekday = 0;
    int shift = 0;
    const char *label = "";
    std::uint32_t where = kEverywhere;
    int fromYear = INT_MIN;
    int untilYear = INT_MAX;
    OnSunday sunday = OnSunday::Kept;
    bool outOfHolyWeek = false; // on Maundy Thursday it goes a week later

private:
    // Defined before its users: clang evaluates the constant tables with what it has seen so far.
    template <typename T>
    constexpr Rule With(T Rule::*member, T value) const
    {
        Rule copy = *this;
        copy.*member = value;
        return copy;
    }

public:
    // Only in these cantons or provinces.
    constexpr Rule In(std::string_view codes) const { return With(&Rule::where, Bits(codes)); }
    // In every canton or province but these, and so not among the days common to all.
    constexpr Rule NotIn(std::string_view codes) const { return With(&Rule::where, ~kNoSubdivision & ~Bits(codes)); }
    constexpr Rule From(int year) const { return With(&Rule::fromYear, year); }
    constexpr Rule Until(int year) const { return With(&Rule::untilYear, year); }
    constexpr Rule MovedFromSunday() const { return With(&Rule::sunday, OnSunday::AlsoNextMonday); }
    constexpr Rule OnlyAfterSunday() const { return With(&Rule::sunday, OnSunday::OnlyAfterSunday); }
    constexpr Rule OutOfHolyWeek() const { return With(&Rule::outOfHolyWeek, true); }
};

constexpr Rule Fixed(int month, int day, const char *label)
{
    return {Anchor::Fixed, month, day, 0, 0, label};
}

constexpr Rule Easter(int days, const char *label)
{
    return {Anchor::Easter, 0, days, 0, 0, label};
}

constexpr Rule Nth(int n, int weekday, int month, const char *label, int shift = 0)
{
    return {Anchor::NthWeekday, month, n, weekday, shift, label};
}

constexpr Rule Before(int weekday, int month, int day, const char *label)
{
    return {Anchor::WeekdayBefore, month, day, weekday, 0, label};
}

// The rules of a country other than France, in the order their names are joined.
std::span<const Rule> RulesOf(Country country);

} // namespace model::rules
