#include "dialogs/edit_color.h"
#include "dialogs/edit_pub.h"
#include "document/app_settings.h"
#include "support/scripted_prompts.h"
#include "support/temp_settings.h"
#include "support/typing.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// What the store gives back to a fresh start.
AppSettings Reloaded()
{
    AppSettings app;
    app.LoadPubSettings();
    app.LoadColorSettings();
    return app;
}

class EditPubTest : public TempSettings
{
protected:
    void SetUp() override
    {
        TempSettings::SetUp();
        app = Reloaded();
    }

    AppSettings app;
};

using EditColorTest = EditPubTest;

} // namespace

TEST_F(EditPubTest, ShowsTheLinesAndStoresThemOnOk)
{
    app.Pub1 = "Imprimerie du Port";
    app.Pub2 = "Bonne année";
    CEditPub dialog(app);
    EXPECT_EQ(dialog.windowTitle(), "Modification du texte de la publicité");
    EXPECT_EQ(dialog.Line1Edit()->text(), "Imprimerie du Port");
    EXPECT_EQ(dialog.Line2Edit()->text(), "Bonne année");
    Type(dialog.Line1Edit(), "Librairie Écrivain");
    Type(dialog.Line2Edit(), "");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(app.Pub1, "Librairie Écrivain");
    EXPECT_EQ(app.Pub2, "");
    const AppSettings stored = Reloaded();
    EXPECT_EQ(stored.Pub1, "Librairie Écrivain");
    EXPECT_EQ(stored.Pub2, "");
}

TEST_F(EditPubTest, LinesAreLimitedToWhatTheStoreKeeps)
{
    CEditPub dialog(app);
    dialog.Line1Edit()->setText(QString(1100, QChar(u'a')));
    EXPECT_EQ(dialog.Line1Edit()->text().size(), 254);
    QTest::keyClicks(dialog.Line1Edit(), "b");
    EXPECT_EQ(dialog.Line1Edit()->text().size(), 254);
    dialog.accept();
    // What the next start reads back is what the dialog showed.
    EXPECT_EQ(Reloaded().Pub1, QString(254, QChar(u'a')));
}

TEST_F(EditPubTest, ResetShowsTheDefaultsAndOnlyOkStoresThem)
{
    app.Pub1 = "Un";
    app.Pub2 = "Deux";
    {
        CEditPub dialog(app);
        dialog.ResetButton()->click();
        EXPECT_EQ(dialog.Line1Edit()->text(), AppSettings::DefaultPub1());
        EXPECT_EQ(dialog.Line2Edit()->text(), AppSettings::DefaultPub2());
        dialog.reject();
    }
    EXPECT_EQ(app.Pub1, "Un");
    EXPECT_EQ(app.Pub2, "Deux");
    EXPECT_TRUE(StoredKeys("Settings").isEmpty());

    CEditPub dialog(app);
    dialog.ResetButton()->click();
    dialog.accept();
    EXPECT_EQ(app.Pub1, AppSettings::DefaultPub1());
    EXPECT_EQ(Stored("Settings/Pub2").toString(), AppSettings::DefaultPub2());
}

TEST_F(EditColorTest, ShowsColoursAsBlueGreenRedDigits)
{
    // Stored with a top byte the drawing ignores: red and blue are what the page shows.
    WriteFile("[Settings]\nColor_Sem_Mois=301990143\nColor_NTrav=4294901760\n"); // 0x120000FF, 0xFFFF0000
    app = Reloaded();
    CEditColor dialog(app);
    EXPECT_EQ(dialog.windowTitle(), "Choix des couleurs des fonds");
    EXPECT_EQ(dialog.Colour1Edit()->text(), "0000FF");
    EXPECT_EQ(dialog.Colour2Edit()->text(), "FF0000");
    EXPECT_EQ(dialog.Picker1()->text(), "...");
    CEditColor untouched(app);
    untouched.accept();
    EXPECT_EQ(Stored("Settings/Color_NTrav").toString(), QStringLiteral("16711680")) << "plain OK saves what is shown";
    // The text is a number: FF is the same red.
    Type(dialog.Colour1Edit(), "FF");
    Type(dialog.Colour2Edit(), "0x12");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    dialog.accept();
    EXPECT_EQ(app.Color_Sem_Mois, 0x0000FFu);
    EXPECT_EQ(app.Color_NTrav, 0x12u);
    EXPECT_EQ(Reloaded().Color_NTrav, 0x12u);
}

