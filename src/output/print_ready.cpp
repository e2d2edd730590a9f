#include "output/print_ready.h"

#include "platform/live_temporaries.h"
#include "resources/build_info.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>

#include <csignal>

#include <sys/prctl.h>

namespace {

constexpr char kProfileName[] = "FOGRA39L.icc";
// Ghostscript converts a year of pages in a second or two; past this it is stuck.
constexpr int kConversionTimeLimitMs = 120'000;
// What a message keeps of Ghostscript's own words.
constexpr int kMaxToolMessage = 300;
// Crop marks are hairlines, as printers draw them.
constexpr double kMarkWidth = 0.25;

QByteArray Number(double value)
{
    return QByteArray::number(value, 'f', 3);
}

QByteArray Box(const PdfBox &box)
{
    return '[' + Number(box.left) + ' ' + Number(box.bottom) + ' ' + Number(box.right) + ' ' + Number(box.top) + ']';
}

// A PostScript string of any bytes, without escaping: its hexadecimal form.
QByteArray HexString(const QByteArray &bytes)
{
    return '<' + bytes.toHex() + '>';
}

// A PDF text string: UTF-16 with its byte order mark.
QByteArray TextString(const QString &text)
{
    QByteArray utf16("\xFE\xFF", 2);
    for (const QChar c : text) {
        utf16 += static_cast<char>(c.unicode() >> 8);
        utf16 += static_cast<char>(c.unicode() & 0xFF);
    }
    return HexString(utf16);
}

// The eight crop marks: at each corner, the two trim lines drawn on from markStart beyond the
// trim to the edge of the sheet.
QByteArray CropMarks(const PressSheet &sheet)
{
    const PdfBox &t = sheet.trim;
    const PdfBox &m = sheet.media;
    const double d = sheet.markStart;
    QByteArray marks;
    auto line = [&marks](double x1, double y1, double x2, double y2) {
        marks += Number(x1) + ' ' + Number(y1) + " moveto " + Number(x2) + ' ' + Number(y2) + " lineto\n";
    };
    for (const double y : {t.bottom, t.top}) {
        line(m.left, y, t.left - d, y);
        line(t.right + d, y, m.right, y);
    }
    for (const double x : {t.left, t.right}) {
        line(x, m.bottom, x, t.bottom - d);
        line(x, t.top + d, x, m.top);
    }
    return marks;
}

// What Ghostscript reads before the pages: the PDF/X identification, the output intent with its
// ICC profile, and on every page its boxes and its crop marks. The marks are drawn in DeviceCMYK
// after the page, so that they keep all four inks at 100 % whatever the colour conversion does.
QByteArray PdfxPrefix(const PressSheet &sheet, const QString &profile, const QString &title)
{
    QByteArray ps = "%!PS\n";
    ps += "[ /GTS_PDFXVersion (PDF/X-3:2002) /Title " + TextString(title) + " /Trapped /False /DOCINFO pdfmark\n";
    ps += "[ /_objdef {tamvel_icc} /type /stream /OBJ pdfmark\n";
    ps += "[ {tamvel_icc} << /N 4 >> /PUT pdfmark\n";
    ps += "[ {tamvel_icc} " + HexString(QFile::encodeName(profile)) + " (r) file /PUT pdfmark\n";
    ps += "[ /_objdef {tamvel_intent} /type /dict /OBJ pdfmark\n"
          "[ {tamvel_intent} <<\n"
          "  /Type /OutputIntent /S /GTS_PDFX\n"
          "  /OutputConditionIdentifier (FOGRA39)\n"
          "  /OutputCondition (Offset printing on coated paper, ISO 12647-2:2004/Amd 1, paper type 1 or 2)\n"
          "  /Info (FOGRA39L characterization data)\n"
          "  /RegistryName (http://www.color.org)\n"
          "  /DestOutputProfile {tamvel_icc}\n"
          ">> /PUT pdfmark\n"
          "[ {Catalog} << /OutputIntents [ {tamvel_intent} ] >> /PUT pdfmark\n";
    ps += "<< /EndPage {\n"
          "  exch pop 2 ne {\n"
          "    [ /TrimBox " +
          Box(sheet.trim) + " /BleedBox " + Box(sheet.bleed) +
          " /PAGE pdfmark\n"
          "    gsave initgraphics 1 1 1 1 setcmykcolor " +
          Number(kMarkWidth) + " setlinewidth newpath\n" + CropMarks(sheet) +
          "    stroke grestore true\n"
          "  } { false } ifelse\n"
          "} bind >> setpagedevice\n";
    return ps;
}

// Ghostscript reads a '%' in its output file name as the place of a page number.
QString OutputFileArgument(const QString &path)
{
    return QStringLiteral("-sOutputFile=") + QString(path).replace(QLatin1Char('%'), QStringLiteral("%%"));
}

// The last lines Ghostscript wrote, on one line, for a message.
QString ToolMessage(const QByteArray &output)
{
    QString text = QString::fromLocal8Bit(output).simplified();
    if (text.size() > kMaxToolMessage)
        text = QStringLiteral("…") + text.right(kMaxToolMessage);
    return text;
}

// Runs the conversion; an empty text when it wrote its output, else why not.
QString RunGhostscript(const QString &program, const QStringList &arguments)
{
    QProcess gs;
    gs.setProcessChannelMode(QProcess::MergedChannels);
    gs.setStandardInputFile(QProcess::nullDevice());
    // Ghostscript goes when the program goes, killed by a signal included: it must not write on
    // into a file the program has given up.
    gs.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    gs.start(program, arguments);
    if (!gs.waitForStarted())
        return QStringLiteral("Ghostscript (« %1 ») est introuvable : installez le paquet ghostscript pour exporter "
                              "pour l'imprimeur.")
            .arg(program);
    if (!gs.waitForFinished(kConversionTimeLimitMs)) {
        gs.kill();
        gs.waitForFinished();
        return QStringLiteral("Ghostscript n'a pas terminé la conversion en %1 secondes : elle est abandonnée.")
            .arg(kConversionTimeLimitMs / 1000);
    }
    if (gs.exitStatus() != QProcess::NormalExit || gs.exitCode() != 0) {
        const QString said = ToolMessage(gs.readAll());
        return QStringLiteral("La conversion pour l'imprimeur a échoué (Ghostscript, code %1)%2")
            .arg(gs.exitStatus() == QProcess::NormalExit ? gs.exitCode() : -1)
            .arg(said.isEmpty() ? QStringLiteral(".") : QStringLiteral(" : ") + said);
    }
    return {};
}

// A private file of the conversion in the temporary folder: removed when the export ends, and by
// the signal handler when the program is stopped during it.
class ScratchFile
{
public:
    explicit ScratchFile(const QString &suffix) : file_(QDir::temp().filePath(QStringLiteral("tamvel-XXXXXX") + suffix))
    {
        if (file_.open()) {
            opened_ = true;
            file_.close();
            slot_ = platform::AddLiveTemporary(QFile::encodeName(file_.fileName()).toStdString());
        }
    }
    ~ScratchFile() { platform::DropLiveTemporary(slot_); }
    ScratchFile(const ScratchFile &) = delete;
    ScratchFile &operator=(const ScratchFile &) = delete;

