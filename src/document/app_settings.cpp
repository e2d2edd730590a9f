#include "document/app_settings.h"

#include "document/settings_keys.h"
#include "platform/registry.h"

using platform::RegistryKey;

QString AppSettings::DefaultPub1()
{
    return QStringLiteral("Calendrier offert par votre imprimeur — bonne et heureuse année !");
}

QString AppSettings::DefaultPub2()
{
    return QStringLiteral("Réalisé avec le Générateur de Tamvel");
}

namespace {

QString CustomColourName(unsigned entry)
{
    return QString::asprintf("Color_Perso%02u", entry + 1);
}

void ReadColour(const RegistryKey &key, const QString &name, platform::ColorRef &colour)
{
    if (const auto stored = key.QueryNumber(name))
        colour = *stored;
}

} // namespace

void AppSettings::LoadPubSettings()
{
    Pub1 = DefaultPub1();
    Pub2 = DefaultPub2();
    const auto key = RegistryKey::Open(settings_keys::Settings());
    if (!key)
        return;
    if (const auto text = key->QueryText(QStringLiteral("Pub1")))
        Pub1 = *text;
    if (const auto text = key->QueryText(QStringLiteral("Pub2")))
        Pub2 = *text;
}

void AppSettings::SavePubSettings() const
{
    auto key = RegistryKey::OpenOrCreate(settings_keys::Settings());
    if (!key)
        return;
    platform::StoreTransaction transaction;
    key->SetText(QStringLiteral("Pub1"), Pub1);
    key->SetText(QStringLiteral("Pub2"), Pub2);
}

void AppSettings::LoadColorSettings()
{
    Color_Sem_Mois = 0xDFDFDF;
    Color_NTrav = 0xCFCFCF;
    Color_Perso = DefaultCustomColours();
    const auto key = RegistryKey::Open(settings_keys::Settings());
    if (!key)
        return;
    ReadColour(*key, QStringLiteral("Color_Sem_Mois"), Color_Sem_Mois);
    ReadColour(*key, QStringLiteral("Color_NTrav"), Color_NTrav);
    // The fills are held as they are drawn, so that the colour dialog shows, and saves back,
    // the colour on the page.
    Color_Sem_Mois = platform::DrawnColour(Color_Sem_Mois);
    Color_NTrav = platform::DrawnColour(Color_NTrav);
    for (unsigned k = 0; k < Color_Perso.size(); ++k)
        ReadColour(*key, CustomColourName(k), Color_Perso[k]);
}

void AppSettings::SaveColorSettings() const
{
    auto key = RegistryKey::OpenOrCreate(settings_keys::Settings());
    if (!key)
        return;
    platform::StoreTransaction transaction;
    key->SetNumber(QStringLiteral("Color_Sem_Mois"), Color_Sem_Mois);
    key->SetNumber(QStringLiteral("Color_NTrav"), Color_NTrav);
    for (unsigned k = 0; k < Color_Perso.size(); ++k)
        key->SetNumber(CustomColourName(k), Color_Perso[k]);
}

void AppSettings::LoadRegionSetting()
{
    Region = model::Region::Metropole;
    Pays = {};
    if (const auto key = RegistryKey::Open(settings_keys::Settings())) {
        if (const auto stored = key->QueryNumber(QStringLiteral("Region")))
            Region = model::RegionFromStored(*stored);
        // A text that names no country reads as France, as an absent one does.
        if (const auto stored = key->QueryText(QStringLiteral("Pays")))
            Pays = model::PlaceFromCode(stored->toStdString()).value_or(model::Place{});
    }
}

void AppSettings::SaveRegionSetting() const
{
    if (auto key = RegistryKey::OpenOrCreate(settings_keys::Settings())) {
        platform::StoreTransaction transaction;
        key->SetNumber(QStringLiteral("Region"), static_cast<std::uint32_t>(Region));
        key->SetText(QStringLiteral("Pays"), QString::fromStdString(model::PlaceCode(Pays)));
    }
}
