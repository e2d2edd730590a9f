#include "almanac/school_text.h"

#include "almanac/school_limits.h"
#include "model/ole_date_time.h"
#include "platform/text_encoding.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTimeZone>

#include <algorithm>

namespace almanac {

namespace {

// "zone A", "zones B et C", "Zones : A, B, C"; a letter followed by more letters is a word.
const QRegularExpression &ZonePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("\\bzones?\\s*:?\\s*([abc](?:\\s*(?:,|/|&|\\bet\\b)\\s*[abc])*)\\b"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return pattern;
}

const QTimeZone &Paris()
{
    static const QTimeZone paris("Europe/Paris");
    return paris;
}

std::optional<std::int64_t> DayOf(const QDate &date)
{
    if (!date.isValid() || date.year() < COleDateTime::kMinYear || date.year() > COleDateTime::kMaxYear)
        return std::nullopt;
    return model::DayNumber(date.year(), date.month(), date.day());
}

// A stamp read as Paris local time; a plain date is its midnight.
std::optional<QDateTime> ParisTime(const QString &stamp)
{
    const QString text = stamp.trimmed();
    if (text.size() == 10) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        return date.isValid() ? std::optional(QDateTime(date, QTime(0, 0), Paris())) : std::nullopt;
    }
    QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!time.isValid())
        return std::nullopt;
    // Without an offset the stamp is a Paris wall-clock time, whatever the machine's zone.
    if (time.timeSpec() == Qt::LocalTime)
        return QDateTime(time.date(), time.time(), Paris());
    return time.toTimeZone(Paris());
}

} // namespace

bool NamesSchoolHoliday(const QString &text)
{
    static const QRegularExpression holiday(QStringLiteral("\\b(vacances|pont)\\b"),
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression other(QStringLiteral("\\b(rentr[ée]e|enseignants?)\\b"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::UseUnicodePropertiesOption);
    return holiday.match(text).hasMatch() && !other.match(text).hasMatch();
}

std::vector<SchoolZone> ZonesNamed(const QString &text)
{
    std::vector<SchoolZone> zones;
    for (auto it = ZonePattern().globalMatch(text); it.hasNext();) {
        for (const QChar c : it.next().captured(1)) {
            const auto zone = c.isLetter() ? ZoneFromLetter(static_cast<char>(c.toLatin1())) : std::nullopt;
            if (zone && std::find(zones.begin(), zones.end(), *zone) == zones.end())
                zones.push_back(*zone);
        }
    }
    std::sort(zones.begin(), zones.end());
    return zones;
}

std::string HolidayName(const QString &text)
{
    // Control characters (a line break of a DESCRIPTION) become spaces, runs of spaces one;
    // bidirectional overrides go.
    QString name = QString::fromStdString(platform::WithoutHiddenControls(text.toStdString()));
    name.replace(ZonePattern(), QString());
    name = name.simplified();
    static const QRegularExpression separators(QStringLiteral("^[\\s\\-–—:,(]+|[\\s\\-–—:,(]+$|\\(\\s*\\)"));
    name.remove(separators);
    name = name.simplified();
    if (static_cast<std::size_t>(name.size()) > kMaxSchoolPeriodName) {
        qsizetype length = static_cast<qsizetype>(kMaxSchoolPeriodName);
        if (name.at(length - 1).isHighSurrogate())
            --length;
        name.truncate(length);
    }
    return name.toStdString();
}

std::optional<std::int64_t> ParisDay(const QString &stamp)
{
    const auto time = ParisTime(stamp);
    return time ? DayOf(time->date()) : std::nullopt;
}

std::optional<std::int64_t> ParisDayBefore(const QString &stamp)
{
    const auto time = ParisTime(stamp);
    return time ? DayOf(time->addSecs(-1).date()) : std::nullopt;
}

std::int64_t ParisDayOfInstant(std::int64_t seconds)
{
    const QDate date = QDateTime::fromSecsSinceEpoch(seconds, Paris()).date();
    return model::DayNumber(date.year(), date.month(), date.day());
}

} // namespace almanac
