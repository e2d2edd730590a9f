#include "document/tamvel_doc.h"

#include "support/scripted_prompts.h"
#include "support/temp_settings.h"

#include <QDir>
#include <QImage>

#include <string>

namespace {

class YearDocument : public TempSettings
{
protected:
    CTamvelDoc &Open(int year)
    {
        app_.Annee = year;
        EXPECT_TRUE(doc_.OnNewDocument());
        return doc_;
    }
    static COleDateTime Day(int year, int month, int day) { return COleDateTime(year, month, day, 0, 0, 0); }

    AppSettings app_;
    CTamvelDoc doc_{app_};
};

TEST_F(YearDocument, FirstRunIsEmptyAndWritesNothing)
{
    const CTamvelDoc &doc = Open(2025);
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("Année 2025"));
    EXPECT_TRUE(doc.Dates.empty());
    EXPECT_TRUE(doc.Libelles.empty());
    EXPECT_EQ(doc.LundiPentecote, 0);
    EXPECT_TRUE(doc.Image1.isEmpty());
    EXPECT_FALSE(QFile::exists(file_));
}

TEST_F(YearDocument, LoadsStoredDaysInStoredOrderAndSkipsIncompleteOnes)
{
    WriteFile("[2026]\n"
              "FERIE\\Nb=6\n"
              "FERIE\\Date1=1225\nFERIE\\Libelle1=L1\n"
              "FERIE\\Date2=101\nFERIE\\Libelle2=L2\n"
              "FERIE\\Date3=714\n"                         // no label: dropped
              "FERIE\\Libelle4=orphan\n"                   // no date: dropped
              "FERIE\\Date5=229\nFERIE\\Libelle5=Jamais\n" // 2026 is not a leap year
              "FERIE\\Date6=601\nFERIE\\Libelle6=" +
              QByteArray(300, 'x') +
              "\n" // too long for the store's reader: dropped
              "FERIE\\Date7=802\nFERIE\\Libelle7=beyond Nb\n");
    const CTamvelDoc &doc = Open(2026);
    ASSERT_EQ(doc.Dates.size(), 3u);
    ASSERT_EQ(doc.Libelles, (std::vector<std::string>{"L1", "L2", "Jamais"}));
    EXPECT_EQ(doc.Dates[0], Day(2026, 12, 25));
    EXPECT_EQ(doc.Dates[1], Day(2026, 1, 1));
    EXPECT_EQ(doc.Dates[2].GetStatus(), COleDateTime::invalid);
}

TEST_F(YearDocument, CountsThatAreZeroNegativeAbsentOrHugeAreSurvived)
{
    const QByteArray days = "FERIE\\Date1=1225\nFERIE\\Libelle1=L1\nFERIE\\Date2=101\nFERIE\\Libelle2=L2\n";
    for (const QByteArray &nb : {QByteArray("FERIE\\Nb=0\n"), QByteArray("FERIE\\Nb=-3\n"), QByteArray(),
                                 QByteArray("FERIE\\Nb=4294967295\n")}) {
        WriteFile("[2025]\n" + nb + days);
        EXPECT_TRUE(Open(2025).Dates.empty()) << nb.constData();
    }
    WriteFile("[2025]\nFERIE\\Nb=2147483647\n" + days);
    EXPECT_EQ(Open(2025).Dates.size(), 2u);
}

