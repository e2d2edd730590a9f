#include "batch/batch_rows.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

using namespace batch;

CsvRecord Record(int line, QStringList fields)
{
    return {line, std::vector<QString>(fields.begin(), fields.end())};
}

TEST(ReadHeader, ColumnsInAnyOrderAndCase)
{
    const Header header =
        ReadHeader(Record(1, {QStringLiteral("PUB1"), QStringLiteral("Année"), QStringLiteral("fichier")}));
    EXPECT_EQ(header.error, QString());
    EXPECT_EQ(header.index[static_cast<int>(Column::Fichier)], 2u);
    EXPECT_EQ(header.index[static_cast<int>(Column::Annee)], 1u);
    EXPECT_EQ(header.index[static_cast<int>(Column::Pub1)], 0u);
    EXPECT_FALSE(header.index[static_cast<int>(Column::Disposition)]);

    const std::pair<QStringList, const char *> refused[] = {
        {{QStringLiteral("fichier"), QStringLiteral("couleur")}, "colonne inconnue « couleur »"},
        {{QStringLiteral("annee"), QStringLiteral("pub1")}, "il manque la colonne « fichier »"},
        {{QStringLiteral("fichier"), QStringLiteral("Fichier")}, "« Fichier » apparaît deux fois"},
    };
    for (const auto &[names, reason] : refused)
        EXPECT_TRUE(ReadHeader(Record(1, names)).error.contains(QString::fromUtf8(reason))) << reason;
}

TEST(ReadRows, PhotoCalendarColumns)
{
    const Header header =
        ReadHeader(Record(1, {QStringLiteral("fichier"), QStringLiteral("MOIS12"), QStringLiteral("Couverture"),
                              QStringLiteral("photos"), QStringLiteral("mois1"), QStringLiteral("disposition")}));
    ASSERT_EQ(header.error, QString());
    const std::vector<RowResult> rows = ReadRows(
        header, {Record(2, {QStringLiteral("club"), QStringLiteral(" dec.jpg"), QStringLiteral("couv.jpg"),
                            QStringLiteral("club/"), QStringLiteral("jan.jpg"), QStringLiteral("photo-months")})});
    ASSERT_EQ(rows[0].error, QString());
    const BatchRow &row = rows[0].row;
    EXPECT_EQ(row.mode, DisplayMode::PhotoMonths);
    EXPECT_EQ(row.photosFolder, QStringLiteral("club/"));
    EXPECT_EQ(row.monthImages[0], QStringLiteral("couv.jpg"));
    EXPECT_EQ(row.monthImages[1], QStringLiteral("jan.jpg"));
    EXPECT_EQ(row.monthImages[12], QStringLiteral("dec.jpg"));
    EXPECT_TRUE(row.monthImages[2].isEmpty());
}

