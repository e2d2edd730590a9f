#include "output/print_ready.h"

#include "images/press_colour.h"
#include "output/press_inks.h"
#include "platform/live_temporaries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include <sys/prctl.h>
#include <unistd.h>

namespace {

// Ghostscript makes its one page of marks in a fraction of a second, however many pages the
// export has; past this it is stuck.
constexpr int kConversionTimeLimitMs = 20'000;
// A frame is the profile and one page of marks: some hundreds of kilobytes.
constexpr qint64 kLargestFrameBytes = 16 << 20;
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

// What Ghostscript makes the frame from: the PDF/X identification, the output intent with its ICC
// profile, and one sheet with its boxes and its crop marks. The marks are in the registration
// colour (the separation "All"), which prints on every plate at 100 %.
QByteArray PdfxPrefix(const PressSheet &sheet, const QString &profile)
{
    QByteArray ps = "%!PS\n";
    ps += "[ /GTS_PDFXVersion (PDF/X-3:2002) /Trapped /False /DOCINFO pdfmark\n";
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
    ps += "<< /PageSize [" + Number(sheet.media.right) + ' ' + Number(sheet.media.top) + "]\n";
    ps += "   /EndPage {\n"
          "  exch pop 2 ne {\n"
          "    [ /TrimBox " +
          Box(sheet.trim) + " /BleedBox " + Box(sheet.bleed) +
          " /PAGE pdfmark\n"
          "    gsave initgraphics [/Separation /All /DeviceCMYK {dup dup dup}] setcolorspace 1 setcolor " +
          Number(kMarkWidth) + " setlinewidth newpath\n" + CropMarks(sheet) +
          "    stroke grestore true\n"
          "  } { false } ifelse\n"
          "} bind >> setpagedevice\n";
    // The page of marks alone, which the drawn pages are set in.
    ps += "showpage\n";
    return ps;
}

// Ghostscript reads a '%' in its output file name as the place of a page number.
QString OutputFileArgument(const QString &path)
{
    return QStringLiteral("-sOutputFile=") + QString(path).replace(QLatin1Char('%'), QStringLiteral("%%"));
}

// Ghostscript's own words are English and technical, with terminal codes at times: the user is
// told in French what kind of failure it was.
QString FailureKind(const QByteArray &output)
{
    const struct {
        const char *word;
        const char *said;
    } kinds[] = {
        {"ioerror", "erreur de lecture ou d'écriture d'un fichier"},
        {"VMerror", "mémoire insuffisante"},
        {"undefinedfilename", "fichier introuvable"},
        {"invalidfileaccess", "accès à un fichier refusé"},
        {"limitcheck", "limite de Ghostscript dépassée"},
    };
    for (const auto &kind : kinds) {
        if (output.contains(kind.word))
            return QString::fromUtf8(kind.said);
    }
    return QStringLiteral("erreur de Ghostscript");
}

// The converter, started at once so that it works while the pages are drawn.
class Converter
{
public:
    Converter(const QString &program, const QStringList &arguments, const QString &scratch)
    {
        gs_.setProcessChannelMode(QProcess::MergedChannels);
        gs_.setStandardInputFile(QProcess::nullDevice());
        // Its own scratch files go with ours, which a later run clears if this one is killed.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), scratch);
        gs_.setProcessEnvironment(environment);
        // Ghostscript goes when the program goes, killed by a signal included: it must not write on
        // into a file the program has given up.
        gs_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
        gs_.start(program, arguments);
        program_ = program;
    }
    ~Converter()
    {
        if (gs_.state() != QProcess::NotRunning) {
            gs_.kill();
            gs_.waitForFinished();
        }
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Waits for the end of the conversion; an empty text when it wrote its output, else why not.
    QString Finish()
    {
        if (!gs_.waitForStarted())
            return QStringLiteral("Ghostscript (« %1 ») est introuvable : installez le paquet ghostscript pour "
                                  "exporter pour l'imprimeur.")
                .arg(program_);
        if (!gs_.waitForFinished(kConversionTimeLimitMs)) {
            gs_.kill();
            gs_.waitForFinished();
            return QStringLiteral("Ghostscript n'a pas terminé la conversion en %1 secondes : elle est abandonnée.")
                .arg(kConversionTimeLimitMs / 1000);
        }
        if (gs_.exitStatus() != QProcess::NormalExit || gs_.exitCode() != 0) {
            const QByteArray said = gs_.readAll();
            return QStringLiteral("La conversion pour l'imprimeur a échoué (Ghostscript, code %1 : %2).")
                .arg(gs_.exitStatus() == QProcess::NormalExit ? gs_.exitCode() : -1)
                .arg(FailureKind(said));
        }
        return {};
    }

private:
    QProcess gs_;
    QString program_;
};

// A private folder for the conversion's files in the temporary folder, removed when the export
// ends; its files also by the signal handler when the program is stopped during it. A run killed
// outright leaves its folder, which the next export clears: the folder's name holds the process
// that made it.
class ScratchFolder
{
public:
    ScratchFolder() : folder_(QDir::temp().filePath(QStringLiteral("tamvel-%1-XXXXXX").arg(getpid())))
    {
        ClearAbandoned();
    }
    ~ScratchFolder()
    {
        for (const int slot : slots_)
            platform::DropLiveTemporary(slot);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    bool IsValid() const { return folder_.isValid(); }
    QString Path() const { return folder_.path(); }
    // A file of the folder, removed if the program is stopped while it exists.
    QString File(const QString &name)
    {
        const QString path = folder_.filePath(name);
        slots_.push_back(platform::AddLiveTemporary(QFile::encodeName(path).toStdString()));
        return path;
    }

private:
    static void ClearAbandoned()
    {
        static const QRegularExpression pattern(QStringLiteral("^tamvel-(\\d+)-......$"));
        const QDir temporary = QDir::temp();
        for (const QString &name :
             temporary.entryList({QStringLiteral("tamvel-*")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QRegularExpressionMatch match = pattern.match(name);
            const pid_t pid = match.hasMatch() ? match.captured(1).toInt() : 0;
            if (pid > 0 && pid != getpid() && kill(pid, 0) != 0 && errno == ESRCH)
                QDir(temporary.filePath(name)).removeRecursively();
        }
    }

    QTemporaryDir folder_;
    std::vector<int> slots_;
};

// The frames made in this process, by converter and PostScript: the rows of a batch share them.
std::mutex framesMutex;
std::map<QString, QByteArray> &Frames()
{
    static std::map<QString, QByteArray> frames;
    return frames;
}

QByteArray MadeFrame(const QString &key)
{
    const std::lock_guard lock(framesMutex);
    const auto found = Frames().find(key);
    return found == Frames().end() ? QByteArray() : found->second;
}

void KeepFrame(const QString &key, const QByteArray &frame)
{
    const std::lock_guard lock(framesMutex);
    Frames()[key] = frame;
}

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
    return press_colour::ProfilePath(executablePath);
}

ExportResult ExportPrintReadyPdf(const QString &path, const LayoutInputs &inputs, const PrintReadyOptions &options)
{
    const QString profile = options.profile.isEmpty() ? PressProfilePath() : options.profile;
    if (!QFileInfo(profile).isFile())
        return Failure(
            QStringLiteral("Le profil de couleur FOGRA39 « %1 » est introuvable : réinstallez Tamvel.").arg(profile));
    ScratchFolder scratch;
    if (!scratch.IsValid())
        return Failure(CannotWrite(QDir::temp().filePath(QStringLiteral("tamvel-XXXXXX"))));
    const PressSheet sheet = PdfPressSheet(inputs.view.mode, options.bleedMm);

    // Ghostscript makes the PDF/X frame the pages are set in: the output intent with its profile,
    // the document's keys, and one sheet with its boxes and its crop marks. Made from a page of
    // marks alone, it runs while the pages are drawn, and a batch asks for it once; the pages
    // themselves are turned into inks in this process (see press_inks.h), which costs a fraction
    // of Ghostscript's reading them back.
    const QByteArray prefix = PdfxPrefix(sheet, profile);
    const QString key = options.ghostscript + QLatin1Char('\n') + QString::fromUtf8(prefix);
    QByteArray frame = MadeFrame(key);
    std::optional<Converter> converter;
    const QString framePdf = scratch.File(QStringLiteral("frame.pdf"));
    if (frame.isEmpty()) {
        const QString prefixFile = scratch.File(QStringLiteral("frame.ps"));
        const ExportResult written = WriteWholeFile(prefixFile, prefix);
        if (!written.ok)
            return written;
        const QStringList arguments = {
            QStringLiteral("-q"),
            QStringLiteral("-dBATCH"),
            QStringLiteral("-dNOPAUSE"),
            QStringLiteral("-dSAFER"),
            QStringLiteral("-sDEVICE=pdfwrite"),
            // PDF/X-3 is PDF 1.3. The frame's keys come from the PostScript; Ghostscript's own
            // PDF/X mode would check a page it has no colours to convert on, for a third of its time.
            QStringLiteral("-dCompatibilityLevel=1.3"),
            QStringLiteral("-dAutoRotatePages=/None"),
            QStringLiteral("--permit-file-read=") + profile,
            OutputFileArgument(framePdf),
            prefixFile,
        };
        converter.emplace(options.ghostscript, arguments, scratch.Path());
    }

    const QString pages = scratch.File(QStringLiteral("pages.pdf"));
    const ExportResult drawn = ExportPdf(pages, inputs, platform::WholeFile::Abandoned::Clear, sheet);
    if (!drawn.ok)
        return drawn;
    if (converter) {
        QString failed = converter->Finish();
        QFile made(framePdf);
        if (failed.isEmpty() && (!made.open(QIODevice::ReadOnly) || made.size() > kLargestFrameBytes))
            failed = QStringLiteral("Ghostscript a rendu un fichier illisible ou démesuré : la conversion pour "
                                    "l'imprimeur est abandonnée.");
        if (!failed.isEmpty()) {
            ExportResult result = Failure(failed);
            result.converterFailed = true;
            return result;
        }
        frame = made.readAll();
    }
    // The pages' photos are taken as they were drawn, before the PDF compressed them.
    const auto photoPixels = [&inputs](int page, QSize size) {
        if (inputs.doc == nullptr || inputs.doc->PageImage(page).IsEmpty())
            return QImage();
        return inputs.doc->PageImage(page).Scaled(size, inputs.view.RecadrerPhotos != 0, true);
    };
    const PressInks press =
        SetPagesInFrame(pages, frame, PageCount(inputs.view.mode),
                        QStringLiteral("Année %1").arg(inputs.app.Annee, 4, 10, QLatin1Char('0')), photoPixels);
    if (!press.error.isEmpty()) {
        ExportResult result = Failure(press.error);
        result.converterFailed = press.converterFailed;
        return result;
    }
    if (converter)
        KeepFrame(key, frame);
    ExportResult result = WriteWholeFile(path, press.pdf);
    if (result.ok)
        result.warnings = LowResolutionPhotos(inputs);
    return result;
}