TEST_F(YearDocument, SavingRewritesTheListWithInvalidDatesAsMinus101AndLabelsCut)
{
    WriteFile("[2025]\nImage1=/photos/a.jpg\nFERIE\\Nb=3\nFERIE\\Date1=229\nFERIE\\Libelle1=Jamais\n"
              "FERIE\\Date2=714\nFERIE\\Libelle2=L2\nFERIE\\Date3=101\nFERIE\\Libelle3=L3\n");
    CTamvelDoc &doc = Open(2025);
    ASSERT_EQ(doc.Dates.size(), 3u);
    // The editor hands back a shorter list with a long label.
    const std::string longLabel(300, 'l');
    doc.Dates.pop_back();
    doc.Libelles.pop_back();
    doc.Libelles[1] = longLabel;
    doc.SaveParticularDays();

    EXPECT_EQ(StoredKeys(QStringLiteral("2025/FERIE")), (QStringList{"Date1", "Date2", "Libelle1", "Libelle2", "Nb"}));
    EXPECT_EQ(Stored(QStringLiteral("2025/FERIE/Date1")).toString(), QStringLiteral("4294967195"));
    EXPECT_EQ(Stored(QStringLiteral("2025/FERIE/Date2")).toString(), QStringLiteral("714"));
    EXPECT_EQ(Stored(QStringLiteral("2025/FERIE/Nb")).toString(), QStringLiteral("2"));
    EXPECT_EQ(Stored(QStringLiteral("2025/Image1")).toString(), QStringLiteral("/photos/a.jpg"));
    EXPECT_EQ(doc.Libelles[1], longLabel) << "the label stays whole in memory";

    Open(2025);
    EXPECT_EQ(doc.Libelles, (std::vector<std::string>{"Jamais", std::string(254, 'l')}));
    EXPECT_EQ(doc.Dates[0].GetStatus(), COleDateTime::invalid);
}

TEST_F(YearDocument, SavingAnEmptyListRemovesTheKeyAndReadingItAgainWritesNothing)
{
    WriteFile("[2025]\nFERIE\\Nb=1\nFERIE\\Date1=1225\nFERIE\\Libelle1=L1\n");
    CTamvelDoc &doc = Open(2025);
    doc.Dates.clear();
    doc.Libelles.clear();
    doc.SaveParticularDays();
    EXPECT_TRUE(StoredKeys(QStringLiteral("2025")).isEmpty());
    const QByteArray afterSave = ReadFile();
    EXPECT_TRUE(Open(2025).Dates.empty());
    EXPECT_EQ(ReadFile(), afterSave);
}

TEST_F(YearDocument, Year999UsesFourDigitKeys)
{
    CTamvelDoc &doc = Open(999);
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("Année 0999"));
    doc.Dates = {Day(999, 7, 14)};
    doc.Libelles = {"Quatorze"};
    doc.SaveParticularDays();
    EXPECT_EQ(Stored(QStringLiteral("0999/FERIE/Date1")).toString(), QStringLiteral("714"));
    EXPECT_TRUE(StoredKeys(QStringLiteral("999")).isEmpty());
    EXPECT_EQ(Open(999).Libelles, std::vector<std::string>{"Quatorze"});
}

TEST_F(YearDocument, PentecostMondayIsAlwaysOnUpTo2004AndToggledAndStoredAfter)
{
    WriteFile("[Settings]\n2003\\LundiPentecote=0\n2004\\LundiPentecote=1\n");
    CTamvelDoc &doc = Open(2003);
    EXPECT_EQ(doc.LundiPentecote, 1);
    Open(2004);
    // Up to 2004 nothing is stored: a 0 saved would be read back as 1 anyway.
    doc.LundiPentecote = 0;
    doc.SaveLundiPentecote();
    EXPECT_EQ(Stored(QStringLiteral("Settings/2004/LundiPentecote")).toString(), QStringLiteral("1"));

    int redraws = 0;
    doc.UpdateAllViews = [&redraws] { ++redraws; };
    Open(2005);
    EXPECT_EQ(doc.LundiPentecote, 0);
    doc.OnLundiPentecote();
    EXPECT_EQ(doc.LundiPentecote, 1);
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(Stored(QStringLiteral("Settings/2005/LundiPentecote")).toString(), QStringLiteral("1"));
    const auto options = doc.HolidayOptions(false);
    EXPECT_EQ(GetHolidayLabel(Day(2005, 5, 16), options), "Lundi Pentecôte");

    doc.OnLundiPentecote();
    EXPECT_EQ(Stored(QStringLiteral("Settings/2005/LundiPentecote")).toString(), QStringLiteral("0"));
    EXPECT_EQ(Open(2005).LundiPentecote, 0);
}