TEST(ReadRows, EachRowGivesACalendarOrItsReason)
{
    const Header header =
        ReadHeader(Record(1, {QStringLiteral("fichier"), QStringLiteral("annee"), QStringLiteral("disposition"),
                              QStringLiteral("pub1"), QStringLiteral("region")}));
    const std::vector<CsvRecord> records = {
        Record(2, {QStringLiteral("martin"), QStringLiteral("2027"), QStringLiteral("Large-Cells"),
                   QStringLiteral(" Garage "), QStringLiteral("Alsace-Moselle")}),
        Record(3, {QStringLiteral("durand.PDF"), QString(), QString()}),
        Record(4, {QStringLiteral("roux"), QStringLiteral("99999")}),
        Record(5, {QStringLiteral("lac"), QStringLiteral("2027"), QStringLiteral("spirale")}),
        Record(6, {QStringLiteral("../etc/passwd")}),
        Record(7, {QStringLiteral("a..b")}),
        Record(8, {QString()}),
        Record(9, {QStringLiteral("x"), QStringLiteral("2027"), QStringLiteral("vertical"), QStringLiteral("Garage"),
                   QStringLiteral("metropole"), QStringLiteral("Martin")}),
        Record(10, {QStringLiteral("martin.pdf")}),
        Record(11, {QStringLiteral("y"), QString(), QString(), QString(), QStringLiteral("bretagne")}),
        Record(12, {QString(300, u'n')}),
        Record(13, {QStringLiteral("cal\u202Efdp.exe"), QString(), QString(), QStringLiteral("\u202Dpub")}),
    };
    const std::vector<RowResult> rows = ReadRows(header, records);
    ASSERT_EQ(rows.size(), records.size());

    EXPECT_EQ(rows[0].error, QString());
    EXPECT_EQ(rows[0].row.fileName, QStringLiteral("martin.pdf"));
    EXPECT_EQ(rows[0].row.year, 2027);
    EXPECT_EQ(rows[0].row.mode, DisplayMode::HorizontalLargeCells);
    EXPECT_EQ(rows[0].row.pub1, QStringLiteral(" Garage ")) << "the spaces of a quoted line are the user's";
    EXPECT_EQ(rows[0].row.region, model::Region::AlsaceMoselle);
    // Empty and missing cells keep the stored values.
    EXPECT_EQ(rows[1].error, QString());
    EXPECT_EQ(rows[1].row.fileName, QStringLiteral("durand.PDF"));
    EXPECT_FALSE(rows[1].row.year);
    EXPECT_FALSE(rows[1].row.mode);
    EXPECT_TRUE(rows[1].row.pub1.isEmpty());
    EXPECT_FALSE(rows[1].row.region);

    const char *reasons[] = {
        "ligne 4 : année invalide « 99999 »",
        "ligne 5 : disposition inconnue « spirale »",
        "ligne 6 : nom de fichier « ../etc/passwd » refusé",
        "ligne 7 : nom de fichier « a..b » refusé",
        "ligne 8 : la colonne fichier est vide",
        "ligne 9 : 6 champs pour 5 colonnes",
        "ligne 10 : le fichier « martin.pdf » est déjà celui de la ligne 2",
        "ligne 11 : région inconnue « bretagne »",
        "ligne 12 : nom de fichier « nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn… » refusé : trop long",
    };
    // A right-to-left override would show "calexe.pdf": it goes.
    EXPECT_EQ(rows.back().error, QString());
    EXPECT_EQ(rows.back().row.fileName, QStringLiteral("calfdp.exe.pdf"));
    EXPECT_EQ(rows.back().row.pub1, QStringLiteral("pub"));
    for (std::size_t i = 2; i + 1 < rows.size(); ++i)
        EXPECT_TRUE(rows[i].error.startsWith(QString::fromUtf8(reasons[i - 2]))) << rows[i].error.toStdString();
}

TEST(ReadRows, TheCountryColumnTakesACantonOrAProvinceAsItsRegion)
{
    const Header header =
        ReadHeader(Record(1, {QStringLiteral("fichier"), QStringLiteral("Pays"), QStringLiteral("region")}));
    const std::vector<CsvRecord> records = {
        Record(2, {QStringLiteral("a"), QStringLiteral("be")}),
        Record(3, {QStringLiteral("b"), QStringLiteral("CH"), QStringLiteral("ge")}),
        Record(4, {QStringLiteral("c"), QString(), QStringLiteral("Guyane")}),
        Record(5, {QStringLiteral("d"), QStringLiteral("LU"), QStringLiteral("GE")}),
        Record(6, {QStringLiteral("e"), QStringLiteral("ZZ")}),
    };
    const std::vector<RowResult> rows = ReadRows(header, records);
    ASSERT_EQ(rows.size(), records.size());
    EXPECT_EQ(model::PlaceCode(*rows[0].row.place), "BE");
    EXPECT_EQ(model::PlaceCode(*rows[1].row.place), "CH-GE");
    EXPECT_EQ(model::PlaceCode(*rows[2].row.place), "FR");
    EXPECT_EQ(rows[2].row.region, model::Region::Guyane);
    EXPECT_TRUE(rows[3].error.startsWith(QStringLiteral("ligne 5 : pas de région pour le Luxembourg")));
    EXPECT_TRUE(rows[4].error.startsWith(QStringLiteral("ligne 6 : pays inconnu « ZZ »")));
}

} // namespace
