#include "output/calendar_export.h"
#include "output/print_ready.h"
#include "platform/font_substitutions.h"
#include "support/pdf_text.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <functional>

#include <sys/resource.h>

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

// Leftmost and rightmost dark columns of a page rendered at 150 dpi, in millimetres.
std::pair<double, double> InkSpanMm(const QString &pdf, int page, const QString &work)
{
    const QString prefix = work + QStringLiteral("/ink");
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-f"),
                                                   QString::number(page), QStringLiteral("-l"), QString::number(page),
                                                   QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, prefix});
    const QImage image(prefix + QStringLiteral(".png"));
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return {left * 25.4 / 150, (right + 1) * 25.4 / 150};
}

class ExportTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { platform::RegisterFontSubstitutions(); }

    ExportTest()
    {
        app.Annee = 2027;
        app.Pub1 = QStringLiteral("Imprimerie & Fils");
        app.Pub2 = QStringLiteral("Seconde ligne");
    }

    std::vector<PdfPage> Export(DisplayMode mode)
    {
        view.mode = mode;
        const QString path = dir.filePath(QStringLiteral("c.pdf"));
        const ExportResult result = ExportPdf(path, {app, view, &doc});
        EXPECT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(result.files, QStringList{path});
        return ReadPdfText(path);
    }

    QTemporaryDir dir;
    AppSettings app;
    ViewState view;
    CTamvelDoc doc{app};
};

TEST_F(ExportTest, VerticalIsOnePortraitA4PageWithTheWholeYear)
{
    const auto pages = Export(DisplayMode::Vertical);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NEAR(pages[0].width, 595.3, 0.5);
    EXPECT_NEAR(pages[0].height, 841.9, 0.5);
    const PdfWord *title = pages[0].Find(QStringLiteral("2027"));
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(pages[0].Find(QStringLiteral("Année")));
    for (const char *month : {"Janvier", "Juin", "Juillet", "Décembre"})
        EXPECT_TRUE(pages[0].Find(QString::fromUtf8(month))) << month;
    // The title band starts at the top margin of 15 mm.
    EXPECT_GT(title->yMin, 15 * kPointsPerMm);
    EXPECT_LT(title->yMax, 30 * kPointsPerMm);
}

TEST_F(ExportTest, HorizontalHalfYearsOnTwoLandscapePages)
{
    const auto pages = Export(DisplayMode::Horizontal);
    ASSERT_EQ(pages.size(), 2u);
    for (const PdfPage &page : pages) {
        EXPECT_NEAR(page.width, 841.9, 0.5);
        EXPECT_NEAR(page.height, 595.3, 0.5);
        EXPECT_TRUE(page.Find(QStringLiteral("2027")));
    }
    EXPECT_TRUE(pages[0].Find(QStringLiteral("Janvier")));
    EXPECT_TRUE(pages[0].Find(QStringLiteral("Juin")));
    EXPECT_TRUE(pages[0].Find(QStringLiteral("Pâques"))); // 28 March 2027
    EXPECT_FALSE(pages[0].Find(QStringLiteral("Juillet")));
    EXPECT_TRUE(pages[1].Find(QStringLiteral("Juillet")));
    EXPECT_TRUE(pages[1].Find(QStringLiteral("Décembre")));
    EXPECT_TRUE(pages[1].Find(QStringLiteral("Noël")));
    EXPECT_FALSE(pages[1].Find(QStringLiteral("Janvier")));

    // Janvier stands in the first of six columns that span the width less 15 mm each side.
    const PdfWord *january = pages[0].Find(QStringLiteral("Janvier"));
    const double column = (841.89 - 2 * 15 * kPointsPerMm) / 6;
    EXPECT_NEAR((january->xMin + january->xMax) / 2, 15 * kPointsPerMm + column / 2, 1.5);
}

