#include "dialogs/enter_ferie.h"
#include "dialogs/enter_jour_ferie.h"
#include "document/tamvel_doc.h"

#include "support/scripted_prompts.h"
#include "support/temp_settings.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace {

COleDateTime Day(int year, int month, int day)
{
    return COleDateTime(year, month, day, 0, 0, 0);
}

// What the user types into the one-day dialog; cancels when ok is false.
struct DayEntry {
    QString date;
    QString label;
    bool ok = true;
};

class ParticularDaysEditor : public TempSettings
{
protected:
    CTamvelDoc &Open(int year)
    {
        app_.Annee = year;
        EXPECT_TRUE(doc_.OnNewDocument());
        return doc_;
    }

    // An editor whose one-day dialogs are answered from entries_, recording what they showed.
    std::unique_ptr<CEnterFerie> Editor()
    {
        auto editor = std::make_unique<CEnterFerie>(doc_, app_);
        editor->RunDayDialog = [this](CEnterJourFerie &day) {
            shownDates_ << day.DateEdit()->text();
            shownLabels_ << day.LabelEdit()->text();
            if (entries_.empty())
                return false;
            const DayEntry entry = entries_.front();
            entries_.pop_front();
            if (!entry.ok)
                return false;
            day.DateEdit()->setText(entry.date);
            day.LabelEdit()->setText(entry.label);
            if (day.OkButton()->isEnabled())
                day.OkButton()->click();
            return day.result() == QDialog::Accepted;
        };
        return editor;
    }

    static QStringList Rows(const CEnterFerie &editor)
    {
        QStringList rows;
        for (int i = 0; i < editor.List()->count(); ++i)
            rows << editor.List()->item(i)->text();
        return rows;
    }
    static int Selected(const CEnterFerie &editor)
    {
        const auto items = editor.List()->selectedItems();
        return items.isEmpty() ? -1 : editor.List()->row(items.first());
    }
    // Only insert, sort and (with rows) clear and the list are enabled.
    static void ExpectRestingState(const CEnterFerie &editor)
    {
        const bool rows = editor.List()->count() > 0;
        EXPECT_TRUE(editor.InsertButton()->isEnabled());
        EXPECT_TRUE(editor.SortButton()->isEnabled());
        EXPECT_FALSE(editor.ModifyButton()->isEnabled());
        EXPECT_FALSE(editor.DeleteButton()->isEnabled());
        EXPECT_EQ(editor.ClearButton()->isEnabled(), rows);
        EXPECT_EQ(editor.List()->isEnabled(), rows);
    }
    void Seed(const std::vector<COleDateTime> &dates, const std::vector<std::string> &labels)
    {
        doc_.Dates = dates;
        doc_.Libelles = labels;
        doc_.SaveParticularDays();
    }

    AppSettings app_;
    CTamvelDoc doc_{app_};
    ScriptedPrompts prompts_;
    std::deque<DayEntry> entries_;
    QStringList shownDates_;
    QStringList shownLabels_;
};

TEST_F(ParticularDaysEditor, EmptyYearOffersOnlyInsertAndSort)
{
    Open(2025);
    auto editor = Editor();
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Saisie / Modification des jours fériés particuliers"));
    EXPECT_EQ(editor->YearLabel()->text(), QStringLiteral("Année : 2025"));
    EXPECT_EQ(editor->List()->count(), 0);
    EXPECT_FALSE(editor->List()->isEnabled());
    ExpectRestingState(*editor);
}