TEST_F(EditColorTest, OkOnlyForTwoHexadecimalColours)
{
    struct Case {
        const char *text;
        bool accepted;
    };
    const Case cases[] = {{"DFDFDF", true}, {" ff", true}, {"+1a", true},    {"0x12", true},
                          {"XYZ", false},   {"", false},   {"12 ", false},   {"12G", false},
                          {"-1", false},    {"0x", false}, {"FFFFFFF", true}}; // cut to six digits
    for (const Case &c : cases) {
        for (int which = 1; which <= 2; ++which) {
            CEditColor dialog(app);
            QLineEdit *edit = which == 1 ? dialog.Colour1Edit() : dialog.Colour2Edit();
            Type(edit, c.text);
            EXPECT_LE(edit->text().size(), 6);
            EXPECT_EQ(dialog.OkButton()->isEnabled(), c.accepted) << c.text << " in " << which;
            // Even forced, OK keeps an invalid text from being stored.
            dialog.accept();
            EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.text;
        }
    }
    EXPECT_EQ(app.Color_Sem_Mois, 0xFFFFFFu);
}

TEST_F(EditColorTest, PickerStartsFromTheTextAndKeepsCustomColours)
{
    ScriptedPrompts prompts;
    CEditColor dialog(app);
    Type(dialog.Colour2Edit(), "123456");
    prompts.colourReplies = {0x00FF00};
    prompts.editCustomColours = [](std::array<platform::ColorRef, 16> &colours) { colours[3] = 0xABCDEF; };
    dialog.Picker2()->click();
    ASSERT_EQ(prompts.colourStarts.size(), 1u);
    EXPECT_EQ(prompts.colourStarts[0], 0x123456u);
    EXPECT_EQ(prompts.offeredCustomColours[0], AppSettings::DefaultCustomColours());
    EXPECT_EQ(dialog.Colour2Edit()->text(), "00FF00");

    // Cancelled: the text shows the starting colour, the custom colours stay edited.
    prompts.editCustomColours = [](std::array<platform::ColorRef, 16> &colours) { colours[0] = 0x010203; };
    Type(dialog.Colour1Edit(), "XYZ");
    dialog.Picker1()->click();
    EXPECT_EQ(prompts.colourStarts[1], 0xDFDFDFu);
    EXPECT_EQ(prompts.offeredCustomColours[1][3], 0xABCDEFu);
    EXPECT_EQ(dialog.Colour1Edit()->text(), "DFDFDF");
    EXPECT_FALSE(dialog.OkButton()->isEnabled()); // until a text is edited
    QTest::keyClick(dialog.Colour1Edit(), Qt::Key_End);
    QTest::keyClick(dialog.Colour1Edit(), Qt::Key_Backspace);
    QTest::keyClicks(dialog.Colour1Edit(), "E");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());

    dialog.accept();
    EXPECT_EQ(app.Color_Sem_Mois, 0xDFDFDEu);
    EXPECT_EQ(app.Color_NTrav, 0x00FF00u);
    const AppSettings stored = Reloaded();
    EXPECT_EQ(stored.Color_Perso[0], 0x010203u);
    EXPECT_EQ(stored.Color_Perso[3], 0xABCDEFu);
    EXPECT_EQ(stored.Color_Perso[15], 0xFFFFFFu);
}

TEST_F(EditColorTest, ResetAndCancelChangeNothing)
{
    app.Color_Sem_Mois = 0x112233;
    app.Color_Perso[5] = 0x445566;
    ScriptedPrompts prompts;
    {
        CEditColor dialog(app);
        prompts.colourReplies = {0x778899};
        dialog.Picker1()->click();
        dialog.ResetButton()->click();
        EXPECT_EQ(dialog.Colour1Edit()->text(), "DFDFDF");
        EXPECT_EQ(dialog.Colour2Edit()->text(), "CFCFCF");
        EXPECT_EQ(dialog.CustomColoursShown(), AppSettings::DefaultCustomColours());
        dialog.reject();
    }
    EXPECT_EQ(app.Color_Sem_Mois, 0x112233u);
    EXPECT_EQ(app.Color_Perso[5], 0x445566u);
    EXPECT_TRUE(StoredKeys("Settings").isEmpty());

    // Reset after an invalid text leaves OK refused until the next edit, and OK then stores
    // the defaults with the grey ramp.
    CEditColor dialog(app);
    Type(dialog.Colour2Edit(), "zz");
    dialog.ResetButton()->click();
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    Type(dialog.Colour2Edit(), "CFCFCF");
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const AppSettings stored = Reloaded();
    EXPECT_EQ(stored.Color_Sem_Mois, 0xDFDFDFu);
    EXPECT_EQ(stored.Color_Perso, AppSettings::DefaultCustomColours());
    EXPECT_EQ(Stored("Settings/Color_Perso06").toUInt(), 0x5F5F5Fu);
}
