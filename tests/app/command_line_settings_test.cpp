// The program itself, started as another process on a settings file of the test's own.
#include "app/tamvel_app.h"

#include "support/temp_settings.h"

#include <QProcess>

#include <cstdlib>
#include <utility>

#include <sys/stat.h>

namespace {

class ProgramSettings : public TempSettings
{
protected:
    struct Result {
        int exitCode = -1;
        QString out;
        QString err;
    };
    Result Run(QStringList arguments, const QString &settings = {},
               const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment()) const
    {
        const char *binary = std::getenv("TAMVEL_BINARY");
        EXPECT_NE(binary, nullptr) << "TAMVEL_BINARY is set by ctest";
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QString::fromLocal8Bit(binary ? binary : "tamvel"),
                      QStringList{QStringLiteral("--settings"), settings.isEmpty() ? file_ : settings} + arguments);
        program.waitForFinished(30000);
        return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
                QString::fromUtf8(program.readAllStandardOutput()), QString::fromUtf8(program.readAllStandardError())};
    }
};

TEST_F(ProgramSettings, PentecostMondayToggledInTheDocumentIsListedByANewProcess)
{
    CTamvelApp app;
    app.InitInstance(2025);
    const QStringList holidays{QStringLiteral("--year"), QStringLiteral("2025"), QStringLiteral("--holidays")};
    EXPECT_FALSE(Run(holidays).out.contains(QStringLiteral("2025-06-09")));

    app.Document.OnLundiPentecote();
    const Result result = Run(holidays);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.contains(QStringLiteral("2025-06-08\tPentecôte\n2025-06-09\tLundi Pentecôte\n")))
        << result.out.toStdString();
    EXPECT_FALSE(QFile::exists(dir_.filePath(QStringLiteral("xdg/Varnel/Tamvel.conf"))));
}

TEST_F(ProgramSettings, HolidaysFollowTheStoredParticularDaysToggle)
{
    // A line break inside a label is listed as a space: one line a day.
    WriteFile("[2026]\nFERIE\\Nb=1\nFERIE\\Date1=1225\nFERIE\\Libelle1=Réveillon\\nprolongé\n"
              "[Settings]\nFerieParticulier=1\n");
    const QStringList holidays{QStringLiteral("--holidays"), QStringLiteral("--year"), QStringLiteral("2026")};
    const QByteArray before = ReadFile();
    EXPECT_TRUE(Run(holidays).out.endsWith(QStringLiteral("2026-12-25\tRéveillon prolongé\n")));
    EXPECT_EQ(ReadFile(), before) << "listing is a pure read";

    WriteFile(QByteArray(before).replace("FerieParticulier=1", "FerieParticulier=0"));
    EXPECT_TRUE(Run(holidays).out.endsWith(QStringLiteral("2026-12-25\tNoël\n")));
}

TEST_F(ProgramSettings, ListingsAndExportsUseTheLayoutButLeaveTheSettingsAlone)
{
    WriteFile("[Settings]\nAffichage=1\nPhotoBas=0\nSem=0\nPub1=Garage Martin\n");
    const QByteArray before = ReadFile();
    const QString prefix = dir_.filePath(QStringLiteral("page"));
    const QStringList layout{QStringLiteral("--layout"), QStringLiteral("horizontal"), QStringLiteral("--year"),
                             QStringLiteral("2025")};
    EXPECT_EQ(Run(layout + QStringList{QStringLiteral("--holidays")}).exitCode, 0);
    EXPECT_EQ(Run(layout + QStringList{QStringLiteral("--png"), prefix, QStringLiteral("--dpi"), QStringLiteral("30")})
                  .exitCode,
              0);
    // The export followed the layout asked for: two half-years.
    EXPECT_TRUE(QFile::exists(prefix + QStringLiteral("-2.png")));
    EXPECT_EQ(ReadFile(), before);
}

TEST_F(ProgramSettings, ImportedAgendaIsStoredOnceWhileTheRegionOnlyServesTheRun)
{
    WriteFile("[Settings]\nFerieParticulier=1\n");
    const QString agenda = dir_.filePath(QStringLiteral("fermeture.ics"));
    QFile out(agenda);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    // Windows-1252, as older French Outlook exports are.
    out.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//FR\r\nBEGIN:VEVENT\r\nUID:f@test\r\n"
              "DTSTAMP:20260901T080000Z\r\nDTSTART;VALUE=DATE:20270809\r\nDTEND;VALUE=DATE:20270811\r\n"
              "SUMMARY:F\xeate de l'\xe9t\xe9\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    out.close();
    const QStringList year{QStringLiteral("--year"), QStringLiteral("2027")};

    Result result = Run(QStringList{QStringLiteral("--import-ics"), agenda} + year);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("2 jours ajoutés aux jours particuliers de 2027.\n"));
    EXPECT_TRUE(result.err.contains(QStringLiteral("Windows-1252"))) << result.err.toStdString();
    const QByteArray imported = ReadFile();
    result = Run(QStringList{QStringLiteral("--import-ics"), agenda} + year);
    EXPECT_EQ(result.out, QStringLiteral("Aucun jour ajouté aux jours particuliers de 2027.\n"));
    EXPECT_EQ(ReadFile(), imported);
    result = Run(QStringList{QStringLiteral("--import-ics"), dir_.filePath(QStringLiteral("absent.ics"))} + year);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(ReadFile(), imported);

    result =
        Run(QStringList{QStringLiteral("--holidays"), QStringLiteral("--region"), QStringLiteral("reunion")} + year);
    EXPECT_TRUE(result.out.contains(QStringLiteral("2027-08-09\tFête de l'été\n2027-08-10\tFête de l'été\n")));
    EXPECT_TRUE(result.out.endsWith(QStringLiteral("2027-12-20\tAbol. esclavage\n2027-12-25\tNoël\n")));
    EXPECT_EQ(ReadFile(), imported) << "a listing stores no region";
}