TEST_F(ParticularDaysEditor, InsertKeepsOrderSortOrdersAndOkStoresWhatIsShown)
{
    Open(2025);
    auto editor = Editor();
    entries_ = {{"25/12", "Noël maison"}, {"1/5", "Fête"}, {"25/12", "Encore"}, {"", "", false}};
    editor->OnInsert();
    editor->OnInsert();
    editor->OnInsert(); // the same day twice is allowed
    editor->OnInsert(); // cancelled: nothing added
    EXPECT_EQ(shownDates_, QStringList(4, QString())) << "a new entry starts empty";
    EXPECT_EQ(Rows(*editor), (QStringList{"25/12 - Noël maison", "01/05 - Fête", "25/12 - Encore"}));
    ExpectRestingState(*editor);
    EXPECT_TRUE(doc_.Dates.empty()) << "the document changes only on OK";

    editor->OnSort();
    EXPECT_EQ(Rows(*editor), (QStringList{"01/05 - Fête", "25/12 - Noël maison", "25/12 - Encore"}));
    ExpectRestingState(*editor);

    editor->OnOK();
    EXPECT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_EQ(doc_.Dates, (std::vector<COleDateTime>{Day(2025, 5, 1), Day(2025, 12, 25), Day(2025, 12, 25)}));
    EXPECT_EQ(doc_.Libelles, (std::vector<std::string>{"Fête", "Noël maison", "Encore"}));
    EXPECT_EQ(Stored("2025/FERIE/Nb").toInt(), 3);
    EXPECT_EQ(Stored("2025/FERIE/Date1").toInt(), 501);
    EXPECT_EQ(Stored("2025/FERIE/Libelle2").toString(), QStringLiteral("Noël maison"));

    // Reading the year back gives exactly the rows the editor showed.
    Open(2025);
    EXPECT_EQ(Rows(*Editor()), (QStringList{"01/05 - Fête", "25/12 - Noël maison", "25/12 - Encore"}));
}

TEST_F(ParticularDaysEditor, ModifyReplacesInPlaceAndLeavesRowSelectedButCommandsOff)
{
    Open(2024);
    Seed({Day(2024, 7, 14), Day(2024, 8, 15), Day(2024, 11, 1)}, {"A", "B", "C"});
    auto editor = Editor();
    editor->List()->setCurrentRow(1);
    EXPECT_TRUE(editor->ModifyButton()->isEnabled());
    EXPECT_TRUE(editor->DeleteButton()->isEnabled());

    entries_ = {{"29/02", "Bissextile"}};
    editor->ModifyButton()->click();
    EXPECT_EQ(shownDates_, QStringList{"15/08"});
    EXPECT_EQ(shownLabels_, QStringList{"B"});
    EXPECT_EQ(Rows(*editor), (QStringList{"14/07 - A", "29/02 - Bissextile", "01/11 - C"}));
    EXPECT_EQ(Selected(*editor), 1);
    ExpectRestingState(*editor);

    // A cancelled modification by double click changes nothing.
    editor->List()->setCurrentRow(2);
    entries_ = {{"", "", false}};
    editor->OnDblClk();
    EXPECT_EQ(shownDates_.last(), QStringLiteral("01/11"));
    EXPECT_EQ(editor->WorkingLabels(), (std::vector<std::string>{"A", "Bissextile", "C"}));
    EXPECT_EQ(editor->WorkingDates()[1], Day(2024, 2, 29));
}

TEST_F(ParticularDaysEditor, DeleteAsksAndOnlyYesRemoves)
{
    Open(2025);
    Seed({Day(2025, 1, 2), Day(2025, 3, 4), Day(2025, 5, 6)}, {"un", "deux", "trois"});
    auto editor = Editor();
    editor->List()->setCurrentRow(1);
    prompts_.yesNoReplies = {false};
    editor->DeleteButton()->click();
    EXPECT_EQ(prompts_.questions, QStringList{"Voulez vous réellement effacer le jour 04/03 - deux ?"});
    EXPECT_EQ(prompts_.questionCaptions, QStringList{"Genérateur de Tamvel"});
    EXPECT_EQ(Rows(*editor).size(), 3);
    ExpectRestingState(*editor);

    editor->List()->setCurrentRow(1);
    prompts_.yesNoReplies = {true};
    editor->OnDelete();
    EXPECT_EQ(Rows(*editor), (QStringList{"02/01 - un", "06/05 - trois"}));
    EXPECT_EQ(editor->WorkingLabels(), (std::vector<std::string>{"un", "trois"}));
    EXPECT_EQ(Selected(*editor), -1);
    ExpectRestingState(*editor);
}

