#include "app/main_frame.h"
#include "app/tamvel_app.h"
#include "dialogs/edit_color.h"
#include "dialogs/edit_pub.h"
#include "dialogs/new_annee.h"
#include "resources/command_ids.h"
#include "support/temp_settings.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

using namespace cmd;

namespace {

class DialogCommandsTest : public TempSettings
{
protected:
    void SetUp() override
    {
        TempSettings::SetUp();
        frame_ = std::make_unique<CMainFrame>(tamvel_.Settings, &tamvel_.Document);
        frame_->SetAppCommandHandler([this](int id) { return tamvel_.OnCommand(id); });
        frame_->SetOpenYearHandler([this](int year) { tamvel_.OpenYear(year); });
        tamvel_.DocumentChanged = [this] { frame_->OnNewDocument(); };
        tamvel_.InitInstance(2024);
    }
    void TearDown() override
    {
        frame_.reset();
        TempSettings::TearDown();
    }

    // Runs the command and lets `answer` work the modal dialog it opens; gives up (rejecting
    // it) after five seconds.
    template <typename Dialog>
    void WhileOpen(int id, const std::function<void(Dialog &)> &answer)
    {
        bool answered = false;
        QTimer poll;
        int ticks = 0;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            if (dialog != nullptr) {
                poll.stop();
                answered = true;
                answer(*dialog);
            } else if (++ticks > 250) {
                poll.stop();
                if (QWidget *modal = QApplication::activeModalWidget())
                    QMetaObject::invokeMethod(modal, "reject");
            }
        });
        poll.start(20);
        EXPECT_TRUE(frame_->Dispatch(id));
        EXPECT_TRUE(answered);
    }

    CTamvelApp tamvel_;
    std::unique_ptr<CMainFrame> frame_;
};

} // namespace

TEST_F(DialogCommandsTest, NewYearOpensTheChosenYearOrNothingOnCancel)
{
    WhileOpen<CNewAnnee>(ID_NOUVELLE_ANNEE, [](CNewAnnee &dialog) {
        EXPECT_EQ(dialog.YearEdit()->text(), "2024");
        dialog.YearEdit()->selectAll();
        QTest::keyClicks(dialog.YearEdit(), "1999");
        dialog.OkButton()->click();
    });
    EXPECT_EQ(tamvel_.Settings.Annee, 1999);
    EXPECT_TRUE(frame_->windowTitle().contains("Année 1999"));

    WhileOpen<CNewAnnee>(ID_NOUVELLE_ANNEE, [](CNewAnnee &dialog) {
        dialog.UpArrow()->click();
        dialog.reject();
    });
    EXPECT_EQ(tamvel_.Settings.Annee, 1999);
}

TEST_F(DialogCommandsTest, ColourAndAdvertisingDialogsStoreOnOk)
{
    WhileOpen<CEditColor>(ID_COULEURS, [](CEditColor &dialog) {
        dialog.Colour2Edit()->setText("0000FF");
        dialog.OkButton()->click();
    });
    EXPECT_EQ(tamvel_.Settings.Color_NTrav, 0x0000FFu);
    EXPECT_EQ(Stored("Settings/Color_NTrav").toUInt(), 0x0000FFu);

    // The advertising command is enabled only while the lines are shown.
    frame_->Dispatch(ID_PUB);
    WhileOpen<CEditPub>(ID_EDIT_PUB, [](CEditPub &dialog) {
        dialog.Line1Edit()->setText("Chez Marcel");
        dialog.accept();
    });
    EXPECT_EQ(tamvel_.Settings.Pub1, "Chez Marcel");
    EXPECT_EQ(Stored("Settings/Pub1").toString(), "Chez Marcel");
}
