#include "document/tamvel_doc.h"

#include "document/settings_keys.h"
#include "images/image_loader.h"
#include "platform/registry.h"

#include <QRegularExpression>

#include <algorithm>
#include <atomic>
#include <optional>
#include <set>
#include <thread>

using platform::RegistryKey;

namespace {

// The year before which Pentecost Monday is always a public holiday.
constexpr int kLastYearWithPentecostMondayOff = 2004;

constexpr std::size_t kMostParticularDays = 10000;

// The indices i <= count for which the key holds a value "Date<i>": a hand-edited count of two
// billion must not mean two billion look-ups.
std::set<std::int64_t> StoredDayIndices(const RegistryKey &key, std::int64_t count)
{
    static const QRegularExpression dateName(QStringLiteral("^Date([1-9][0-9]{0,9})$"));
    std::set<std::int64_t> indices;
    for (const QString &name : key.ValueNames()) {
        const auto match = dateName.match(name);
        if (!match.hasMatch())
            continue;
        const std::int64_t index = match.captured(1).toLongLong();
        if (index <= count)
            indices.insert(index);
    }
    // A year has 366 days: thousands of particular days are no list a person keeps, and each
    // costs two look-ups.
    if (indices.size() > kMostParticularDays) {
        platform::ReportSettingsNote(
            QStringLiteral("le fichier de réglages « %1 » garde %2 jours particuliers pour une année ; seuls les %3 "
                           "premiers sont lus.")
                .arg(platform::SettingsFile())
                .arg(indices.size())
                .arg(kMostParticularDays));
        indices.erase(std::next(indices.begin(), static_cast<std::ptrdiff_t>(kMostParticularDays)), indices.end());
    }
    return indices;
}

struct StoredDay {
    std::uint32_t value; // month * 100 + day
    QString label;
};

// The days of a FERIE key in stored order; a day whose date or label cannot be read is skipped.
std::vector<StoredDay> ReadStoredDays(const RegistryKey &key)
{
    std::vector<StoredDay> days;
    const auto stored = key.QueryNumber(QStringLiteral("Nb"));
    const std::int32_t count = stored ? static_cast<std::int32_t>(*stored) : 0;
    if (count <= 0)
        return days;
    for (const std::int64_t i : StoredDayIndices(key, count)) {
        const auto value = key.QueryNumber(QStringLiteral("Date%1").arg(i));
        if (!value)
            continue;
        const auto label = key.QueryText(QStringLiteral("Libelle%1").arg(i));
        if (!label)
            continue;
        days.push_back({*value, *label});
    }
    return days;
}

} // namespace

bool CTamvelDoc::OnNewDocument()
{
    const int year = app_.Annee;
    title_ = QString::asprintf("Année %04d", year);
    Image1.clear();
    Image2.clear();
    ++generation_;
    Photo1 = {};
    Photo2 = {};
    MonthPhotos = {};
    Dates.clear();
    Libelles.clear();

    if (const auto key = RegistryKey::Open(settings_keys::Year(year))) {
        if (const auto name = key->QueryText(QStringLiteral("Image1")))
            Image1 = *name;
        if (const auto name = key->QueryText(QStringLiteral("Image2")))
            Image2 = *name;
    }
    MonthImages = month_photos::Read(year);

    if (LoadImages)
        LoadImages(*this);

    if (year <= kLastYearWithPentecostMondayOff) {
        LundiPentecote = 1;
    } else {
        LundiPentecote = 0;
        if (const auto key = RegistryKey::Open(settings_keys::YearSettings(year))) {
            if (const auto stored = key->QueryNumber(QStringLiteral("LundiPentecote")))
                LundiPentecote = static_cast<std::int32_t>(*stored);
        }
    }

    LoadParticularDays();
    return true;
}

bool CTamvelDoc::LoadYearImage(int index)
{
    Photo &slot = index == 0 ? Photo1 : Photo2;
    slot = {};
    slot = Photo(LoadImageFile(index == 0 ? Image1 : Image2));
    return !slot.IsEmpty();
}

void LoadYearImages(CTamvelDoc &doc)
{
    doc.LoadYearImage(0);
    doc.LoadYearImage(1);
    // Thirteen large photos: two decoders at once, each single-threaded.
    std::array<PhotoLoad, month_photos::kCount> loads;
    std::atomic<int> next{0};
    const auto work = [&] {
        for (int i = next++; i < month_photos::kCount; i = next++)
            loads[static_cast<std::size_t>(i)] = month_photos::Load(doc.MonthImages[static_cast<std::size_t>(i)], i);
    };
    {
        std::jthread helper(work);
        work();
    }
    for (std::size_t i = 0; i < loads.size(); ++i) {
        doc.MonthPhotos[i] = Photo(std::move(loads[i].image));
        ShowLoadMessages(loads[i].messages);
    }
}

void CTamvelDoc::LoadParticularDays()
{
    const int year = app_.Annee;
    const auto key = RegistryKey::OpenOrCreate(settings_keys::YearParticularDays(year));
    if (!key)
        return;
    for (const StoredDay &day : ReadStoredDays(*key)) {
        Dates.emplace_back(year, static_cast<int>(day.value / 100), static_cast<int>(day.value % 100), 0, 0, 0);
        Libelles.push_back(day.label.toStdString());
    }
}

std::vector<model::DayLabel> StoredParticularDays(int year)
{
    std::vector<model::DayLabel> days;
    if (const auto key = RegistryKey::Open(settings_keys::YearParticularDays(year))) {
        for (const StoredDay &day : ReadStoredDays(*key))
            days.push_back(
                {static_cast<int>(day.value / 100), static_cast<int>(day.value % 100), day.label.toStdString()});
    }
    return days;
}

bool CTamvelDoc::SaveParticularDays()
{
    const int year = app_.Annee;
    // The old list goes and the new one comes in a single replacement of the file.
    platform::StoreTransaction transaction;
    if (auto yearKey = RegistryKey::Open(settings_keys::Year(year)))
        yearKey->DeleteSubKey(QStringLiteral("FERIE"));

    const std::size_t count = std::min(Dates.size(), Libelles.size());
    auto key = count > 0 ? RegistryKey::OpenOrCreate(settings_keys::YearParticularDays(year)) : std::nullopt;
    for (std::size_t i = 0; key && i < count; ++i) {
        // A date that is not valid has month and day -1: it is stored as -101.
        const int value = Dates[i].GetMonth() * 100 + Dates[i].GetDay();
        key->SetNumber(QStringLiteral("Date%1").arg(i + 1), static_cast<std::uint32_t>(value));
        key->SetText(QStringLiteral("Libelle%1").arg(i + 1), QString::fromStdString(Libelles[i]));
    }
    if (key)
        key->SetNumber(QStringLiteral("Nb"), static_cast<std::uint32_t>(count));
    return transaction.Commit() && (count == 0 || key);
}

void CTamvelDoc::SaveLundiPentecote()
{
    if (app_.Annee <= kLastYearWithPentecostMondayOff)
        return;
    if (auto key = RegistryKey::OpenOrCreate(settings_keys::YearSettings(app_.Annee)))
        key->SetNumber(QStringLiteral("LundiPentecote"), static_cast<std::uint32_t>(LundiPentecote));
}

void CTamvelDoc::OnLundiPentecote()
{
    LundiPentecote = LundiPentecote == 0 ? 1 : 0;
    SaveLundiPentecote();
    if (UpdateAllViews)
        UpdateAllViews();
}
