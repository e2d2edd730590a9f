#include "almanac/paris_phases.h"

#include <QDateTime>
#include <QTimeZone>

namespace almanac {

namespace {

constexpr std::int64_t kMillisecondsPerDay = 86400000;
constexpr std::int64_t kMillisecondsPerMinute = 60000;
// QDate's Julian day of 1970-01-01.
constexpr std::int64_t kUnixEpochJulianDay = 2440588;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

std::int64_t MidnightUtc(const QDate &date)
{
    return (date.toJulianDay() - kUnixEpochJulianDay) * kMillisecondsPerDay;
}

} // namespace

std::optional<std::vector<LocalPhase>> PhasesInParis(int year, int firstMonth, int lastMonth)
{
    const QTimeZone paris(QByteArrayLiteral("Europe/Paris"));
    if (!paris.isValid())
        return std::nullopt;
    const QDate first(year, firstMonth, 1);
    const QDate end = QDate(year, lastMonth, 1).addMonths(1);
    std::vector<LocalPhase> phases;
    if (!first.isValid() || !end.isValid() || end <= first)
        return phases;
    // Paris is never a day away from universal time.
    const std::vector<model::MoonPhase> instants =
        model::MoonPhasesBetween(MidnightUtc(first) - kMillisecondsPerDay, MidnightUtc(end) + kMillisecondsPerDay);
    for (const model::MoonPhase &phase : instants) {
        const QDateTime utc = QDateTime::fromMSecsSinceEpoch(phase.unixMilliseconds, Qt::UTC);
        const std::int64_t local = phase.unixMilliseconds + std::int64_t{paris.offsetFromUtc(utc)} * 1000;
        const std::int64_t rounded =
            FloorDiv(local + kMillisecondsPerMinute / 2, kMillisecondsPerMinute) * kMillisecondsPerMinute;
        const std::int64_t day = FloorDiv(rounded, kMillisecondsPerDay);
        const QDate date = QDate::fromJulianDay(kUnixEpochJulianDay + day);
        if (date < first || date >= end)
            continue;
        const auto minuteOfDay = static_cast<int>((rounded - day * kMillisecondsPerDay) / kMillisecondsPerMinute);
        phases.push_back({phase.kind, date, minuteOfDay / 60, minuteOfDay % 60});
    }
    return phases;
}

QString PhaseName(model::MoonPhaseKind kind)
{
    switch (kind) {
    case model::MoonPhaseKind::NewMoon:
        return QStringLiteral("Nouvelle lune");
    case model::MoonPhaseKind::FirstQuarter:
        return QStringLiteral("Premier quartier");
    case model::MoonPhaseKind::FullMoon:
        return QStringLiteral("Pleine lune");
    case model::MoonPhaseKind::LastQuarter:
        return QStringLiteral("Dernier quartier");
    }
    return {};
}

std::optional<std::string> MoonPhaseListing(int year)
{
    const auto phases = PhasesInParis(year, 1, 12);
    if (!phases)
        return std::nullopt;
    QString listing;
    for (const LocalPhase &phase : *phases)
        listing += QString::asprintf("%04d-%02d-%02d %02d:%02d\t", phase.date.year(), phase.date.month(),
                                     phase.date.day(), phase.hour, phase.minute) +
                   PhaseName(phase.kind) + QLatin1Char('\n');
    return listing.toStdString();
}

} // namespace almanac
