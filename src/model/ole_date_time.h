#pragma once

#include <cstdint>

namespace model {

// Calendar fields of a date, as the program hands them around.
struct SystemTime {
    int year = 0;
    int month = 0;     // 1 .. 12
    int dayOfWeek = 0; // Sunday = 0 .. Saturday = 6
    int day = 0;       // 1 .. 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

// Gregorian rules, used for every year (proleptic calendar).
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

} // namespace model

// An OLE Automation date: whole days since 30 December 1899 in a double, plus the time of day
// as a fraction, with a validity status. Before the epoch the whole part counts backwards while
// the fraction still counts forward from midnight, so the value is not linear across zero.
class COleDateTime
{
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    static constexpr int kMinYear = 100;
    static constexpr int kMaxYear = 9999;

    COleDateTime() = default;
    COleDateTime(int year, int month, int day, int hour, int minute, int second);

    // The local clock's date and time; invalid when the local time cannot be formed.
    static COleDateTime GetCurrentTime();
    // A time_t of the run-time library, turned into local calendar fields.
    static COleDateTime FromTimeT(std::int64_t seconds);
    static COleDateTime FromValue(double value, DateTimeStatus status = valid);

    int SetDateTime(int year, int month, int day, int hour, int minute, int second);

    DateTimeStatus GetStatus() const { return status_; }
    void SetStatus(DateTimeStatus status) { status_ = status; }
    double Value() const { return value_; }

    bool GetAsSystemTime(model::SystemTime &fields) const;
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetDayOfWeek() const; // Sunday = 0 .. Saturday = 6, -1 when not valid
    int GetDayOfYear() const; // 1 .. 366, -1 when the conversion fails

    COleDateTime &operator+=(int days);
    COleDateTime &operator-=(int days) { return *this += -days; }
    friend COleDateTime operator+(COleDateTime date, int days) { return date += days; }
    friend COleDateTime operator-(COleDateTime date, int days) { return date += -days; }

    bool operator==(const COleDateTime &other) const;
    bool operator>(const COleDateTime &other) const;

private:
    double value_ = 0.0;
    DateTimeStatus status_ = valid;
};

namespace model {

// Day number of a midnight date (30 December 1899 = 0), for any year, without range checks.
std::int64_t DayNumber(int year, int month, int day);

} // namespace model
