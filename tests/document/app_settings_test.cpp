#include "document/app_settings.h"
#include "document/view_settings.h"

#include "support/temp_settings.h"

namespace {

using StoredSettings = TempSettings;

TEST_F(StoredSettings, FirstRunGivesTheBuiltInDefaults)
{
    AppSettings app;
    app.Pub1 = QStringLiteral("stale");
    app.Color_Perso[3] = 1;
    app.LoadPubSettings();
    app.LoadColorSettings();
    EXPECT_EQ(app.Pub1, AppSettings::DefaultPub1());
    EXPECT_EQ(app.Pub2, AppSettings::DefaultPub2());
    EXPECT_EQ(app.Color_Sem_Mois, 0xDFDFDFu);
    EXPECT_EQ(app.Color_NTrav, 0xCFCFCFu);
    EXPECT_EQ(app.Color_Perso.front(), 0x0F0F0Fu);
    EXPECT_EQ(app.Color_Perso[3], 0x3F3F3Fu);
    EXPECT_EQ(app.Color_Perso.back(), 0xFFFFFFu);

    ViewState view;
    view.LoadViewSettings();
    EXPECT_EQ(view.mode, DisplayMode::Vertical);
    EXPECT_EQ((std::array{view.Sem, view.NonTrav, view.Ferie, view.FerieParticulier, view.GrosTrait, view.PhotoBas,
                          view.PubVisible}),
              (std::array{1, 1, 1, 0, 1, 1, 0}));
    EXPECT_FALSE(QFile::exists(file_));
}

TEST_F(StoredSettings, AdvertisingAndColoursRoundTripUnderTheirNames)
{
    AppSettings app;
    app.Pub1 = QStringLiteral("Boulangerie « Au bon pain », 12 rue Haute");
    app.Pub2 = QString(1023, u'p');
    app.Color_Sem_Mois = 0x0000FF;
    app.Color_NTrav = 0x00FF00;
    app.Color_Perso[15] = 0x123456;
    app.SavePubSettings();
    app.SaveColorSettings();
    EXPECT_EQ(Stored(QStringLiteral("Settings/Color_Perso16")).toString(), QStringLiteral("1193046"));
    EXPECT_EQ(Stored(QStringLiteral("Settings/Color_Perso01")).toString(), QStringLiteral("986895"));
    EXPECT_EQ(Stored(QStringLiteral("Settings/Color_Sem_Mois")).toString(), QStringLiteral("255"));

    AppSettings loaded;
    loaded.LoadPubSettings();
    loaded.LoadColorSettings();
    EXPECT_EQ(loaded.Pub1, app.Pub1);
    EXPECT_EQ(loaded.Pub2, QString(254, u'p'));
    EXPECT_EQ(loaded.Color_Sem_Mois, 0x0000FFu);
    EXPECT_EQ(loaded.Color_NTrav, 0x00FF00u);
    EXPECT_EQ(loaded.Color_Perso, app.Color_Perso);
}

TEST_F(StoredSettings, UnreadableStoredValuesLeaveTheirDefaults)
{
    WriteFile("[Settings]\nPub1=" + QByteArray(300, 'x') + "\nPub2=\nColor_NTrav=bleu\nColor_Perso02=-1\n");
    AppSettings app;
    app.LoadPubSettings();
    app.LoadColorSettings();
    EXPECT_EQ(app.Pub1, AppSettings::DefaultPub1());
    EXPECT_EQ(app.Pub2, QString());
    EXPECT_EQ(app.Color_NTrav, 0xCFCFCFu);
    EXPECT_EQ(app.Color_Perso[1], 0xFFFFFFFFu);
}

TEST_F(StoredSettings, ViewSettingsTakeStoredNumbersAndUnknownModesReadAsVertical)
{
    WriteFile("[Settings]\nAffichage=7\nSem=0\nFerie=5\nPubVisible=1\nLuneVisible=1\n");
    ViewState view;
    view.LoadViewSettings();
    EXPECT_EQ(view.mode, DisplayMode::Vertical);
    EXPECT_EQ(view.RecadrerPhotos, 0);
    EXPECT_EQ(view.Sem, 0);
    EXPECT_EQ(view.Ferie, 5);
    EXPECT_EQ(view.PubVisible, 1);
    EXPECT_EQ(view.NonTrav, 1);
    EXPECT_EQ(view.LuneVisible, 1);
    EXPECT_EQ(view.FetesVisible, 0);

    view.mode = DisplayMode::HorizontalLargeCells;
    view.PhotoBas = 0;
    view.page = 7;
    view.VacancesZones = "AC";
    view.SaveViewSettings();
    EXPECT_EQ(
        StoredKeys(QStringLiteral("Settings")),
        (QStringList{"Affichage", "CalendrierPhoto", "Ferie", "FerieParticulier", "FetesVisible", "GrosTrait",
                     "LuneVisible", "NonTrav", "PhotoBas", "PubVisible", "RecadrerPhotos", "Sem", "VacancesZones"}));
    ViewState loaded;
    loaded.LoadViewSettings();
    EXPECT_EQ(loaded.VacancesZones, "AC");
    EXPECT_EQ(loaded.mode, DisplayMode::HorizontalLargeCells);
    EXPECT_EQ(loaded.PhotoBas, 0);
    EXPECT_EQ(loaded.Ferie, 5);
    EXPECT_EQ(loaded.LuneVisible, 1);
    EXPECT_EQ(loaded.page, 1);
}

TEST_F(StoredSettings, RegionAndCountryReadUnknownValuesAsFranceAndAreStored)
{
    struct Case {
        QByteArray stored;
        model::Region region;
        const char *pays;
    };
    const Case cases[] = {
        {"", model::Region::Metropole, "FR"},
        {"Region=1\n", model::Region::AlsaceMoselle, "FR"},
        {"Region=6\n", model::Region::Mayotte, "FR"},
        {"Region=7\n", model::Region::Metropole, "FR"},
        {"Region=-1\n", model::Region::Metropole, "FR"},
        {"Region=1\nPays=ch-ge\n", model::Region::AlsaceMoselle, "CH-GE"},
        {"Pays=BE\n", model::Region::Metropole, "BE"},
        {"Pays=XX\n", model::Region::Metropole, "FR"},
        {"Pays=CH-XX\n", model::Region::Metropole, "FR"},
    };
    AppSettings app;
    for (const Case &c : cases) {
        WriteFile("[Settings]\n" + c.stored);
        app.Region = model::Region::Guyane;
        app.Pays = {model::Country::Monaco, -1};
        app.LoadRegionSetting();
        EXPECT_EQ(app.Region, c.region) << c.stored.constData();
        EXPECT_EQ(model::PlaceCode(app.Pays), c.pays) << c.stored.constData();
    }
    app.Region = model::Region::Reunion;
    app.Pays = *model::PlaceFromCode("CA-QC");
    app.SaveRegionSetting();
    EXPECT_EQ(Stored(QStringLiteral("Settings/Region")).toString(), QStringLiteral("5"));
    EXPECT_EQ(Stored(QStringLiteral("Settings/Pays")).toString(), QStringLiteral("CA-QC"));
}

} // namespace