TEST_F(YearDocument, NewDocumentReadsImageNamesBeforeLoadingAndEmptiesThePreviousYear)
{
    WriteFile("[2025]\nImage1=/photos/a.jpg\nImage2=/photos/b.bmp\n");
    QStringList seen;
    doc_.LoadImages = [&seen](CTamvelDoc &doc) { seen << doc.Image1 << doc.Image2; };
    Open(2025);
    Open(2026);
    EXPECT_EQ(seen, (QStringList{"/photos/a.jpg", "/photos/b.bmp", "", ""}));
    EXPECT_TRUE(doc_.Image1.isEmpty());
    EXPECT_EQ(doc_.GetTitle(), QStringLiteral("Année 2026"));
}

TEST_F(YearDocument, DirectLoaderFillsTheSlotsAndAFailedOneStaysEmpty)
{
    ScriptedPrompts prompts;
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    const QString image1 = dir_.filePath(QStringLiteral("one.bmp"));
    ASSERT_TRUE(picture.save(image1, "BMP"));
    const QString image2 = dir_.filePath(QStringLiteral("missing.bmp"));
    WriteFile(QStringLiteral("[2025]\nImage1=%1\nImage2=%2\n").arg(image1, image2).toUtf8());
    doc_.LoadImages = LoadYearImages;
    Open(2025);
    EXPECT_EQ(doc_.Photo1.Size(), QSize(4, 3));
    EXPECT_TRUE(doc_.Photo2.IsEmpty());
    EXPECT_EQ(prompts.messages, QStringList{image2 + QStringLiteral(" est introuvable.")});
    // The next year has no names: the previous images go.
    Open(2026);
    EXPECT_TRUE(doc_.Photo1.IsEmpty());
}

TEST_F(YearDocument, MonthPhotosAreTheYearsCouvertureAndMoisKeys)
{
    WriteFile("[2027]\nImage1=a.jpg\nCouverture=/p/cover.jpg\nMois1=/p/jan.jpg\nMois12=/p/dec.jpg\n");
    const CTamvelDoc &doc = Open(2027);
    EXPECT_EQ(doc.MonthImages[0], QStringLiteral("/p/cover.jpg"));
    EXPECT_EQ(doc.MonthImages[1], QStringLiteral("/p/jan.jpg"));
    EXPECT_TRUE(doc.MonthImages[2].isEmpty());
    EXPECT_EQ(doc.MonthImages[12], QStringLiteral("/p/dec.jpg"));

    month_photos::Names names;
    names[0] = QStringLiteral("/q/couv.jpg");
    names[6] = QStringLiteral("/q/juillet.bmp");
    ASSERT_TRUE(month_photos::Write(2027, names));
    EXPECT_EQ(Stored(QStringLiteral("2027/Couverture")).toString(), QStringLiteral("/q/couv.jpg"));
    EXPECT_EQ(Stored(QStringLiteral("2027/Mois6")).toString(), QStringLiteral("/q/juillet.bmp"));
    EXPECT_EQ(Stored(QStringLiteral("2027/Image1")).toString(), QStringLiteral("a.jpg"));
    EXPECT_EQ(month_photos::Read(2027), names);
}

TEST_F(YearDocument, AFolderFillsTheCoverThenTheMonthsInNameOrder)
{
    const QDir folder(dir_.filePath(QStringLiteral("photos")));
    ASSERT_TRUE(folder.mkpath(QStringLiteral(".")));
    for (const char *name : {"10.jpg", "2.JPG", "b.dib", "A.bmp", "notes.txt", "1.jpg"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(folder.mkpath(QStringLiteral("sub.jpg")));
    const month_photos::Names names = month_photos::FillFromFolder(folder.path());
    const QStringList expected = {"1.jpg", "2.JPG", "10.jpg", "A.bmp", "b.dib"};
    for (int i = 0; i < month_photos::kCount; ++i)
        EXPECT_EQ(names[static_cast<std::size_t>(i)], i < expected.size() ? folder.filePath(expected[i]) : QString())
            << i;
}

} // namespace
