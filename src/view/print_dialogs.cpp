#include "view/print_dialogs.h"

#include "document/settings_keys.h"
#include "output/calendar_export.h"
#include "output/print_ready.h"
#include "output/printing.h"
#include "platform/application_title.h"
#include "platform/registry.h"
#include "platform/user_prompts.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeySequence>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QShortcut>

#include <algorithm>
#include <cmath>

namespace {

// Set by tests; otherwise the system is asked.
std::optional<bool> printerInstalledOverride;

// Where the preview keeps its one-or-two-pages choice.
const QString kPreviewKey =
    QStringLiteral("Software\\Tamvel\\") + platform::ApplicationTitle() + QStringLiteral("\\Settings");
const QString kPreviewPages = QStringLiteral("PreviewPages");

QString NoPrinterMessage()
{
    return QStringLiteral("Aucune imprimante n'est installée sur cet ordinateur.\n"
                          "L'aperçu avant impression et « Exporter en PDF... » du menu Fichier restent "
                          "disponibles.");
}

bool RequirePrinter(QWidget *parent)
{
    if (PrinterInstalled())
        return true;
    platform::Prompts().Message(parent, platform::ApplicationTitle(), NoPrinterMessage());
    return false;
}

int StoredPreviewPages()
{
    if (const auto key = platform::RegistryKey::Open(kPreviewKey))
        if (const auto pages = key->QueryNumber(kPreviewPages))
            return *pages == 2 ? 2 : 1;
    return 1;
}

void StorePreviewPages(int pages)
{
    if (auto key = platform::RegistryKey::OpenOrCreate(kPreviewKey))
        key->SetNumber(kPreviewPages, static_cast<std::uint32_t>(pages));
}

void SetPortrait(QPrinter &printer)
{
    printer.setPageOrientation(QPageLayout::Portrait);
}

} // namespace

bool PrinterInstalled()
{
    return printerInstalledOverride.value_or(!QPrinterInfo::availablePrinterNames().isEmpty());
}

void OverridePrinterInstalled(std::optional<bool> installed)
{
    printerInstalledOverride = installed;
}

void PreparePrintDialog(QPrintDialog &dialog, DisplayMode mode)
{
    const int pages = PageCount(mode);
    // Setting the bounds offers a range: the options come after them.
    dialog.setMinMax(1, pages);
    QAbstractPrintDialog::PrintDialogOptions options = dialog.options();
    options.setFlag(QAbstractPrintDialog::PrintSelection, false);
    options.setFlag(QAbstractPrintDialog::PrintCurrentPage, false);
    // A single page has no range to choose.
    options.setFlag(QAbstractPrintDialog::PrintPageRange, pages > 1);
    dialog.setOptions(options);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
}

std::pair<int, int> PagesToPrint(const QPrinter &printer, DisplayMode mode)
{
    const int pages = PageCount(mode);
    if (pages == 1 || printer.printRange() != QPrinter::PageRange)
        return {1, pages};
    const int from = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int to = printer.toPage() > 0 ? printer.toPage() : pages;
    return {std::clamp(from, 1, pages), std::clamp(to, 1, pages)};
}

bool RunPrintJob(QWidget *parent, QPrinter &printer, const LayoutInputs &inputs, bool withDialog)
{
    if (!RequirePrinter(parent))
        return false;
    const DisplayMode mode = inputs.view.mode;
    if (withDialog) {
        QPrintDialog dialog(&printer, parent);
        PreparePrintDialog(dialog, mode);
        if (dialog.exec() != QDialog::Accepted)
            return false;
    } else {
        printer.setPrintRange(QPrinter::AllPages);
    }
    OnBeginPrinting(printer, mode);
    const auto [from, to] = PagesToPrint(printer, mode);
    if (!PrintPages(printer, inputs, from, to))
        platform::Prompts().Message(parent, platform::ApplicationTitle(),
                                    QStringLiteral("Impossible de lancer l'impression."));
    return true;
}

namespace {

// One of the preview window's own actions, found by the text Qt gives it.
QAction *PreviewAction(QPrintPreviewDialog &preview, const char *text)
{
    const QString translated = QCoreApplication::translate("QPrintPreviewDialog", text);
    for (QAction *action : preview.findChildren<QAction *>())
        if (action->text() == translated)
            return action;
    return nullptr;
}

} // namespace

