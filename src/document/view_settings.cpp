#include "document/view_settings.h"

#include "document/settings_keys.h"
#include "platform/registry.h"

using platform::RegistryKey;

void ViewState::LoadViewSettings()
{
    const auto key = RegistryKey::Open(settings_keys::Settings());
    if (!key)
        return;
    // Booleans take the stored number unchanged.
    auto read = [&key](const char *name, int &value) {
        if (const auto stored = key->QueryNumber(QLatin1String(name)))
            value = static_cast<int>(*stored);
    };
    read("Sem", Sem);
    read("NonTrav", NonTrav);
    read("Ferie", Ferie);
    read("FerieParticulier", FerieParticulier);
    int stored = static_cast<int>(mode);
    read("Affichage", stored);
    mode = DisplayModeFromStored(stored);
    storedLayout = mode;
    read("GrosTrait", GrosTrait);
    read("PhotoBas", PhotoBas);
    read("PubVisible", PubVisible);
    read("RecadrerPhotos", RecadrerPhotos);
    read("FetesVisible", FetesVisible);
    read("LuneVisible", LuneVisible);
    if (const auto zones = key->QueryText(QStringLiteral("VacancesZones")))
        VacancesZones = *zones;
    // Set, it wins over Affichage; a file without it opens as older versions open it.
    if (const auto photoMonths = key->QueryNumber(QStringLiteral("CalendrierPhoto")); photoMonths && *photoMonths != 0)
        mode = DisplayMode::PhotoMonths;
}

void ViewState::SaveViewSettings() const
{
    auto key = RegistryKey::OpenOrCreate(settings_keys::Settings());
    if (!key)
        return;
    // The values reach the file together.
    platform::StoreTransaction transaction;
    auto write = [&key](const char *name, int value) {
        key->SetNumber(QLatin1String(name), static_cast<std::uint32_t>(value));
    };
    write("Sem", Sem);
    write("NonTrav", NonTrav);
    write("Ferie", Ferie);
    write("FerieParticulier", FerieParticulier);
    // Older versions know five layouts: with the photo calendar, Affichage keeps the last of them.
    const bool photoMonths = mode == DisplayMode::PhotoMonths;
    write("Affichage", static_cast<int>(photoMonths ? storedLayout : mode));
    write("GrosTrait", GrosTrait);
    write("PhotoBas", PhotoBas);
    write("PubVisible", PubVisible);
    write("RecadrerPhotos", RecadrerPhotos);
    write("FetesVisible", FetesVisible);
    write("LuneVisible", LuneVisible);
    key->SetText(QStringLiteral("VacancesZones"), VacancesZones);
    write("CalendrierPhoto", photoMonths ? 1 : 0);
}