TEST_F(ExportTest, LargeCellsGiveTwelveMonthPagesWithEveryLabelInsideItsCell)
{
    // A six-week May with week numbers leaves the least room; user texts print their '&'.
    view.FerieParticulier = 1;
    view.PubVisible = 1;
    doc.Dates = {COleDateTime(2027, 5, 3, 0, 0, 0), COleDateTime(2027, 5, 20, 0, 0, 0)};
    doc.Libelles = {"Inventaire annuel du magasin central", "Dupont & Fils && Cie"};
    const auto pages = Export(DisplayMode::HorizontalLargeCells);
    ASSERT_EQ(pages.size(), 12u);
    EXPECT_TRUE(pages[0].Find(QStringLiteral("Janvier")));
    EXPECT_TRUE(pages[2].Find(QStringLiteral("Mars")));
    EXPECT_FALSE(pages[2].Find(QStringLiteral("Avril")));
    EXPECT_TRUE(pages[11].Find(QStringLiteral("Décembre")));
    for (const PdfPage &page : pages)
        EXPECT_TRUE(page.Find(QStringLiteral("Lundi")));

    const PdfPage &may = pages[4];
    std::vector<double> columns; // centres of the weekday headers
    for (const char *name : {"Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi", "Dimanche"})
        columns.push_back((may.Find(QString::fromUtf8(name))->xMin + may.Find(QString::fromUtf8(name))->xMax) / 2);
    const double width = (columns.back() - columns.front()) / 6;
    const double gridTop = may.Find(QStringLiteral("Lundi"))->yMax;
    QStringList words;
    for (const PdfWord &word : may.words) {
        words << word.text;
        const double centre = (word.xMin + word.xMax) / 2;
        if (word.yMin < gridTop || centre < columns.front() - width / 2 || word.yMin > 540)
            continue;
        const double column = *std::min_element(columns.begin(), columns.end(), [centre](double a, double b) {
            return std::abs(a - centre) < std::abs(b - centre);
        });
        EXPECT_GE(word.xMin, column - width / 2 - 0.5) << word.text.toStdString();
        EXPECT_LE(word.xMax, column + width / 2 + 0.5) << word.text.toStdString();
    }
    for (const char *word : {"Victoire", "1945", "Inventaire", "central", "Dupont", "&", "Cie", "Fils"})
        EXPECT_TRUE(words.contains(QString::fromUtf8(word))) << word;
    EXPECT_FALSE(words.contains(QStringLiteral("&&")));
    EXPECT_FALSE(words.contains(QStringLiteral("...")));
}

TEST_F(ExportTest, DrawingKeepsFifteenMillimetreMargins)
{
    view.mode = DisplayMode::Horizontal;
    const QString path = dir.filePath(QStringLiteral("h.pdf"));
    ASSERT_TRUE(ExportPdf(path, {app, view, &doc}).ok);
    const auto [left, right] = InkSpanMm(path, 1, dir.path());
    EXPECT_NEAR(left, 15.0, 0.5);
    EXPECT_NEAR(297.0 - right, 15.0, 0.5);

    view.mode = DisplayMode::Vertical;
    ASSERT_TRUE(ExportPdf(path, {app, view, &doc}).ok);
    const auto [vleft, vright] = InkSpanMm(path, 1, dir.path());
    EXPECT_NEAR(vleft, 15.0, 0.5);
    EXPECT_NEAR(210.0 - vright, 15.0, 0.5);
}

TEST_F(ExportTest, PngPagesAtTheChosenResolution)
{
    view.mode = DisplayMode::Horizontal;
    const QString prefix = dir.filePath(QStringLiteral("p"));
    const ExportResult result = ExportPng(prefix, 100, {app, view, &doc});
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    ASSERT_EQ(result.files.size(), 2);
    const QImage page(prefix + QStringLiteral("-2.png"));
    EXPECT_EQ(page.size(), QSize(1169, 827)); // A4 landscape at 100 dpi
    EXPECT_EQ(page.pixel(5, 5), qRgb(255, 255, 255));
}

TEST_F(ExportTest, UnwritablePathsFailWithoutLeavingAFile)
{
    view.mode = DisplayMode::Vertical;
    const ExportResult missingDir = ExportPdf(QStringLiteral("/nonexistent-dir/x.pdf"), {app, view, &doc});
    EXPECT_FALSE(missingDir.ok);
    EXPECT_TRUE(missingDir.error.contains(QStringLiteral("/nonexistent-dir/x.pdf")));
    EXPECT_TRUE(missingDir.files.isEmpty());

    const ExportResult onADirectory = ExportPdf(dir.path(), {app, view, &doc});
    EXPECT_FALSE(onADirectory.ok);

    const ExportResult png = ExportPng(QStringLiteral("/nonexistent-dir/p"), 50, {app, view, &doc});
    EXPECT_FALSE(png.ok);
    EXPECT_FALSE(png.error.isEmpty());
}