void RunPrintPreview(QWidget *parent, QPrinter &printer, const LayoutInputs &inputs)
{
    const DisplayMode mode = inputs.view.mode;
    OnBeginPrinting(printer, mode);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [&inputs, mode](QPrinter *target) {
        OnBeginPrinting(*target, mode);
        PrintPages(*target, inputs, 1, PageCount(mode));
    });

    // Qt's own Print button would print every page whatever range was typed, and say nothing
    // when the job fails: it runs the Print command instead.
    if (QAction *print = PreviewAction(preview, "Print")) {
        QObject::disconnect(print, &QAction::triggered, &preview, nullptr);
        QObject::connect(print, &QAction::triggered, &preview, [&preview, &printer, &inputs] {
            if (RunPrintJob(&preview, printer, inputs, true))
                preview.accept();
        });
    }
    for (const char *orientation : {"Portrait", "Landscape"})
        if (QAction *action = PreviewAction(preview, orientation))
            action->setVisible(false);

    auto *pagesView = preview.findChild<QPrintPreviewWidget *>();
    if (pagesView != nullptr) {
        pagesView->setViewMode(StoredPreviewPages() == 2 ? QPrintPreviewWidget::FacingPagesView
                                                         : QPrintPreviewWidget::SinglePageView);
        // Page Down and Page Up turn the pages, Escape closes (the dialog's own key).
        const auto turn = [pagesView](int step) {
            pagesView->setCurrentPage(pagesView->currentPage() + step);
            // The window's page number and arrows follow this signal only.
            emit pagesView->previewChanged();
        };
        auto *next = new QShortcut(QKeySequence(Qt::Key_PageDown), &preview);
        QObject::connect(next, &QShortcut::activated, pagesView, [turn] { turn(1); });
        auto *previous = new QShortcut(QKeySequence(Qt::Key_PageUp), &preview);
        QObject::connect(previous, &QShortcut::activated, pagesView, [turn] { turn(-1); });
    }
    preview.resize(parent != nullptr ? parent->size() : QSize(1000, 800));
    preview.exec();

    if (pagesView != nullptr)
        StorePreviewPages(pagesView->viewMode() == QPrintPreviewWidget::FacingPagesView ? 2 : 1);
}

void RunPrintSetup(QWidget *parent, QPrinter &printer)
{
    if (!RequirePrinter(parent))
        return;
    SetPortrait(printer);
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
    SetPortrait(printer);
}

namespace {

// The PDF file to write, asked with a suggested name; empty when cancelled.
QString AskPdfFileName(QWidget *parent, const QString &caption, const QString &suggestedName)
{
    QString path =
        platform::Prompts().SaveFileName(parent, caption, suggestedName, QStringLiteral("Documents PDF (*.pdf)"));
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    return path;
}

QString YearText(const LayoutInputs &inputs)
{
    return QStringLiteral("%1").arg(inputs.app.Annee, 4, 10, QLatin1Char('0'));
}

// The bleed of the last print-ready export, kept in tenths of a millimetre.
const QString kBleedValue = QStringLiteral("FondPerdu");

double StoredBleedMm()
{
    if (const auto key = platform::RegistryKey::Open(settings_keys::Settings()))
        if (const auto tenths = key->QueryNumber(kBleedValue); tenths && *tenths <= kMaxBleedMm * 10)
            return *tenths / 10.0;
    return kDefaultBleedMm;
}

void StoreBleedMm(double bleedMm)
{
    if (auto key = platform::RegistryKey::OpenOrCreate(settings_keys::Settings()))
        key->SetNumber(kBleedValue, static_cast<std::uint32_t>(std::lround(bleedMm * 10)));
}

// What the user should know of a file that was written (a photo printed at too few pixels).
void ShowWarnings(QWidget *parent, const ExportResult &result)
{
    if (!result.warnings.isEmpty())
        platform::Prompts().Message(parent, platform::ApplicationTitle(), result.warnings.join(QLatin1Char('\n')),
                                    platform::MessageIcon::Exclamation);
}

} // namespace

QString RunPdfExport(QWidget *parent, const LayoutInputs &inputs)
{
    const QString path = AskPdfFileName(parent, QStringLiteral("Exporter en PDF"),
                                        QStringLiteral("calendrier-%1.pdf").arg(YearText(inputs)));
    if (path.isEmpty())
        return {};
    const ExportResult result = ExportPdf(path, inputs);
    if (!result.ok) {
        platform::Prompts().Message(parent, platform::ApplicationTitle(), result.error);
        return {};
    }
    ShowWarnings(parent, result);
    return path;
}

QString RunPrintReadyExport(QWidget *parent, const LayoutInputs &inputs)
{
    bool accepted = false;
    const double bleedMm =
        QInputDialog::getDouble(parent, QStringLiteral("Exporter pour l'imprimeur"),
                                QStringLiteral("Fond perdu autour de chaque page, en millimètres (%1 à %2) :")
                                    .arg(kMinBleedMm)
                                    .arg(kMaxBleedMm),
                                StoredBleedMm(), kMinBleedMm, kMaxBleedMm, 1, &accepted);
    if (!accepted)
        return {};
    StoreBleedMm(bleedMm);
    const QString path = AskPdfFileName(parent, QStringLiteral("Exporter pour l'imprimeur"),
                                        QStringLiteral("calendrier-%1-imprimeur.pdf").arg(YearText(inputs)));
    if (path.isEmpty())
        return {};
    PrintReadyOptions options;
    options.bleedMm = bleedMm;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const ExportResult result = ExportPrintReadyPdf(path, inputs, options);
    QGuiApplication::restoreOverrideCursor();
    if (!result.ok) {
        platform::Prompts().Message(parent, platform::ApplicationTitle(), result.error,
                                    platform::MessageIcon::Exclamation);
        return {};
    }
    ShowWarnings(parent, result);
    return path;
}
