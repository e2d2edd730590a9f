#include "app/tamvel_app.h"

#include "support/temp_settings.h"

#include <limits>

namespace {

using Application = TempSettings;

TEST_F(Application, StartsOnTheClockYearOrTheOneAskedWithStoredTextsAndColours)
{
    WriteFile("[Settings]\nPub1=Garage Martin\nColor_NTrav=255\n");
    CTamvelApp fromClock;
    ASSERT_TRUE(fromClock.InitInstance());
    EXPECT_EQ(fromClock.Settings.Annee, COleDateTime::GetCurrentTime().GetYear());
    EXPECT_EQ(fromClock.Settings.Pub1, QStringLiteral("Garage Martin"));
    EXPECT_EQ(fromClock.Settings.Pub2, AppSettings::DefaultPub2());
    EXPECT_EQ(fromClock.Settings.Color_NTrav, 255u);

    CTamvelApp chosen;
    ASSERT_TRUE(chosen.InitInstance(1999));
    EXPECT_EQ(chosen.Document.GetTitle(), QStringLiteral("Année 1999"));
    EXPECT_EQ(chosen.Document.LundiPentecote, 1);
}

TEST_F(Application, YearCommandsReloadEachYearsOwnData)
{
    WriteFile("[2025]\nImage1=/p/2025.jpg\nFERIE\\Nb=1\nFERIE\\Date1=505\nFERIE\\Libelle1=Pont 2025\n"
              "[2026]\nFERIE\\Nb=1\nFERIE\\Date1=606\nFERIE\\Libelle1=Pont 2026\n"
              "[Settings]\n2025\\LundiPentecote=1\n");
    CTamvelApp app;
    QStringList titles;
    app.DocumentChanged = [&] { titles << app.Document.GetTitle(); };
    app.InitInstance(2025);
    const CTamvelDoc &doc = app.Document;
    EXPECT_EQ(doc.Libelles, std::vector<std::string>{"Pont 2025"});
    EXPECT_EQ(doc.LundiPentecote, 1);

    EXPECT_TRUE(app.OnCommand(CTamvelApp::ID_NEXT_YEAR));
    EXPECT_EQ(app.Settings.Annee, 2026);
    EXPECT_EQ(doc.Libelles, std::vector<std::string>{"Pont 2026"});
    EXPECT_EQ(doc.LundiPentecote, 0);
    EXPECT_TRUE(doc.Image1.isEmpty());

    EXPECT_TRUE(app.OnCommand(CTamvelApp::ID_PREVIOUS_YEAR));
    EXPECT_EQ(doc.Libelles, std::vector<std::string>{"Pont 2025"});
    EXPECT_EQ(doc.Image1, QStringLiteral("/p/2025.jpg"));
    EXPECT_EQ(doc.Dates.at(0), COleDateTime(2025, 5, 5, 0, 0, 0));
    EXPECT_EQ(titles, (QStringList{"Année 2025", "Année 2026", "Année 2025"}));
    EXPECT_FALSE(app.OnCommand(32771));
}

TEST_F(Application, YearsBeyondTheDateRangeKeepWorking)
{
    CTamvelApp app;
    app.InitInstance(9999);
    app.OnNextYear();
    EXPECT_EQ(app.Settings.Annee, 10000);
    EXPECT_EQ(app.Document.GetTitle(), QStringLiteral("Année 10000"));
    app.Document.Dates = {COleDateTime(10000, 1, 1, 0, 0, 0)};
    app.Document.Libelles = {"hors limites"};
    app.Document.SaveParticularDays();
    app.Document.OnLundiPentecote();
    app.OpenYear(10000);
    EXPECT_EQ(app.Document.Libelles, std::vector<std::string>{"hors limites"});

    app.OpenYear(100);
    app.OnPreviousYear();
    EXPECT_EQ(app.Document.GetTitle(), QStringLiteral("Année 0099"));
    app.OpenYear(std::numeric_limits<int>::max());
    app.OnNextYear();
    EXPECT_EQ(app.Settings.Annee, std::numeric_limits<int>::max());
}

} // namespace
