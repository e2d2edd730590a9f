#include "dialogs/new_annee.h"
#include "support/typing.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

struct YearCase {
    const char *text;
    bool accepted;
};

} // namespace

TEST(NewAnnee, OpensOnTheYearAndArrowsStepIt)
{
    CNewAnnee dialog(2024);
    EXPECT_EQ(dialog.windowTitle(), "Nouvelle Année");
    EXPECT_EQ(dialog.YearEdit()->text(), "2024");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    dialog.UpArrow()->click();
    EXPECT_EQ(dialog.YearEdit()->text(), "2025");
    EXPECT_EQ(dialog.Year(), 2025);
    dialog.DownArrow()->click();
    dialog.DownArrow()->click();
    EXPECT_EQ(dialog.Year(), 2023);
    // The arrow keys step the year from the text too.
    QTest::keyClick(dialog.YearEdit(), Qt::Key_Up);
    EXPECT_EQ(dialog.YearEdit()->text(), "2024");

    // Opened on a year stepped out of the calendar's range, OK waits for one it can show.
    for (const int year : {50, 10000}) {
        CNewAnnee outside(year);
        EXPECT_EQ(outside.YearEdit()->text(), QString::asprintf("%04d", year));
        EXPECT_FALSE(outside.OkButton()->isEnabled()) << year;
        outside.accept();
        EXPECT_NE(outside.result(), QDialog::Accepted) << year;
    }
}

TEST(NewAnnee, OkOnlyForOneWholeYearFrom324To9999)
{
    const YearCase cases[] = {
        {"2025", true},   {" 2025", true},
        {"+2025", true},  {"324", true},
        {"9999", true},   {"2025 ", false},
        {"2025a", false}, {"323", false},
        {"0050", false},  {"abc", false},
        {"", false},      {"-2025", false},
        {"10000", false}, {"99999999999999999999", false},
    };
    for (const YearCase &c : cases) {
        CNewAnnee dialog(2024);
        Type(dialog.YearEdit(), c.text);
        EXPECT_EQ(dialog.OkButton()->isEnabled(), c.accepted) << c.text;
        if (c.accepted) {
            dialog.OkButton()->click();
            EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.text;
            EXPECT_EQ(dialog.Year(), QString(c.text).trimmed().toInt()) << c.text;
        }
    }
}

TEST(NewAnnee, RefusedTextCannotBeConfirmedEvenWithReturn)
{
    CNewAnnee dialog(2024);
    Type(dialog.YearEdit(), "2030x");
    EXPECT_EQ(dialog.Year(), 2030); // the scan keeps what it read
    QTest::keyClick(dialog.YearEdit(), Qt::Key_Return);
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST(NewAnnee, ArrowsWrapBetween324And9999AndLeaveOkAlone)
{
    CNewAnnee dialog(9999);
    dialog.UpArrow()->click();
    EXPECT_EQ(dialog.YearEdit()->text(), "0324");
    dialog.DownArrow()->click();
    EXPECT_EQ(dialog.YearEdit()->text(), "9999");
    EXPECT_EQ(dialog.Year(), 9999);

    // 12 + 1 is below 324; OK stays refused until the user edits the text.
    Type(dialog.YearEdit(), "12");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    dialog.UpArrow()->click();
    EXPECT_EQ(dialog.YearEdit()->text(), "9999");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    QTest::keyClick(dialog.YearEdit(), Qt::Key_Backspace);
    QTest::keyClicks(dialog.YearEdit(), "8");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
}

TEST(NewAnnee, ArrowsOnAnInvalidTextStartFrom324)
{
    for (const char *text : {"abc", "", "2024 ", "20000", "-5"}) {
        CNewAnnee up(2024);
        Type(up.YearEdit(), text);
        up.UpArrow()->click();
        EXPECT_EQ(up.YearEdit()->text(), "0325") << text;
        CNewAnnee down(2024);
        Type(down.YearEdit(), text);
        down.DownArrow()->click();
        EXPECT_EQ(down.YearEdit()->text(), "9999") << text;
    }
    // Larger steps while an arrow is held follow the same wrap.
    CNewAnnee dialog(9990);
    dialog.OnDeltaPos(-20);
    EXPECT_EQ(dialog.Year(), 324);
    dialog.OnDeltaPos(5);
    EXPECT_EQ(dialog.Year(), 9999);
}