TEST_F(ProgramSettings, WhatCannotBeDoneIsAFailureWithNothingWritten)
{
    const QString agenda = dir_.filePath(QStringLiteral("jour.ics"));
    QFile out(agenda);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//FR\r\nBEGIN:VEVENT\r\nUID:j@test\r\n"
              "DTSTART;VALUE=DATE:20270809\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:Jour\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    out.close();
    // Settings that cannot be written: a folder where a file is.
    const Result unsaved =
        Run({QStringLiteral("--import-ics"), agenda, QStringLiteral("--year"), QStringLiteral("2027")},
            agenda + QStringLiteral("/t.conf"));
    EXPECT_EQ(unsaved.exitCode, 2);
    EXPECT_EQ(unsaved.out, QString());
    EXPECT_TRUE(unsaved.err.contains(QStringLiteral("aucun jour n'a été ajouté"))) << unsaved.err.toStdString();

    // Nor is a school calendar said to be added; a FIFO as settings is refused at once.
    const QString school = dir_.filePath(QStringLiteral("printemps.csv"));
    QFile csv(school);
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("description;population;start_date;end_date;location;zones;annee_scolaire\n"
              "Vacances de Printemps;-;2027-04-09T22:00:00+00:00;2027-04-25T22:00:00+00:00;Lyon;Zone A;2026-2027\n");
    csv.close();
    const Result schoolUnsaved =
        Run({QStringLiteral("--import-school-holidays"), school}, agenda + QStringLiteral("/t.conf"));
    EXPECT_EQ(schoolUnsaved.exitCode, 2);
    EXPECT_FALSE((schoolUnsaved.out + schoolUnsaved.err).contains(QStringLiteral("ajout")))
        << schoolUnsaved.out.toStdString();
    const QString fifo = dir_.filePath(QStringLiteral("fifo.conf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const Result onFifo = Run({QStringLiteral("--school-holidays")}, fifo);
    EXPECT_EQ(onFifo.exitCode, 2);
    EXPECT_TRUE(onFifo.err.contains(QStringLiteral("n'est pas un fichier ordinaire"))) << onFifo.err.toStdString();

    // Years libical cannot carry are refused, not written as null dates or lost.
    const QString ics = dir_.filePath(QStringLiteral("far.ics"));
    const Result farExport = Run({QStringLiteral("--ics"), ics, QStringLiteral("--year"), QStringLiteral("3001")});
    EXPECT_EQ(farExport.exitCode, 2);
    EXPECT_TRUE(farExport.err.contains(QStringLiteral("3000"))) << farExport.err.toStdString();
    EXPECT_FALSE(QFile::exists(ics));
    const Result farImport =
        Run({QStringLiteral("--import-ics"), agenda, QStringLiteral("--year"), QStringLiteral("2600")});
    EXPECT_EQ(farImport.exitCode, 2);
    EXPECT_FALSE(QFile::exists(file_));
}

// Each import reads the stored list and writes it back with its own zone: under the settings
// lock, two at once keep both; a later one-row publication says what it replaces.
TEST_F(ProgramSettings, ImportsAtOnceKeepEachOtherAndReplacementsAreSaid)
{
    const auto publication = [this](const char *name, const QByteArray &row) {
        QFile csv(dir_.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(csv.open(QIODevice::WriteOnly));
        csv.write("description;population;start_date;end_date;location;zones;annee_scolaire\n" + row + '\n');
        return csv.fileName();
    };
    const QString a = publication("a.csv", "Vacances de Printemps;-;2027-04-09T22:00:00+00:00;"
                                           "2027-04-25T22:00:00+00:00;Lyon;Zone A;2026-2027");
    const QString b = publication("b.csv", "Vacances de Printemps;-;2027-04-16T22:00:00+00:00;"
                                           "2027-05-02T22:00:00+00:00;Lille;Zone B;2026-2027");
    const char *binary = std::getenv("TAMVEL_BINARY");
    ASSERT_NE(binary, nullptr);
    for (int trial = 0; trial < 4; ++trial) {
        QFile::remove(file_);
        QProcess first;
        QProcess second;
        for (auto [process, csv] : {std::pair{&first, a}, std::pair{&second, b}})
            process->start(QString::fromLocal8Bit(binary),
                           {QStringLiteral("--settings"), file_, QStringLiteral("--import-school-holidays"), csv});
        ASSERT_TRUE(first.waitForFinished(60000) && second.waitForFinished(60000));
        EXPECT_EQ(first.exitCode() + second.exitCode(), 0);
        const QString listing =
            Run({QStringLiteral("--school-holidays"), QStringLiteral("--year"), QStringLiteral("2027")}).out;
        EXPECT_TRUE(listing.contains(QStringLiteral("2027-04-10\t2027-04-25\tA\t")) &&
                    listing.contains(QStringLiteral("2027-04-17\t2027-05-02\tB\t")))
            << "trial " << trial << ":\n"
            << listing.toStdString();
    }
    const QString bridge = publication("pont.csv", "Pont de l'Ascension;-;2027-05-05T22:00:00+00:00;"
                                                   "2027-05-09T22:00:00+00:00;Lyon;Zone A;2026-2027");
    const Result replaced = Run({QStringLiteral("--import-school-holidays"), bridge});
    EXPECT_TRUE(replaced.out.endsWith(QStringLiteral(" ; remplace 1 période de la zone A, 2026-2027.\n")))
        << replaced.out.toStdString();
}

TEST_F(ProgramSettings, GarbageFileIsListedWithDefaultsAndLeftAsItIs)
{
    const char raw[] = "\x00\xff\xfe[[[garbage\n";
    const QByteArray garbage(raw, sizeof raw - 1);
    WriteFile(garbage);
    for (const QStringList &arguments :
         {QStringList{QStringLiteral("--holidays"), QStringLiteral("--year"), QStringLiteral("2025")},
          QStringList{QStringLiteral("--layout"), QStringLiteral("large-cells"), QStringLiteral("--holidays")}}) {
        const Result result = Run(arguments);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, QString());
        EXPECT_TRUE(result.out.contains(QStringLiteral("-01-01\tNouvel An\n")));
        EXPECT_EQ(ReadFile(), garbage);
        EXPECT_FALSE(QFile::exists(file_ + QStringLiteral(".illisible")));
    }
}

TEST_F(ProgramSettings, WithoutADisplayThatAnswersTheWindowGivesAFrenchMessage)
{
    struct Case {
        const char *display;  // null: unset
        const char *platform; // null: unset
        QString message;
    };
    const Case cases[] = {
        {nullptr, nullptr, QStringLiteral("tamvel : aucun écran n'est disponible")},
        {":9999", "xcb", QStringLiteral("tamvel : l'écran « :9999 » ne répond pas")},
        {":9999", nullptr, QStringLiteral("tamvel : l'écran « :9999 » ne répond pas")},
        // A platform that Qt itself cannot bring up.
        {nullptr, "wayland", QStringLiteral("tamvel : aucun écran n'est disponible")},
    };
    for (const Case &c : cases) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &name :
             {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("QT_QPA_PLATFORM")})
            environment.remove(name);
        if (c.display != nullptr)
            environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(c.display));
        if (c.platform != nullptr)
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(c.platform));
        const Result result = Run({QStringLiteral("--year"), QStringLiteral("2027")}, {}, environment);
        EXPECT_EQ(result.exitCode, 2) << c.message.toStdString();
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
        if (c.display != nullptr) {
            EXPECT_FALSE(result.err.contains(QStringLiteral("qt.qpa"))) << result.err.toStdString();
        }
    }
}

