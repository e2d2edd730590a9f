#include "output/printing.h"
#include "platform/registry.h"
#include "support/pdf_text.h"
#include "support/scripted_prompts.h"
#include "view/print_dialogs.h"
#include "view/tamvel_view.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class PrintCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        platform::SetSettingsFile(dir.filePath(QStringLiteral("tamvel.conf")));
        app.Annee = 2027;
    }

    void TearDown() override
    {
        OverridePrinterInstalled(std::nullopt);
        platform::SetSettingsFile(QString());
    }

    // Runs `inspect` on the modal dialog that `open` shows, as soon as `ready` says it is, then
    // lets `inspect` close it. Gives up (rejecting whatever is open) after five seconds.
    static void WhileModal(const std::function<void()> &open, const std::function<bool(QWidget *)> &ready,
                           const std::function<void(QWidget *)> &inspect)
    {
        QTimer poll;
        int ticks = 0;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal != nullptr && ready(modal)) {
                poll.stop();
                inspect(modal);
            } else if (++ticks > 250 && modal != nullptr) {
                poll.stop();
                ADD_FAILURE() << "the dialog never became ready";
                QMetaObject::invokeMethod(modal, "reject");
            }
        });
        poll.start(20);
        open();
    }

    QTemporaryDir dir;
    AppSettings app;
    CTamvelDoc doc{app};
    ScriptedPrompts prompts;
};

TEST_F(PrintCommandsTest, WithoutPrinterPrintingAndSetupSaySoInFrench)
{
    OverridePrinterInstalled(false);
    CTamvelView view(app, &doc);
    view.OnFilePrint();
    view.OnFilePrintDirect();
    RunPrintSetup(&view, view.Printer());
    ASSERT_EQ(prompts.messages.size(), 3);
    for (const QString &message : prompts.messages)
        EXPECT_TRUE(message.startsWith(QStringLiteral("Aucune imprimante n'est installée"))) << message.toStdString();
}

TEST_F(PrintCommandsTest, ExportFromTheMenuWritesEveryPageOfTheMode)
{
    CTamvelView view(app, &doc);
    view.OnHorizontal();
    prompts.saveFileNames << dir.filePath(QStringLiteral("mon-calendrier"));
    view.OnFileExportToPdf();
    EXPECT_TRUE(prompts.messages.isEmpty());
    ASSERT_EQ(prompts.suggestions.size(), 1);
    EXPECT_TRUE(prompts.suggestions[0].endsWith(QStringLiteral("calendrier-2027.pdf")));
    // The extension is added when the user leaves it out.
    const auto pages = ReadPdfText(dir.filePath(QStringLiteral("mon-calendrier.pdf")));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(pages[1].Find(QStringLiteral("Juillet")));

    // Cancelling writes nothing and says nothing.
    view.OnFileExportToPdf();
    EXPECT_TRUE(prompts.messages.isEmpty());

    prompts.saveFileNames << QStringLiteral("/nonexistent-dir/x.pdf");
    view.OnFileExportToPdf();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("/nonexistent-dir/x.pdf")));
}

