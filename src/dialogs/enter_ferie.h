#pragma once

#include "model/holiday_label.h"
#include "model/ole_date_time.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class CEnterJourFerie;
class CTamvelDoc;
struct AppSettings;
class QLabel;
class QListWidget;
class QPushButton;

// Edits the year's particular days on a copy; the document's lists are replaced and stored
// only on OK.
class CEnterFerie : public QDialog
{
    Q_OBJECT

public:
    CEnterFerie(CTamvelDoc &document, const AppSettings &app, QWidget *parent = nullptr);

    // Runs the one-day dialog modally and tells whether it was closed with OK; tests replace it
    // to type into the dialog instead.
    std::function<bool(CEnterJourFerie &)> RunDayDialog;

    // Row text of an entry: "dd/mm - label".
    static QString RowText(const COleDateTime &date, const std::string &label);

    void OnSelChange();
    void OnSelCancel();
    void OnDblClk();
    void OnInsert();
    void OnModify();
    void OnDelete();
    void OnClear();
    void OnSort();
    // Adds the days of an iCalendar file, or of the year before, to the working list.
    void OnImport();
    void OnCopyPreviousYear();
    void OnOK();

    const std::vector<COleDateTime> &WorkingDates() const { return dates_; }
    const std::vector<std::string> &WorkingLabels() const { return labels_; }
    int Year() const { return year_; }

    QListWidget *List() const { return list_; }
    QPushButton *SortButton() const { return sortButton_; }
    QPushButton *DeleteButton() const { return deleteButton_; }
    QPushButton *ModifyButton() const { return modifyButton_; }
    QPushButton *InsertButton() const { return insertButton_; }
    QPushButton *ClearButton() const { return clearButton_; }
    QPushButton *ImportButton() const { return importButton_; }
    QPushButton *CopyButton() const { return copyButton_; }
    // What the last import or copy added.
    QLabel *AddedLabel() const { return addedLabel_; }
    QLabel *YearLabel() const { return yearLabel_; }

private:
    void RefreshButtons();
    // The state while a question or the one-day dialog is open.
    void LockForCommand();
    // The selected row, or -1.
    int SelectedRow() const;
    void OnListSelectionChanged();
    // Appends the days that exist this year and are not listed yet; says how many were added.
    void AppendDays(const std::vector<model::DayLabel> &days, const QString &source);

    CTamvelDoc &document_;
    int year_;
    std::vector<COleDateTime> dates_;
    std::vector<std::string> labels_;

    QListWidget *list_ = nullptr;
    QPushButton *sortButton_ = nullptr;
    QPushButton *deleteButton_ = nullptr;
    QPushButton *modifyButton_ = nullptr;
    QPushButton *insertButton_ = nullptr;
    QPushButton *clearButton_ = nullptr;
    QPushButton *importButton_ = nullptr;
    QPushButton *copyButton_ = nullptr;
    QLabel *yearLabel_ = nullptr;
    QLabel *addedLabel_ = nullptr;
};