TEST_F(ParticularDaysEditor, ModifyAndDeleteWithoutSelectionDoNothing)
{
    Open(2025);
    Seed({Day(2025, 1, 2)}, {"un"});
    auto editor = Editor();
    prompts_.yesNoReplies = {true};
    entries_ = {{"03/03", "autre"}};
    editor->OnDelete();
    editor->OnModify();
    editor->OnDblClk();
    EXPECT_TRUE(prompts_.questions.isEmpty());
    EXPECT_TRUE(shownDates_.isEmpty());
    EXPECT_EQ(Rows(*editor), QStringList{"02/01 - un"});
}

TEST_F(ParticularDaysEditor, ClearAsksAndTheStoreEmptiesOnlyOnOk)
{
    Open(2025);
    Seed({Day(2025, 1, 2), Day(2025, 3, 4)}, {"un", "deux"});
    auto editor = Editor();
    prompts_.yesNoReplies = {false, true};
    editor->ClearButton()->click();
    EXPECT_EQ(Rows(*editor).size(), 2);
    editor->OnClear();
    EXPECT_EQ(prompts_.questions,
              QStringList(2, QStringLiteral("Voulez vous réellement effacer tous les jours fériés de cette année ?")));
    EXPECT_EQ(editor->List()->count(), 0);
    EXPECT_TRUE(editor->WorkingDates().empty());
    ExpectRestingState(*editor);
    EXPECT_EQ(doc_.Dates.size(), 2u);
    EXPECT_EQ(Stored("2025/FERIE/Nb").toInt(), 2);

    editor->OnOK();
    EXPECT_TRUE(doc_.Dates.empty());
    EXPECT_TRUE(doc_.Libelles.empty());
    EXPECT_TRUE(StoredKeys("2025/FERIE").isEmpty());
}

TEST_F(ParticularDaysEditor, CancelAfterChangesLeavesDocumentAndStoreAlone)
{
    Open(2025);
    Seed({Day(2025, 12, 25), Day(2025, 1, 1)}, {"Noël", "An"});
    const QByteArray before = ReadFile();
    auto editor = Editor();
    entries_ = {{"14/07", "Fête"}};
    prompts_.yesNoReplies = {true};
    editor->OnInsert();
    editor->OnSort();
    editor->List()->setCurrentRow(0);
    editor->OnDelete();
    editor->reject();
    EXPECT_EQ(doc_.Dates, (std::vector<COleDateTime>{Day(2025, 12, 25), Day(2025, 1, 1)}));
    EXPECT_EQ(doc_.Libelles, (std::vector<std::string>{"Noël", "An"}));
    EXPECT_EQ(ReadFile(), before);
}

