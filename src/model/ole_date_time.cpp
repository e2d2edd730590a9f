#include "model/ole_date_time.h"

#include <cmath>
#include <ctime>

namespace {

// Half a second expressed in days: the tolerance of equality and the threshold below which a
// value counts as negative.
constexpr double kHalfSecond = 0.5 / 86400.0;

// Day numbers of the first and last valid dates, 1 January 100 and 31 December 9999.
constexpr double kMinValue = -657434.0;
constexpr double kMaxValue = 2958465.0 + 86399.0 / 86400.0;

// Turns the non-linear OLE value into a count of days that grows steadily with time.
double ToLinear(double value)
{
    if (value >= -kHalfSecond)
        return value;
    return 2.0 * std::ceil(value) - value;
}

double FromLinear(double linear)
{
    if (linear >= -kHalfSecond)
        return linear;
    return 2.0 * std::floor(linear) - linear;
}

// Civil date of a day count since 1 March of year 0, the classic era-based algorithm.
void CivilFromDays(std::int64_t days, int &year, int &month, int &day)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

// Days from 1970-01-01 to 1899-12-30.
constexpr std::int64_t kUnixToOle = 25569;

} // namespace

namespace model {

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

std::int64_t DayNumber(int year, int month, int day)
{
    const std::int64_t y = month <= 2 ? std::int64_t(year) - 1 : year;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t mp = month > 2 ? month - 3 : month + 9;
    const std::int64_t dayOfYear = (153 * mp + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + kUnixToOle;
}

} // namespace model

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    const bool inRange = year >= kMinYear && year <= kMaxYear && month >= 1 && month <= 12 && day >= 1 &&
                         day <= model::DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
                         minute <= 59 && second >= 0 && second <= 59;
    if (!inRange) {
        value_ = 0.0;
        status_ = invalid;
        return status_;
    }
    const double days = static_cast<double>(model::DayNumber(year, month, day));
    const double fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    value_ = days >= 0 ? days + fraction : days - fraction;
    status_ = valid;
    return status_;
}

COleDateTime COleDateTime::GetCurrentTime()
{
    return FromTimeT(static_cast<std::int64_t>(std::time(nullptr)));
}

COleDateTime COleDateTime::FromTimeT(std::int64_t seconds)
{
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) {
        COleDateTime result;
        result.status_ = invalid;
        return result;
    }
    return COleDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec);
}

COleDateTime COleDateTime::FromValue(double value, DateTimeStatus status)
{
    COleDateTime result;
    result.value_ = value;
    result.status_ = status;
    return result;
}

bool COleDateTime::GetAsSystemTime(model::SystemTime &fields) const
{
    if (status_ != valid)
        return false;
    // The range is checked on the linear time line: before 1900 a later time of day has a
    // smaller raw value (noon on 1 January 100 is -657434.5).
    const double linear = ToLinear(value_);
    if (!(linear >= kMinValue - kHalfSecond && linear <= kMaxValue + kHalfSecond))
        return false;
    // Round to the nearest second on the linear time line.
    const double totalSeconds = std::floor(linear * 86400.0 + 0.5);
    const std::int64_t whole = static_cast<std::int64_t>(totalSeconds);
    std::int64_t days = whole / 86400;
    std::int64_t secondOfDay = whole % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    int year = 0, month = 0, day = 0;
    CivilFromDays(days - kUnixToOle, year, month, day);
    if (year < kMinYear || year > kMaxYear)
        return false;
    fields.year = year;
    fields.month = month;
    fields.day = day;
    fields.hour = static_cast<int>(secondOfDay / 3600);
    fields.minute = static_cast<int>(secondOfDay / 60 % 60);
    fields.second = static_cast<int>(secondOfDay % 60);
    fields.milliseconds = 0;
    // 30 December 1899 (day 0) was a Saturday.
    fields.dayOfWeek = static_cast<int>(((days % 7) + 7 + 6) % 7);
    return true;
}

int COleDateTime::GetYear() const
{
    model::SystemTime fields;
    return GetAsSystemTime(fields) ? fields.year : -1;
}

int COleDateTime::GetMonth() const
{
    model::SystemTime fields;
    return GetAsSystemTime(fields) ? fields.month : -1;
}

int COleDateTime::GetDay() const
{
    model::SystemTime fields;
    return GetAsSystemTime(fields) ? fields.day : -1;
}

int COleDateTime::GetDayOfWeek() const
{
    model::SystemTime fields;
    return GetAsSystemTime(fields) ? fields.dayOfWeek : -1;
}

int COleDateTime::GetDayOfYear() const
{
    model::SystemTime fields;
    if (!GetAsSystemTime(fields))
        return -1;
    return static_cast<int>(model::DayNumber(fields.year, fields.month, fields.day) -
                            model::DayNumber(fields.year, 1, 1)) +
           1;
}

COleDateTime &COleDateTime::operator+=(int days)
{
    value_ = FromLinear(ToLinear(value_) + days);
    return *this;
}

bool COleDateTime::operator==(const COleDateTime &other) const
{
    if (status_ != other.status_)
        return false;
    if (status_ == null)
        return true;
    return status_ == valid && std::fabs(value_ - other.value_) < kHalfSecond;
}

bool COleDateTime::operator>(const COleDateTime &other) const
{
    if (status_ != valid || other.status_ != valid)
        return false;
    return ToLinear(value_) > ToLinear(other.value_);
}
