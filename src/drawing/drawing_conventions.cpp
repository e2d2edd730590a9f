#include "drawing/drawing_conventions.h"

#include "almanac/school_zones_apply.h"

#include "drawing/school_bands.h"
#include "model/ole_date_time.h"
#include "platform/code_page.h"

#include <cmath>
#include <limits>

namespace render {

const std::array<const char *, 12> kMonthNames = {
    "Janvier",
    "F\xE9vrier",
    "Mars",
    "Avril",
    "Mai",
    "Juin",
    "Juillet",
    "Ao\xFBt",
    "Septembre",
    "Octobre",
    "Novembre",
    "D\xE9"
    "cembre",
};

const std::array<const char *, 7> kWeekdayNames = {"Lundi",    "Mardi",  "Mercredi", "Jeudi",
                                                   "Vendredi", "Samedi", "Dimanche"};

QString UserText(const QString &stored)
{
    QString text = stored;
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

int Trunc(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

std::array<int, 12> MonthLengths(int year)
{
    std::array<int, 12> lengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0))
        lengths[1] = 29;
    return lengths;
}

QString MonthName(int month)
{
    if (month < 1 || month > 12)
        return {};
    return platform::FromCodePage(kMonthNames[static_cast<std::size_t>(month - 1)]);
}

QString WeekdayInitial(int dayOfWeek)
{
    if (dayOfWeek < 0 || dayOfWeek > 6)
        return {};
    return QString(QChar::fromLatin1(kWeekdayInitials[static_cast<std::size_t>(dayOfWeek)]));
}

QString FormatYear(int year)
{
    return QString::asprintf("%04d", year);
}

model::HolidayOptions HolidayOptionsOf(const LayoutInputs &inputs)
{
    const bool particular = inputs.view.FerieParticulier != 0;
    if (inputs.doc != nullptr)
        return inputs.doc->HolidayOptions(particular);
    return {particular, nullptr, nullptr, false, inputs.app.Region, inputs.app.Pays};
}

almanac::Almanac AlmanacOf(const LayoutInputs &inputs, int firstMonth, int lastMonth)
{
    almanac::AlmanacOptions options = almanac::AlmanacOptionsOf(inputs.view);
    options.schoolZones = SchoolZonesOf(inputs.view, inputs.app);
    return almanac::Almanac(inputs.app.Annee, firstMonth, lastMonth, options);
}

namespace {

// The regional days whose labels are abbreviated to fit the narrowest columns, by their full
// names, for the places that have room.
QString FullRegionalLabel(const QString &label, model::Region region)
{
    if (region == model::Region::Metropole || region == model::Region::AlsaceMoselle)
        return {};
    if (label == QLatin1String("Abol. esclavage"))
        return QStringLiteral("Abolition de l'esclavage");
    if (label == QLatin1String("V. Schoelcher"))
        return QStringLiteral("Victor Schoelcher");
    return {};
}

} // namespace

MonthDays LookUpMonth(int year, int month, const model::HolidayOptions &options, const almanac::Almanac &almanac)
{
    MonthDays result;
    result.year = year;
    result.month = month;
    result.length = MonthLengths(year)[static_cast<std::size_t>(month - 1)];
    for (int d = 1; d <= result.length; ++d) {
        const COleDateTime date(year, month, d, 0, 0, 0);
        DayInfo &info = result.days[static_cast<std::size_t>(d - 1)];
        info.dayOfWeek = date.GetDayOfWeek();
        info.dayOfYear = date.GetDayOfYear();
        info.label = UserText(QString::fromStdString(GetHolidayLabel(date, options)));
        info.fullLabel = FullRegionalLabel(info.label, options.region);
        info.marks = almanac.Day(month, d);
    }
    return result;
}

void DrawTransparentText(platform::DrawSurface &dc, const QString &text, const platform::Rect &rect, unsigned flags)
{
    const int previous = dc.SetBkMode(platform::TRANSPARENT);
    dc.DrawText(text, rect, flags);
    dc.SetBkMode(previous);
}

void DrawLine(platform::DrawSurface &dc, int x1, int y1, int x2, int y2)
{
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

void DrawAdvertising(platform::DrawSurface &dc, const LayoutInputs &inputs, double s, const platform::Rect &line1,
                     const platform::Rect &line2)
{
    if (!inputs.view.PubVisible)
        return;
    FontScope font(dc, dc.CreatePointFont(FontTenths(60, s), kSerifFace));
    constexpr unsigned flags = platform::kTextCentred | kUserTextFlags;
    dc.DrawText(UserText(platform::ToCodePageAndBack(inputs.app.Pub1)), line1, flags);
    dc.DrawText(UserText(platform::ToCodePageAndBack(inputs.app.Pub2)), line2, flags);
}

} // namespace render