TEST_F(ParticularDaysEditor, ImportShowsTheAgendasDaysAndStoresThemOnlyOnOk)
{
    Open(2027);
    Seed({Day(2027, 2, 22)}, {"Vacances d'hiver"});
    const auto write = [this](const char *name, const QByteArray &content) {
        QFile out(dir_.filePath(QLatin1String(name)));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
        return out.fileName();
    };
    const QString agenda =
        write("zone-a.ics", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//FR\r\nBEGIN:VEVENT\r\nUID:h@test\r\n"
                            "DTSTAMP:20260901T080000Z\r\nDTSTART;VALUE=DATE:20270222\r\nDTEND;VALUE=DATE:20270224\r\n"
                            "SUMMARY:Vacances d'hiver\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    const QString csv = write("agenda.csv", "Objet;Début\nVacances;2027-02-22\n");
    const QByteArray before = ReadFile();

    auto editor = Editor();
    prompts_.openFileNames = {agenda, agenda, csv, QString()};
    editor->OnImport();
    EXPECT_EQ(Rows(*editor), (QStringList{"22/02 - Vacances d'hiver", "23/02 - Vacances d'hiver"}));
    EXPECT_EQ(editor->AddedLabel()->text(),
              QStringLiteral("1 jour ajouté depuis « zone-a.ics » : il sera enregistré avec OK."));
    editor->OnImport(); // the same file again adds nothing
    EXPECT_EQ(editor->AddedLabel()->text(), QStringLiteral("Aucun jour à ajouter depuis « zone-a.ics »."));
    editor->OnImport(); // not an agenda: said, and nothing changes
    ASSERT_EQ(prompts_.messages.size(), 1);
    EXPECT_TRUE(prompts_.messages[0].contains(QStringLiteral("n'est pas un fichier iCalendar")));
    editor->OnImport(); // cancelled
    EXPECT_EQ(editor->List()->count(), 2);
    ExpectRestingState(*editor);
    EXPECT_EQ(ReadFile(), before);

    editor->OnOK();
    EXPECT_EQ(Stored(QStringLiteral("2027/FERIE/Date2")).toString(), QStringLiteral("223"));
}

TEST_F(ParticularDaysEditor, CopyOfThePreviousYearSkips29February)
{
    Open(2024);
    Seed({Day(2024, 2, 29), Day(2024, 8, 9)}, {"Bissextile", "Fermeture"});
    Open(2025);
    auto editor = Editor();
    editor->OnCopyPreviousYear();
    EXPECT_EQ(Rows(*editor), (QStringList{"09/08 - Fermeture"}));
    EXPECT_EQ(editor->AddedLabel()->text(),
              QStringLiteral("1 jour ajouté depuis l'année 2024 : il sera enregistré avec OK."));
    EXPECT_TRUE(doc_.Dates.empty());
}

TEST_F(ParticularDaysEditor, SortUsesLaterThanAndLeavesInvalidDatesInPlace)
{
    Open(2025);
    // 29 February 2025 is loaded as a date that is not valid.
    WriteFile("[2025]\nFERIE\\Nb=6\n"
              "FERIE\\Date1=1225\nFERIE\\Libelle1=B\n"
              "FERIE\\Date2=1225\nFERIE\\Libelle2=B2\n"
              "FERIE\\Date3=101\nFERIE\\Libelle3=A\n"
              "FERIE\\Date4=229\nFERIE\\Libelle4=faux\n"
              "FERIE\\Date5=1231\nFERIE\\Libelle5=Z\n"
              "FERIE\\Date6=1230\nFERIE\\Libelle6=Y\n");
    Open(2025);
    auto editor = Editor();
    EXPECT_EQ(Rows(*editor)[3], QStringLiteral("-1/-1 - faux"));
    editor->OnSort();
    // Equal days are never exchanged with each other, but an exchange with an earlier day can
    // swap them; the invalid day keeps its place and the days after it are still ordered.
    EXPECT_EQ(Rows(*editor),
              (QStringList{"01/01 - A", "25/12 - B2", "25/12 - B", "-1/-1 - faux", "30/12 - Y", "31/12 - Z"}));
    EXPECT_EQ(editor->WorkingLabels(), (std::vector<std::string>{"A", "B2", "B", "faux", "Y", "Z"}));

    // Modifying the invalid day starts from -1/-1, which is refused until a real date is typed.
    editor->List()->setCurrentRow(3);
    editor->RunDayDialog = [](CEnterJourFerie &day) {
        EXPECT_EQ(day.DateEdit()->text(), QStringLiteral("-1/-1"));
        EXPECT_EQ(day.LabelEdit()->text(), QStringLiteral("faux"));
        EXPECT_FALSE(day.OkButton()->isEnabled());
        day.DateEdit()->setText(QStringLiteral("28/02"));
        day.OkButton()->click();
        return day.result() == QDialog::Accepted;
    };
    editor->OnModify();
    EXPECT_EQ(editor->WorkingDates()[3], Day(2025, 2, 28));
    editor->OnOK();
    EXPECT_EQ(Stored("2025/FERIE/Date4").toInt(), 228);
}

TEST(OneDayDialog, AcceptsOnlyRealDaysOfTheYearWithALabel)
{
    auto accepts = [](int year, const QString &date, const QString &label) {
        CEnterJourFerie day(COleDateTime(), std::string(), false, year);
        day.DateEdit()->setText(date);
        day.LabelEdit()->setText(label);
        return day.OkButton()->isEnabled();
    };
    EXPECT_FALSE(accepts(2023, "29/02", "x"));
    EXPECT_TRUE(accepts(2024, "29/02", "x"));
    EXPECT_FALSE(accepts(1900, "29/02", "x"));
    EXPECT_TRUE(accepts(2000, "29/02", "x"));
    for (const char *refused : {"31/04", "00/05", "12/13", "12/0", "123/05", "", "12", "12-05", "a/05", "-1/-1"})
        EXPECT_FALSE(accepts(2025, QString::fromLatin1(refused), "x")) << refused;
    for (const char *accepted : {"7/3", "07/03", " 7/ 3", "07/03/2024", "31/12", "+1/1"})
        EXPECT_TRUE(accepts(2025, QString::fromLatin1(accepted), "x")) << accepted;
    EXPECT_FALSE(accepts(2025, "07/03", ""));
    EXPECT_TRUE(accepts(2025, "07/03", "   ")) << "spaces are not empty";

    CEnterJourFerie day(COleDateTime(), std::string(), false, 2025);
    EXPECT_EQ(day.windowTitle(), QStringLiteral("Entrée/ Modification du jour férié"));
    EXPECT_FALSE(day.OkButton()->isEnabled());
    day.DateEdit()->setText(QStringLiteral("07/03/2024"));
    day.LabelEdit()->setText(QStringLiteral("Fête à Noël"));
    day.OnOK();
    EXPECT_EQ(day.result(), QDialog::Accepted);
    EXPECT_EQ(day.Date(), COleDateTime(2025, 3, 7, 0, 0, 0));
    EXPECT_EQ(day.Label(), std::string("Fête à Noël"));
}

TEST(OneDayDialog, OkOnAnImpossibleDayKeepsTheDialogOpen)
{
    // Enter or a direct call must not slip an impossible day past the disabled button.
    CEnterJourFerie day(COleDateTime(2023, 1, 1, 0, 0, 0), "x", true, 2023);
    EXPECT_EQ(day.DateEdit()->text(), QStringLiteral("01/01"));
    EXPECT_TRUE(day.OkButton()->isEnabled());
    day.DateEdit()->setText(QStringLiteral("29/02"));
    day.OnOK();
    EXPECT_NE(day.result(), QDialog::Accepted);
    EXPECT_EQ(day.Date(), COleDateTime(2023, 1, 1, 0, 0, 0));
}

TEST_F(ParticularDaysEditor, LabelsStopAtWhatTheStoreKeepsWhole)
{
    Open(2025);
    auto editor = Editor();
    const QString longLabel(300, QLatin1Char('x'));
    entries_ = {{"14/07", longLabel}};
    editor->OnInsert();
    ASSERT_EQ(editor->WorkingLabels().size(), 1u);
    EXPECT_EQ(editor->WorkingLabels()[0], std::string(CEnterJourFerie::kMaxLabelLength, 'x'));
    editor->OnOK();
    Open(2025);
    ASSERT_EQ(doc_.Libelles.size(), 1u);
    EXPECT_EQ(doc_.Libelles[0], std::string(254, 'x')) << "what was shown comes back whole";
}

} // namespace
