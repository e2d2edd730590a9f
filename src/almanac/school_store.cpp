#include "almanac/school_store.h"

#include "almanac/school_limits.h"
#include "almanac/school_record.h"
#include "document/settings_keys.h"
#include "platform/registry.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <mutex>
#include <set>

using platform::RegistryKey;

namespace almanac {

namespace {

const QString kSection = QStringLiteral("VacancesScolaires");

QString StoredText(const SchoolPeriod &period)
{
    return QString::fromStdString(IsoDate(period.first) + ' ' + IsoDate(period.last) + ' ' + ZoneLetter(period.zone) +
                                  ' ' + period.name);
}

std::optional<SchoolPeriod> PeriodFromText(const QString &text)
{
    const std::string value = text.toStdString();
    if (value.size() < 23 || value[10] != ' ' || value[21] != ' ' || (value.size() > 23 && value[23] != ' '))
        return std::nullopt;
    const auto first = DayFromIso(value.substr(0, 10));
    const auto last = DayFromIso(value.substr(11, 10));
    const auto zone = ZoneFromLetter(value[22]);
    if (!first || !last || !zone || *last < *first || *last - *first >= kMaxSchoolPeriodDays)
        return std::nullopt;
    return SchoolPeriod{*first, *last, *zone, value.size() > 24 ? value.substr(24) : std::string()};
}

bool SameDays(const SchoolPeriod &a, const SchoolPeriod &b)
{
    return a.first == b.first && a.last == b.last && a.zone == b.zone;
}

} // namespace

std::vector<SchoolPeriod> LoadImportedSchoolHolidays()
{
    std::vector<SchoolPeriod> periods;
    const auto key = RegistryKey::Open(settings_keys::SchoolHolidays());
    if (!key)
        return periods;
    // In the order of their numbers, and no more than the store may hold however the file was
    // edited.
    static const QRegularExpression valueName(QStringLiteral("^Periode([1-9][0-9]{0,8})$"));
    std::map<int, QString> names;
    for (const QString &name : key->ValueNames()) {
        if (const auto match = valueName.match(name); match.hasMatch())
            names.emplace(match.captured(1).toInt(), name);
    }
    for (const auto &[number, name] : names) {
        if (periods.size() == kMaxStoredSchoolPeriods)
            break;
        if (const auto text = key->QueryText(name)) {
            if (auto period = PeriodFromText(*text))
                periods.push_back(std::move(*period));
        }
    }
    return MergePeriods(std::move(periods));
}

SchoolCalendar LoadSchoolCalendar()
{
    return CombineCalendars(SchoolRecord(), LoadImportedSchoolHolidays());
}

namespace {

struct CalendarInUse {
    std::mutex mutex;
    QString settingsFile;
    std::shared_ptr<const SchoolCalendar> calendar;
};

CalendarInUse &InUse()
{
    static CalendarInUse inUse;
    return inUse;
}

} // namespace

std::shared_ptr<const SchoolCalendar> SchoolCalendarInUse()
{
    CalendarInUse &inUse = InUse();
    const QString file = platform::SettingsFile();
    const std::lock_guard lock(inUse.mutex);
    if (!inUse.calendar || inUse.settingsFile != file) {
        inUse.calendar = std::make_shared<const SchoolCalendar>(LoadSchoolCalendar());
        inUse.settingsFile = file;
    }
    return inUse.calendar;
}

void ReloadSchoolCalendar()
{
    CalendarInUse &inUse = InUse();
    const std::lock_guard lock(inUse.mutex);
    inUse.calendar.reset();
}

StoredImport StoreSchoolImport(const std::vector<SchoolPeriod> &publication)
{
    StoredImport result;
    // The old list goes and the new one comes in a single replacement of the file, and nobody
    // else writes it between this read and that write.
    platform::StoreTransaction transaction;
    const std::vector<SchoolPeriod> before = LoadImportedSchoolHolidays();
    const std::vector<SchoolPeriod> after = ReplacePublished(before, publication);
    if (after.size() > kMaxStoredSchoolPeriods) {
        result.error = "Les réglages ne peuvent pas garder plus de " + std::to_string(kMaxStoredSchoolPeriods) +
                       " périodes de vacances importées : rien n'a été importé.";
        return result;
    }
    const auto given = [&publication](const SchoolPeriod &k) {
        return std::any_of(publication.begin(), publication.end(),
                           [&k](const SchoolPeriod &p) { return SameDays(k, p); });
    };
    const std::vector<SchoolPeriod> known = CombineCalendars(SchoolRecord(), before).periods;
    result.added = static_cast<std::size_t>(std::count_if(publication.begin(), publication.end(), [&](const auto &p) {
        return std::none_of(known.begin(), known.end(), [&p](const SchoolPeriod &k) { return SameDays(k, p); });
    }));
    std::set<std::pair<SchoolZone, int>> published;
    for (const SchoolPeriod &period : publication)
        published.insert({period.zone, SchoolYearOf(period.first)});
    for (const SchoolPeriod &period : known) {
        const std::pair<SchoolZone, int> group{period.zone, SchoolYearOf(period.first)};
        if (published.contains(group) && !given(period))
            ++result.removed[group];
    }
    if (after != before) {
        if (auto root = RegistryKey::Open(QStringLiteral("Software\\Varnel\\Tamvel")))
            root->DeleteSubKey(kSection);
        if (auto key = RegistryKey::OpenOrCreate(settings_keys::SchoolHolidays())) {
            for (std::size_t i = 0; i < after.size(); ++i)
                key->SetText(QStringLiteral("Periode%1").arg(i + 1), StoredText(after[i]));
        }
    }
    // The store says on stderr why the file could not be written (read-only, not settings, held
    // by another copy); the caller must not claim the import anyway.
    if (!transaction.Commit()) {
        result = {};
        result.error = "Les vacances importées n'ont pas pu être enregistrées dans les réglages : rien n'a été "
                       "importé.";
    }
    return result;
}

} // namespace almanac
