#pragma once

#include "almanac/almanac.h"
#include "drawing/draw_calendar.h"
#include "model/holiday_label.h"
#include "platform/draw_surface.h"

#include <QString>

#include <array>

namespace render {

// Requested by these names on purpose; the start-up substitutions map them to real faces.
inline const QString kSerifFace = QStringLiteral("TIME NEW ROMAN");
inline const QString kMonospaceFace = QStringLiteral("COURRIER NEW");

// Month names in Windows-1252, January first.
extern const std::array<const char *, 12> kMonthNames;
// Weekday initials, Sunday first.
inline constexpr std::array<char, 7> kWeekdayInitials = {'D', 'L', 'M', 'M', 'J', 'V', 'S'};
// Full weekday names of the large cells, Monday first.
extern const std::array<const char *, 7> kWeekdayNames;

// What the user types (advertising lines, labels of particular days) prints as typed: it is
// drawn with kUserTextFlags, so an '&' is no mnemonic, and taken through UserText first, so a
// "&&" written for the mnemonic drawing of older versions still prints one '&'.
constexpr unsigned kUserTextFlags = platform::DT_NOPREFIX;
QString UserText(const QString &stored);

// Truncation toward zero of a device coordinate. Values outside the int range (a sheet with no
// height makes the scale unbounded) are clamped instead of overflowing; NaN gives 0.
int Trunc(double value);

// Whether a layout of `count` pages draws `page`: pages outside 1..count, page 0 included, draw
// nothing.
inline bool IsPageOf(int page, int count)
{
    return page >= 1 && page <= count;
}

// A font size of trunc(n / s) tenths of a point.
inline int FontTenths(int n, double s)
{
    return Trunc(n / s);
}

// 31, 28, 31, ... with February 29 in a leap year.
std::array<int, 12> MonthLengths(int year);

// Month 1..12 widened from the 8-bit table; empty outside that range.
QString MonthName(int month);
// The initial of a weekday, Sunday = 0; empty for an invalid date (-1).
QString WeekdayInitial(int dayOfWeek);
// "%04d".
QString FormatYear(int year);
// Week number of a Thursday from its day of the year (1 for 1 January).
inline int WeekNumberOfThursday(int dayOfYear)
{
    return (dayOfYear + 6) / 7;
}

inline constexpr int kSunday = 0;
inline constexpr int kThursday = 4;
inline constexpr int kSaturday = 6;

// One day of a month with what every layout asks of it, looked up once per page.
struct DayInfo {
    int dayOfWeek = -1; // Sunday = 0, -1 for an invalid date
    int dayOfYear = -1;
    QString label;           // holiday label as printed (through UserText), empty for an ordinary day
    QString fullLabel;       // a regional day's full name where its label is abbreviated, else empty
    almanac::DayMarks marks; // name day, moon phase: empty unless the almanac is shown

    // Saturday, Sunday or a labelled day; the label counts whether it is shown or not.
    bool IsNonWorking() const { return dayOfWeek == kSunday || dayOfWeek == kSaturday || !label.isEmpty(); }
};

struct MonthDays {
    int year = 0;
    int month = 1; // 1..12
    int length = 0;
    std::array<DayInfo, 31> days; // days[d - 1]

    const DayInfo &Day(int d) const { return days[static_cast<std::size_t>(d - 1)]; }
};

model::HolidayOptions HolidayOptionsOf(const LayoutInputs &inputs);
// The almanac of the months a page shows, as the view settings ask for it.
almanac::Almanac AlmanacOf(const LayoutInputs &inputs, int firstMonth, int lastMonth);
MonthDays LookUpMonth(int year, int month, const model::HolidayOptions &options, const almanac::Almanac &almanac = {});

// Selects a font for a group of texts and reselects the previous one when it goes.
class FontScope
{
public:
    FontScope(platform::DrawSurface &dc, const platform::Font &font) : dc_(dc), previous_(dc.SelectFont(font)) {}
    ~FontScope() { dc_.SelectFont(previous_); }
    FontScope(const FontScope &) = delete;
    FontScope &operator=(const FontScope &) = delete;

private:
    platform::DrawSurface &dc_;
    platform::Font previous_;
};

// A text drawn with a transparent background, the previous mode restored after it.
void DrawTransparentText(platform::DrawSurface &dc, const QString &text, const platform::Rect &rect, unsigned flags);
void DrawLine(platform::DrawSurface &dc, int x1, int y1, int x2, int y2);

// The two advertising lines, when shown, each through the 8-bit code page and in the
// context's current background mode.
void DrawAdvertising(platform::DrawSurface &dc, const LayoutInputs &inputs, double s, const platform::Rect &line1,
                     const platform::Rect &line2);

} // namespace render
