#pragma once

#include "model/country.h"
#include "model/region.h"
#include "platform/draw_surface.h"

#include <QString>

#include <array>

// The application-wide values that the view, the layouts and the dialogs read. The application
// object owns the one instance and hands it out by reference.
struct AppSettings {
    int Annee = 0;
    QString Pub1;
    QString Pub2;
    platform::ColorRef Color_Sem_Mois = 0xDFDFDF;
    platform::ColorRef Color_NTrav = 0xCFCFCF;
    std::array<platform::ColorRef, 16> Color_Perso = DefaultCustomColours();
    // Whose public holidays are added to France's.
    model::Region Region = model::Region::Metropole;
    // Whose public holidays the calendar carries: France, unless the store names another country.
    model::Place Pays{};

    // Entry k is 0x0F0F0F + k * 0x101010: 0x0F0F0F ... 0xFFFFFF.
    static constexpr std::array<platform::ColorRef, 16> DefaultCustomColours()
    {
        std::array<platform::ColorRef, 16> colours{};
        for (unsigned k = 0; k < colours.size(); ++k)
            colours[k] = 0x0F0F0F + k * 0x101010;
        return colours;
    }
    static QString DefaultPub1();
    static QString DefaultPub2();

    // Built-in defaults first, then whatever the store holds.
    void LoadPubSettings();
    void SavePubSettings() const;
    void LoadColorSettings();
    void SaveColorSettings() const;
    // The region and the country (`Region`, `Pays`).
    void LoadRegionSetting();
    void SaveRegionSetting() const;
};
