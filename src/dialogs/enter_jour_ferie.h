#pragma once

#include "model/ole_date_time.h"

#include <QDialog>

#include <string>

class QLineEdit;
class QPushButton;

// Enters or changes one particular day: the date typed as day/month, and its label.
class CEnterJourFerie : public QDialog
{
    Q_OBJECT

public:
    // The longest label the store keeps whole.
    static constexpr int kMaxLabelLength = 254;

    CEnterJourFerie(const COleDateTime &date, const std::string &label, bool modify, int year,
                    QWidget *parent = nullptr);

    // The entry after OK: the date at midnight of the year, the label in UTF-8.
    COleDateTime Date() const { return date_; }
    std::string Label() const { return label_; }

    QLineEdit *DateEdit() const { return dateEdit_; }
    QLineEdit *LabelEdit() const { return labelEdit_; }
    QPushButton *OkButton() const { return okButton_; }

    // Keeps OK enabled only for a real day of the year and a non-empty label.
    void OnChange();
    void OnOK();

    // The "%2d/%2d" scan of a date text: true when both day and month were converted.
    static bool ScanDate(const QString &text, int &day, int &month);

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool IsAcceptable(int &day, int &month) const;

    COleDateTime date_;
    std::string label_;
    bool modify_;
    int year_;
    QLineEdit *dateEdit_ = nullptr;
    QLineEdit *labelEdit_ = nullptr;
    QPushButton *okButton_ = nullptr;
};