TEST_F(ProgramSettings, BatchLayoutIsTheRowsDefaultAndNeverStored)
{
    WriteFile("[Settings]\nAffichage=1\n");
    const QByteArray before = ReadFile();
    QFile csv(dir_.filePath(QStringLiteral("clients.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("fichier;annee\nmartin;2027\nroux;20270\n");
    csv.close();
    const QString out = dir_.filePath(QStringLiteral("pdf"));
    const Result result =
        Run({QStringLiteral("--batch"), csv.fileName(), QStringLiteral("--outdir"), out, QStringLiteral("--layout"),
             QStringLiteral("large-cells"), QStringLiteral("--jobs"), QStringLiteral("1")});
    EXPECT_EQ(result.exitCode, 2) << "one row was refused";
    EXPECT_EQ(result.out, QStringLiteral("1 calendrier écrit dans %1 ; 1 ligne refusée\n").arg(out));
    EXPECT_TRUE(result.err.startsWith(QStringLiteral("tamvel : ligne 3 : année invalide « 20270 »")))
        << result.err.toStdString();
    EXPECT_FALSE(result.err.contains(QStringLiteral("calendriers"))) << "no progress line off a terminal";
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {out + QStringLiteral("/martin.pdf"), QStringLiteral("-")});
    text.waitForFinished(30000);
    EXPECT_TRUE(text.readAllStandardOutput().contains("Décembre 2027")) << "a month per page";
    EXPECT_EQ(ReadFile(), before);
}

} // namespace