    bool IsValid() const { return opened_; }
    QString Path() const { return file_.fileName(); }

private:
    QTemporaryFile file_;
    bool opened_ = false;
    int slot_ = -1;
};

ExportResult Failure(const QString &error)
{
    ExportResult result;
    result.error = error;
    return result;
}

} // namespace

QString PrintReadyStandard()
{
    return QStringLiteral("PDF/X-3, en CMJN pour l'offset sur papier couché (FOGRA39)");
}

QString PressProfilePath(const QString &executablePath)
{
    const QDir folder = QFileInfo(executablePath).absoluteDir();
    const QString installed = QDir::cleanPath(
        folder.filePath(QLatin1String(resources::kInstalledDataDir) + QLatin1Char('/') + QLatin1String(kProfileName)));
    return QFileInfo::exists(installed) ? installed : folder.filePath(QLatin1String(kProfileName));
}

ExportResult ExportPrintReadyPdf(const QString &path, const LayoutInputs &inputs, const PrintReadyOptions &options)
{
    const QString profile = options.profile.isEmpty() ? PressProfilePath() : options.profile;
    if (!QFileInfo(profile).isFile())
        return Failure(
            QStringLiteral("Le profil de couleur FOGRA39 « %1 » est introuvable : réinstallez Tamvel.").arg(profile));

    // The plain pages on their press sheets and the PostScript that goes before them.
    const ScratchFile pagesFile(QStringLiteral(".pdf"));
    const ScratchFile prefixFile(QStringLiteral(".ps"));
    if (!pagesFile.IsValid() || !prefixFile.IsValid())
        return Failure(CannotWrite(QDir::temp().filePath(QStringLiteral("tamvel-XXXXXX"))));
    const PressSheet sheet = PdfPressSheet(inputs.view.mode, options.bleedMm);
    const QString pages = pagesFile.Path();
    const ExportResult drawn = ExportPdf(pages, inputs, platform::WholeFile::Abandoned::Clear, sheet);
    if (!drawn.ok)
        return drawn;
    const QString prefix = prefixFile.Path();
    const ExportResult written = WriteWholeFile(
        prefix, PdfxPrefix(sheet, profile, QStringLiteral("Année %1").arg(inputs.app.Annee, 4, 10, QLatin1Char('0'))));
    if (!written.ok)
        return written;

    // Ghostscript writes into the whole file's temporary, renamed over the target once complete.
    platform::WholeFile file(path);
    if (!file.Open())
        return FailedWrite(file);

    const QStringList arguments = {
        QStringLiteral("-q"),
        QStringLiteral("-dBATCH"),
        QStringLiteral("-dNOPAUSE"),
        QStringLiteral("-dSAFER"),
        // Ghostscript 10.0's new PDF reader rewrites the text's Unicode map wrongly beyond Latin-1
        // (an em dash came back as "4"): its older reader keeps the words searchable and
        // copyable. Later versions, which have only the new reader, ignore this.
        QStringLiteral("-dNEWPDF=false"),
        QStringLiteral("-sDEVICE=pdfwrite"),
        QStringLiteral("-dPDFSETTINGS=/prepress"),
        QStringLiteral("-dPDFX"),
        QStringLiteral("-dCompatibilityLevel=1.4"),
        QStringLiteral("-sColorConversionStrategy=CMYK"),
        QStringLiteral("-sProcessColorModel=DeviceCMYK"),
        // Landscape pages stay as drawn, not turned to follow their text.
        QStringLiteral("-dAutoRotatePages=/None"),
        QStringLiteral("-sOutputICCProfile=") + profile,
        QStringLiteral("--permit-file-read=") + profile,
        OutputFileArgument(file.TemporaryPath()),
        prefix,
        pages,
    };
    QString error = RunGhostscript(options.ghostscript, arguments);
    if (error.isEmpty() && QFileInfo(file.TemporaryPath()).size() == 0)
        error = QStringLiteral("La conversion pour l'imprimeur n'a rien écrit (Ghostscript).");
    if (!error.isEmpty()) {
        file.Discard();
        return Failure(error);
    }
    if (!file.Commit())
        return FailedWrite(file);
    ExportResult result;
    result.ok = true;
    result.files << path;
    return result;
}
