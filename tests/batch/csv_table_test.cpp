#include "batch/csv_table.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

using batch::ReadCsv;

// Records as "line:field|field|...", one string each, for short expectations.
std::vector<std::string> Flatten(const batch::CsvTable &table)
{
    std::vector<std::string> lines;
    for (const batch::CsvRecord &record : table.records) {
        QStringList fields(record.fields.begin(), record.fields.end());
        lines.push_back(QStringLiteral("%1:%2").arg(record.line).arg(fields.join(QLatin1Char('|'))).toStdString());
    }
    return lines;
}

struct CsvCase {
    const char *what;
    QByteArray bytes;
    std::vector<std::string> records;
};

TEST(ReadCsv, FilesAndTheRecordsTheyMake)
{
    const CsvCase cases[] = {
        {"quoted separator and doubled quotes",
         "fichier,pub1\na,\"Garage, \"\"Martin\"\"\"\n",
         {"1:fichier|pub1", "2:a|Garage, \"Martin\""}},
        {"semicolons, byte-order mark, CRLF, accents",
         "\xEF\xBB\xBF"
         "fichier;pub1\r\nb;\"Pains; Élodie\"\r\n",
         {"1:fichier|pub1", "2:b|Pains; Élodie"}},
        {"a comma header keeps semicolons as text", "fichier,pub1\nc,un; deux\n", {"1:fichier|pub1", "2:c|un; deux"}},
        {"line break inside quotes: the next record keeps its own line",
         "f,p\n\"a\",\"x\ny\"\nb,z\n",
         {"1:f|p", "2:a|x\ny", "4:b|z"}},
        {"empty cells, blank lines, no final line break", "f,p,q\n\na,,\n  \nb,\"\",c", {"1:f|p|q", "3:a||", "5:b||c"}},
        {"spaces around unquoted fields are dropped", "f , p\n  a  ,\" b \"\n", {"1:f|p", "2:a| b "}},
    };
    for (const CsvCase &c : cases) {
        const batch::CsvTable table = ReadCsv(c.bytes);
        EXPECT_EQ(table.error, QString()) << c.what;
        EXPECT_EQ(Flatten(table), c.records) << c.what;
    }
}

TEST(ReadCsv, AFrenchSpreadsheetsWindows1252FileIsRead)
{
    const batch::CsvTable table = ReadCsv("Fichier;Ann\xE9"
                                          "e\r\ngarage;Garage Martin \x96 R\xE9parations \x80 l\x92"
                                          "atelier\r\n");
    EXPECT_TRUE(table.readAsWindows1252);
    EXPECT_EQ(Flatten(table),
              (std::vector<std::string>{"1:Fichier|Année", "2:garage|Garage Martin – Réparations € l’atelier"}));
    EXPECT_FALSE(ReadCsv("f\nR\xC3\xA9parations\n").readAsWindows1252);
    // Its mark does not stick to the first column, and a stray byte leaves the UTF-8 around it.
    EXPECT_EQ(Flatten(ReadCsv("\xEF\xBB\xBF"
                              "fichier;pub1\nx;No\xEBl \xC3\xA0 Cr\xC3\xA9teil\n")),
              (std::vector<std::string>{"1:fichier|pub1", "2:x|Noël à Créteil"}));
}

TEST(ReadCsv, BrokenFilesAreRefusedWithTheirLine)
{
    const std::pair<QByteArray, const char *> cases[] = {
        {"f,p\na,b\nc,\"unterminated\nd,e\n", "ligne 3 : guillemets mal placés"},
        {"f,p\na,\"x\"y\n", "ligne 2 : guillemets mal placés"},
        {QByteArray("f,p\na,b\0c\n", 11), "pas un texte"},
        {QByteArray(batch::kMaxCsvBytes + 1, 'a'), "16 Mo"},
    };
    for (const auto &[bytes, reason] : cases) {
        const batch::CsvTable table = ReadCsv(bytes);
        EXPECT_TRUE(table.error.contains(QString::fromUtf8(reason))) << reason << ": " << table.error.toStdString();
        EXPECT_TRUE(table.records.empty());
    }
}

} // namespace
