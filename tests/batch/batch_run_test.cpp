#include "batch/batch_run.h"

#include "support/temp_settings.h"

#include <QDir>
#include <QImage>
#include <QProcess>

namespace {

QString PdfText(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

class BatchRun : public TempSettings
{
protected:
    batch::BatchSummary Run(const QByteArray &csv, int jobs = 2)
    {
        const QString file = dir_.filePath(QStringLiteral("clients.csv"));
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(csv);
        out.close();
        batch::BatchReport report;
        report.error = [this](const QString &line) { errors << line; };
        report.progress = [this](int done, int total) { progress << QStringLiteral("%1/%2").arg(done).arg(total); };
        return batch::RunBatch({file, outDir, jobs, 2027, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
                               report);
    }
    QString OutFile(const char *name) const { return QDir(outDir).filePath(QString::fromUtf8(name)); }

    QString outDir = dir_.filePath(QStringLiteral("calendriers"));
    QStringList errors;
    QStringList progress;
};

TEST_F(BatchRun, EachRowGetsItsOwnLinesAndBadRowsAreToldByLine)
{
    WriteFile("[Settings]\nPubVisible=0\nFerieParticulier=1\nPub1=Ligne enregistrée\n"
              "[2027]\nFERIE\\Nb=1\nFERIE\\Date1=614\nFERIE\\Libelle1=Braderie du quartier\n");
    const QByteArray before = ReadFile();
    QImage photo(30, 20, QImage::Format_RGB32);
    photo.fill(Qt::red);
    ASSERT_TRUE(photo.save(dir_.filePath(QStringLiteral("mer.bmp"))));

    const batch::BatchSummary summary = Run("fichier;annee;disposition;pub1;pub2;image1\n"
                                            "martin;;;Garage Martin;Route de Foix;\n"
                                            "lulu;2026;horizontal;;Quai Saint-Pierre;\n"
                                            "roux;99999;;Plomberie Roux;;\n"
                                            "photo;2027;vertical-photo;Photographe;;mer.bmp\n"
                                            "absente;2027;vertical-photo;;;absente.bmp\n");

    EXPECT_EQ(summary.written, 3);
    EXPECT_EQ(summary.refused, 2);
    EXPECT_FALSE(summary.AllWritten());
    ASSERT_EQ(errors.size(), 2) << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("ligne 4 : année invalide « 99999 »")));
    EXPECT_TRUE(errors[1].startsWith(QStringLiteral("ligne 6 : impossible de charger la photo")));
    EXPECT_TRUE(errors[1].contains(QStringLiteral("absente.bmp est introuvable."))) << errors[1].toStdString();
    EXPECT_EQ(progress.size(), 5);
    EXPECT_EQ(progress.back(), QStringLiteral("5/5"));
    EXPECT_EQ(batch::SummaryText(summary, QStringLiteral("out")),
              QStringLiteral("3 calendriers écrits dans out ; 2 lignes refusées"));

    // The default year, the stored particular day of that year and the row's own lines.
    const QString martin = PdfText(OutFile("martin.pdf"));
    EXPECT_TRUE(martin.contains(QStringLiteral("Année 2027"))) << martin.toStdString();
    EXPECT_TRUE(martin.contains(QStringLiteral("Braderie du quartier")));
    EXPECT_TRUE(martin.contains(QStringLiteral("Garage Martin")));
    EXPECT_FALSE(martin.contains(QStringLiteral("Quai Saint-Pierre")));
    // An empty cell keeps the stored line, shown because the row brings a line of its own.
    const QString lulu = PdfText(OutFile("lulu.pdf"));
    EXPECT_TRUE(lulu.contains(QStringLiteral("Ligne enregistrée Quai Saint-Pierre"))) << lulu.toStdString();
    EXPECT_FALSE(lulu.contains(QStringLiteral("Garage Martin")));
    EXPECT_TRUE(PdfText(OutFile("photo.pdf")).contains(QStringLiteral("Photographe")));

    EXPECT_FALSE(QFile::exists(OutFile("roux.pdf")));
    EXPECT_FALSE(QFile::exists(OutFile("absente.pdf")));
    EXPECT_EQ(QDir(outDir).entryList(QDir::Files | QDir::Hidden).size(), 3) << "no partial file left behind";
    EXPECT_EQ(ReadFile(), before) << "the stored settings are only read";
}

TEST_F(BatchRun, AFileThatCannotBeUsedWritesNothing)
{
    const std::pair<QByteArray, const char *> refused[] = {
        {"fichier,couleur\na,rouge\n", "colonne inconnue « couleur »"},
        {"", "le fichier est vide"},
        {"fichier\n\"a\n", "ligne 2 : guillemets mal placés"},
    };
    for (const auto &[csv, reason] : refused) {
        errors.clear();
        const batch::BatchSummary summary = Run(csv, 1);
        EXPECT_TRUE(summary.fileRefused);
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(QString::fromUtf8(reason))) << errors[0].toStdString();
        EXPECT_FALSE(QDir(outDir).exists()) << reason;
    }

    // A folder removed during the run stops it with one word, not one line per row.
    errors.clear();
    QByteArray rows = "fichier\n";
    for (int i = 0; i < 6; ++i)
        rows += "c" + QByteArray::number(i) + '\n';
    const QString file = dir_.filePath(QStringLiteral("clients.csv"));
    QFile(file).remove();
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(rows);
    out.close();
    batch::BatchReport report;
    report.error = [this](const QString &line) { errors << line; };
    report.progress = [this](int done, int) {
        if (done == 1)
            QDir(outDir).removeRecursively();
    };
    const batch::BatchSummary gone =
        batch::RunBatch({file, outDir, 1, 2027, std::nullopt, std::nullopt, std::nullopt, std::nullopt}, report);
    EXPECT_FALSE(gone.AllWritten());
    ASSERT_EQ(errors.size(), 1) << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("le dossier de sortie a disparu : "))) << errors[0].toStdString();
}

} // namespace
