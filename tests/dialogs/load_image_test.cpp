#include "app/main_frame.h"
#include "app/tamvel_app.h"
#include "dialogs/load_image.h"
#include "dialogs/load_image_files.h"
#include "platform/registry.h"
#include "resources/command_ids.h"
#include "support/scripted_prompts.h"
#include "support/temp_settings.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

using namespace cmd;

namespace {

// Stands for the decode of a very large photo: works on `slowName` until a stop is requested (or
// for 20 s, far longer than any test waits), and tells whether it was stopped. Other names
// load for real.
struct SlowPhoto {
    QString slowName;
    std::atomic<bool> started{false};
    std::atomic<bool> finished{false};
    std::atomic<bool> stopped{false};

    static PhotoLoader::Decoder Decoder(const std::shared_ptr<SlowPhoto> &slow)
    {
        return [slow](const QString &path, std::stop_token stop) {
            if (path != slow->slowName)
                return LoadPhotoFile(path, stop);
            slow->started = true;
            for (int i = 0; i < 2000 && !stop.stop_requested(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            slow->stopped = stop.stop_requested();
            slow->finished = true;
            return PhotoLoad{};
        };
    }
};

// Runs the event loop until `done` holds, for at most about 20 s.
bool ProcessEventsUntil(const std::function<bool()> &done)
{
    for (int i = 0; i < 2000 && !done(); ++i)
        QTest::qWait(10);
    return done();
}

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

TEST_F(LoadImageTest, PhotosArriveAfterTheWindowAndNeverFromAYearLeft)
{
    AppSettings app;
    app.Annee = 2025;
    CTamvelDoc doc(app);
    PhotoLoader loader(doc, nullptr);
    doc.LoadImages = [&loader](CTamvelDoc &) { loader.Start(); };
    doc.WaitForImages = [&loader] { loader.Wait(); };
    int repaints = 0;
    doc.UpdateAllViews = [&repaints] { ++repaints; };
    StoreNames(2025, Bitmap(QStringLiteral("one.bmp"), 6), dir_.filePath(QStringLiteral("absent.bmp")));
    StoreNames(2026, Bitmap(QStringLiteral("two.bmp"), 9), QString());

    // 2025 is left before its photos arrive: 2026's come, 2025's and their messages never do.
    doc.OnNewDocument();
    app.Annee = 2026;
    doc.OnNewDocument();
    QSignalSpy delivered(&loader, &PhotoLoader::Delivered);
    ASSERT_TRUE(delivered.wait(5000));
    QTest::qWait(50);
    EXPECT_EQ(delivered.count(), 1);
    EXPECT_EQ(doc.Photo1.Size(), QSize(9, 4));
    EXPECT_EQ(repaints, 1);
    EXPECT_TRUE(prompts.messages.isEmpty());

    // An export waits for the photos and gets them, with their messages shown in order.
    app.Annee = 2025;
    doc.OnNewDocument();
    EXPECT_TRUE(doc.Photo1.IsEmpty());
    doc.FinishImageLoading();
    EXPECT_EQ(doc.Photo1.Size(), QSize(6, 4));
    EXPECT_TRUE(doc.Photo2.IsEmpty());
    EXPECT_EQ(prompts.messages, QStringList{dir_.filePath(QStringLiteral("absent.bmp")) + " est introuvable."});
    EXPECT_FALSE(loader.Busy());
}

TEST_F(LoadImageTest, AYearChangeStopsTheDecodesOfTheYearLeft)
{
    AppSettings app;
    app.Annee = 2025;
    CTamvelDoc doc(app);
    auto slow = std::make_shared<SlowPhoto>();
    slow->slowName = dir_.filePath(QStringLiteral("large.jpg"));
    PhotoLoader loader(doc, nullptr, SlowPhoto::Decoder(slow));
    doc.LoadImages = [&loader](CTamvelDoc &) { loader.Start(); };
    doc.WaitForImages = [&loader] { loader.Wait(); };
    StoreNames(2025, slow->slowName, QString());
    StoreNames(2026, Bitmap(QStringLiteral("two.bmp"), 9), QString());

    doc.OnNewDocument();
    ASSERT_TRUE(ProcessEventsUntil([&] { return slow->started.load(); }));
    app.Annee = 2026;
    doc.OnNewDocument();
    doc.FinishImageLoading();
    EXPECT_EQ(doc.Photo1.Size(), QSize(9, 4));
    ASSERT_TRUE(ProcessEventsUntil([&] { return slow->finished.load(); }));
    EXPECT_TRUE(slow->stopped);
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
        loader_ = std::make_unique<PhotoLoader>(tamvel_.Document, frame_.get());
        tamvel_.Document.LoadImages = [this](CTamvelDoc &) { loader_->Start(); };
        tamvel_.Document.WaitForImages = [this] { loader_->Wait(); };
        tamvel_.InitInstance(2025);
        frame_->Dispatch(ID_VERTICAL_PHOTO);
    }
    void TearDown() override
    {
        frame_.reset();
        loader_.reset();
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
    std::unique_ptr<PhotoLoader> loader_;
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
    tamvel_.Document.FinishImageLoading();
    EXPECT_EQ(tamvel_.Document.Photo1.Size().width(), 3);
    EXPECT_EQ(tamvel_.Document.Photo2.Size().width(), 5);

    WhileNamesOpen([&](CLoadImage &dialog) {
        dialog.Name1Edit()->clear();
        dialog.reject();
    });
    EXPECT_EQ(Stored("2025/Image1").toString(), first);
    EXPECT_EQ(tamvel_.Document.Photo1.Size().width(), 3);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(LoadImageCommandTest, QuittingWhilePhotosLoadEndsTheProgram)
{
    auto slow = std::make_shared<SlowPhoto>();
    slow->slowName = dir_.filePath(QStringLiteral("large.jpg"));
    loader_ = std::make_unique<PhotoLoader>(tamvel_.Document, frame_.get(), SlowPhoto::Decoder(slow));
    StoreNames(2026, slow->slowName, slow->slowName);
    frame_->show();
    tamvel_.OnNextYear();
    ASSERT_TRUE(ProcessEventsUntil([&] { return slow->started.load(); }));
    const auto *progress = frame_->findChild<CLoadImageFiles *>();
    ASSERT_TRUE(progress != nullptr && progress->isVisible());
    // The windows paint while the photos decode: painting never waits for a decoder's thread.
    QTest::qWait(100);
    EXPECT_FALSE(slow->finished);

    // The loop ends by itself; the timer only keeps a failing test from hanging.
    QTimer::singleShot(0, frame_.get(), [this] { frame_->Dispatch(ID_APP_EXIT); });
    QTimer hang;
    hang.setSingleShot(true);
    QObject::connect(&hang, &QTimer::timeout, [] { QApplication::exit(1); });
    hang.start(20000);
    EXPECT_EQ(QApplication::exec(), 0);
    loader_.reset();
    EXPECT_TRUE(slow->stopped);
}

} // namespace