TEST_F(PrintCommandsTest, EveryJobTakesTheOrientationOfItsMode)
{
    QPrinter printer;
    OnBeginPrinting(printer, DisplayMode::Horizontal);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    OnBeginPrinting(printer, DisplayMode::VerticalPhoto);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    OnBeginPrinting(printer, DisplayMode::HorizontalLargeCells);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(PrintCommandsTest, PrintSetupOpensAndLeavesPortrait)
{
    OverridePrinterInstalled(true);
    QPrinter printer;
    OnBeginPrinting(printer, DisplayMode::Horizontal); // after a landscape job
    QPageLayout::Orientation whileOpen = QPageLayout::Landscape;
    WhileModal([&] { RunPrintSetup(nullptr, printer); }, [](QWidget *) { return true; },
               [&](QWidget *dialog) {
                   whileOpen = printer.pageLayout().orientation();
                   QMetaObject::invokeMethod(dialog, "reject");
               });
    EXPECT_EQ(whileOpen, QPageLayout::Portrait);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
}

TEST_F(PrintCommandsTest, PreviewShowsThePagesTurnsThemAndRemembersTwoPages)
{
    CTamvelView view(app, &doc);
    view.OnGrandesCases();
    int pageCount = 0;
    int afterPageDown = 0;
    int shownNumber = 0;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    auto pagesOf = [](QWidget *modal) { return modal->findChild<QPrintPreviewWidget *>(); };
    WhileModal(
        [&] { view.OnFilePrintPreview(); },
        [&](QWidget *modal) { return qobject_cast<QPrintPreviewDialog *>(modal) && pagesOf(modal)->pageCount() > 0; },
        [&](QWidget *modal) {
            QPrintPreviewWidget *pages = pagesOf(modal);
            pageCount = pages->pageCount();
            orientation = pages->orientation();
            // Shortcuts reach the active window only.
            modal->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(modal));
            QTest::keyClick(modal, Qt::Key_PageDown);
            afterPageDown = pages->currentPage();
            // The window's own page number follows.
            for (const QLineEdit *edit : modal->findChildren<QLineEdit *>())
                shownNumber += edit->text() == QStringLiteral("2");
            pages->setViewMode(QPrintPreviewWidget::FacingPagesView);
            // The window's Print button is the Print command, and the mode sets the orientation.
            OverridePrinterInstalled(false);
            for (QAction *action : modal->findChildren<QAction *>()) {
                if (action->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print")) {
                    action->trigger();
                } else if (action->text() == QCoreApplication::translate("QPrintPreviewDialog", "Landscape")) {
                    EXPECT_FALSE(action->isVisible());
                }
            }
            QTest::keyClick(modal, Qt::Key_Escape);
        });
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Aucune imprimante")));
    EXPECT_EQ(pageCount, 12);
    EXPECT_EQ(orientation, QPageLayout::Landscape);
    EXPECT_EQ(afterPageDown, 2);
    EXPECT_EQ(shownNumber, 1);
    const auto key = platform::RegistryKey::Open(QStringLiteral("Software\\Tamvel\\Genérateur de Tamvel\\Settings"));
    ASSERT_TRUE(key);
    EXPECT_EQ(key->QueryNumber(QStringLiteral("PreviewPages")), 2u);
}

TEST_F(PrintCommandsTest, TheDialogOffersARangeOnlyForSeveralPagesAndTheJobClipsIt)
{
    const struct {
        DisplayMode mode;
        bool rangeOffered;
        int maxPage;
        std::pair<int, int> range, printed;
    } cases[] = {
        {DisplayMode::Vertical, false, 1, {1, 2}, {1, 1}},
        {DisplayMode::Horizontal, true, 2, {2, 9}, {2, 2}},
        {DisplayMode::VerticalPhoto, true, 2, {1, 1}, {1, 1}},
        {DisplayMode::HorizontalLargeCells, true, 12, {3, 5}, {3, 5}},
        {DisplayMode::HorizontalLargeCells, true, 12, {11, 14}, {11, 12}},
    };
    for (const auto &c : cases) {
        QPrinter printer;
        QPrintDialog dialog(&printer);
        PreparePrintDialog(dialog, c.mode);
        EXPECT_EQ(dialog.testOption(QAbstractPrintDialog::PrintPageRange), c.rangeOffered);
        EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintSelection));
        EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintCurrentPage));
        EXPECT_EQ(dialog.minPage(), 1);
        EXPECT_EQ(dialog.maxPage(), c.maxPage);
        EXPECT_EQ(PagesToPrint(printer, c.mode), std::make_pair(1, c.maxPage)) << "all pages";
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(c.range.first, c.range.second);
        EXPECT_EQ(PagesToPrint(printer, c.mode), c.printed) << c.maxPage << " pages";
    }
}

TEST_F(PrintCommandsTest, AJobPrintsTheChosenRangeClippedToTheMode)
{
    ViewState state;
    state.mode = DisplayMode::HorizontalLargeCells;
    const QString path = dir.filePath(QStringLiteral("range.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    OnBeginPrinting(printer, state.mode);
    ASSERT_TRUE(PrintPages(printer, {app, state, &doc}, 3, 5));
    auto pages = ReadPdfText(path);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_TRUE(pages[0].Find(QStringLiteral("Mars")));
    EXPECT_TRUE(pages[1].Find(QStringLiteral("Avril")));
    EXPECT_TRUE(pages[2].Find(QStringLiteral("Mai")));

    // A range beyond the mode's count stops at its last page.
    state.mode = DisplayMode::Horizontal;
    printer.setOutputFileName(dir.filePath(QStringLiteral("clip.pdf")));
    ASSERT_TRUE(PrintPages(printer, {app, state, &doc}, 2, 9));
    pages = ReadPdfText(dir.filePath(QStringLiteral("clip.pdf")));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].Find(QStringLiteral("Décembre")));
}

} // namespace
