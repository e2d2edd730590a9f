#include "app/main_frame.h"
#include "app/tamvel_app.h"
#include "dialogs/load_image.h"
#include "dialogs/load_image_files.h"
#include "images/dib_painter.h"
#include "platform/registry.h"
#include "resources/command_ids.h"
#include "support/scripted_prompts.h"
#include "support/temp_settings.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <memory>

using namespace cmd;

namespace {

class LoadImageTest : public TempSettings
{
protected:
    // A real bitmap file of the given width in the test's folder.
    QString Bitmap(const QString &name, int width)
    {
        QImage picture(width, 4, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(picture.save(path, "BMP"));
        return path;
    }
    void StoreNames(int year, const QString &image1, const QString &image2)
    {
        auto key = platform::RegistryKey::OpenOrCreate(QString::asprintf("Software\\Varnel\\Tamvel\\%04d", year));
        ASSERT_TRUE(key);
        key->SetText(QStringLiteral("Image1"), image1);
        key->SetText(QStringLiteral("Image2"), image2);
    }

    ScriptedPrompts prompts;
};

TEST_F(LoadImageTest, NamesDialogShowsStoresAndCancels)
{
    StoreNames(2025, QStringLiteral("/photos/a.bmp"), QStringLiteral("/photos/b.jpg"));
    {
        CLoadImage dialog(2025);
        EXPECT_EQ(dialog.Name1Edit()->text(), "/photos/a.bmp");
        EXPECT_EQ(dialog.Name2Edit()->text(), "/photos/b.jpg");
        dialog.Name1Edit()->setText(QStringLiteral("/autres/c.dib"));
        dialog.reject();
    }
    EXPECT_EQ(Stored("2025/Image1").toString(), "/photos/a.bmp");
    {
        CLoadImage dialog(2025);
        dialog.Name1Edit()->setText(QStringLiteral("/autres/c.dib"));
        dialog.Name2Edit()->clear();
        dialog.accept();
    }
    EXPECT_EQ(Stored("2025/Image1").toString(), "/autres/c.dib");
    EXPECT_EQ(Stored("2025/Image2").toString(), "");
    // A name typed or pasted longer than the store keeps is refused whole, never cut.
    {
        const QString longName = QStringLiteral("/photos/") + QString(250, u'x') + QStringLiteral(".bmp");
        CLoadImage dialog(2025);
        dialog.Name2Edit()->setText(longName);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(dialog.Name2Edit()->text(), longName);
        EXPECT_EQ(prompts.messages.size(), 1);
    }
    EXPECT_EQ(Stored("2025/Image2").toString(), "");
    // Another year keeps its own names.
    EXPECT_EQ(CLoadImage(2026).Name1Edit()->text(), "");
}

TEST_F(LoadImageTest, BrowseStartsFromTheFieldAndKeepsItOnCancel)
{
    CLoadImage dialog(2025);
    dialog.Name2Edit()->setText(QStringLiteral("/photos/old.bmp"));
    prompts.openFileNames = QStringList{QStringLiteral("/photos/new.jpg"), QString(), QString(300, 'x') + ".bmp"};
    dialog.OnBrowse2();
    EXPECT_EQ(dialog.Name2Edit()->text(), "/photos/new.jpg");
    dialog.OnBrowse2();
    EXPECT_EQ(dialog.Name2Edit()->text(), "/photos/new.jpg");
    EXPECT_EQ(prompts.openStarts, (QStringList{"/photos/old.bmp", "/photos/new.jpg"}));
    EXPECT_TRUE(prompts.openFilters.first().contains("*.bmp *.dib *.jpg"));
    // A name the store could only keep cut is refused.
    dialog.OnBrowse1();
    EXPECT_EQ(dialog.Name1Edit()->text(), "");
    EXPECT_EQ(prompts.messages.size(), 1);
}

TEST_F(LoadImageTest, ProgressDialogLoadsBothImagesOnce)
{
    AppSettings app;
    app.Annee = 2025;
    CTamvelDoc doc(app);
    doc.Image1 = Bitmap(QStringLiteral("one.bmp"), 6);
    doc.Image2 = dir_.filePath(QStringLiteral("absent.bmp"));
    CLoadImageFiles dialog(doc, nullptr);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(SizeOf(doc.Dib1).width, 6);
    EXPECT_TRUE(doc.Dib2.IsEmpty());
    EXPECT_EQ(prompts.messages, QStringList{doc.Image2 + " est introuvable."});
    // A late tick loads nothing again.
    dialog.OnTimer();
    EXPECT_EQ(prompts.messages.size(), 1);
}

class LoadImageCommandTest : public LoadImageTest
{
protected:
    void SetUp() override
    {
        LoadImageTest::SetUp();
        frame_ = std::make_unique<CMainFrame>(tamvel_.Settings, &tamvel_.Document);
        frame_->SetOpenYearHandler([this](int year) { tamvel_.OpenYear(year); });
        tamvel_.DocumentChanged = [this] { frame_->OnNewDocument(); };
        tamvel_.Document.LoadImages = [this](CTamvelDoc &doc) { LoadImagesWithProgress(doc, frame_.get()); };
        tamvel_.InitInstance(2025);
        frame_->Dispatch(ID_VERTICAL_PHOTO);
    }
    void TearDown() override
    {
        frame_.reset();
        LoadImageTest::TearDown();
    }

    // Runs the command; `answer` works the names dialog once it is open.
    void WhileNamesOpen(const std::function<void(CLoadImage &)> &answer)
    {
        bool answered = false;
        QTimer poll;
        int ticks = 0;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto *dialog = qobject_cast<CLoadImage *>(QApplication::activeModalWidget())) {
                poll.stop();
                answered = true;
                answer(*dialog);
            } else if (++ticks > 250) {
                poll.stop();
            }
        });
        poll.start(20);
        EXPECT_TRUE(frame_->Dispatch(ID_CHARGER_IMAGES));
        EXPECT_TRUE(answered);
    }

    CTamvelApp tamvel_;
    std::unique_ptr<CMainFrame> frame_;
};

TEST_F(LoadImageCommandTest, OkReloadsTheYearWithTheNewImagesCancelKeepsThem)
{
    const QString first = Bitmap(QStringLiteral("first.BMP"), 3);
    const QString second = Bitmap(QStringLiteral("second.bmp"), 5);
    WhileNamesOpen([&](CLoadImage &dialog) {
        dialog.Name1Edit()->setText(first);
        dialog.Name2Edit()->setText(second);
        dialog.accept();
    });
    EXPECT_EQ(tamvel_.Settings.Annee, 2025);
    EXPECT_EQ(tamvel_.Document.Image1, first);
    EXPECT_EQ(SizeOf(tamvel_.Document.Dib1).width, 3);
    EXPECT_EQ(SizeOf(tamvel_.Document.Dib2).width, 5);

    WhileNamesOpen([&](CLoadImage &dialog) {
        dialog.Name1Edit()->clear();
        dialog.reject();
    });
    EXPECT_EQ(Stored("2025/Image1").toString(), first);
    EXPECT_EQ(SizeOf(tamvel_.Document.Dib1).width, 3);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

} // namespace