TEST_F(ExportTest, ReplacesAnExistingFileAndLeavesNoTemporaryBehind)
{
    view.mode = DisplayMode::Vertical;
    const QString path = dir.filePath(QStringLiteral("c.pdf"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("previous content");
    }
    ASSERT_TRUE(ExportPdf(path, {app, view, &doc}).ok);
    QFile exported(path);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_TRUE(exported.read(5).startsWith("%PDF"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("c.pdf")});
}

// A device that refuses its writes part way through the file (here, a limit on the size of files,
// which fails them as a full disk does): the export says so and leaves the old file as it was.
TEST_F(ExportTest, AWriteThatFailsLeavesTheOldFileAndNoTemporary)
{
    view.mode = DisplayMode::HorizontalLargeCells;
    const QString pdf = dir.filePath(QStringLiteral("c.pdf"));
    const QString png = dir.filePath(QStringLiteral("p-1.png"));
    for (const QString &old : {pdf, png}) {
        QFile file(old);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("previous content");
    }
    const std::function<ExportResult()> exports[] = {
        [&] {
            return ExportPdf(pdf, {app, view, &doc});
        },
        [&] {
            return ExportPng(dir.filePath(QStringLiteral("p")), 100, {app, view, &doc});
        },
    };
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{16 * 1024, limit.rlim_max};
    for (const auto &run : exports) {
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const ExportResult result = run();
        setrlimit(RLIMIT_FSIZE, &limit);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.startsWith(QStringLiteral("Impossible d'écrire le fichier « ") + dir.path()))
            << result.error.toStdString();
        EXPECT_TRUE(result.files.isEmpty());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"c.pdf", "p-1.png"}));
        for (const QString &old : {pdf, png}) {
            QFile file(old);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), QByteArray("previous content"));
        }
    }
}

// The print-ready conversion refuses loudly when its tool or its profile fails it, and leaves
// the file that was there as it was, with nothing beside it.
TEST_F(ExportTest, PrintReadyConversionRefusedWhenGhostscriptOrTheProfileFails)
{
    view.mode = DisplayMode::Vertical;
    const QString failingGs = dir.filePath(QStringLiteral("gs-fails"));
    const QString profile = dir.filePath(QStringLiteral("profile.icc"));
    for (const auto &[file, text] :
         {std::pair{failingGs, QByteArray("#!/bin/sh\necho 'Error: /ioerror in --showpage--' >&2\nexit 1\n")},
          std::pair{profile, QByteArray("not read: the conversion fails first")}}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QFile::setPermissions(failingGs, QFile::ReadOwner | QFile::ExeOwner);
    QDir out(dir.filePath(QStringLiteral("out")));
    ASSERT_TRUE(out.mkpath(QStringLiteral(".")));
    const QString path = out.filePath(QStringLiteral("cal.pdf"));

    struct Row {
        QString ghostscript, profile;
        QStringList said; // what the message must name
    };
    const Row rows[] = {
        {dir.filePath(QStringLiteral("no-such-gs")),
         profile,
         {QStringLiteral("Ghostscript"), QStringLiteral("introuvable")}},
        {failingGs, profile, {QStringLiteral("a échoué"), QStringLiteral("erreur de lecture ou d'écriture")}},
        {QStringLiteral("gs"),
         dir.filePath(QStringLiteral("none.icc")),
         {QStringLiteral("FOGRA39"), QStringLiteral("none.icc")}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.said.join(QLatin1Char(' ')).toStdString());
        {
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("previous content");
        }
        const ExportResult result = ExportPrintReadyPdf(path, {app, view, &doc}, {3.0, row.ghostscript, row.profile});
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.files.isEmpty());
        for (const QString &word : row.said)
            EXPECT_TRUE(result.error.contains(word)) << result.error.toStdString();
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "previous content");
        EXPECT_EQ(out.entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("cal.pdf")});
    }
}

} // namespace
