#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QToolButton;

// Asks for the year to show. OK is enabled only for one whole number from 324 to 9999; the
// arrows step the year and wrap around that range.
class CNewAnnee : public QDialog
{
    Q_OBJECT

public:
    explicit CNewAnnee(int year, QWidget *parent = nullptr);

    // The year after OK: the last one read from the text or set by the arrows.
    int Year() const { return year_; }

    QLineEdit *YearEdit() const { return yearEdit_; }
    QPushButton *OkButton() const { return okButton_; }
    QToolButton *UpArrow() const { return upArrow_; }
    QToolButton *DownArrow() const { return downArrow_; }

    // Validation, on every edit of the text by the user.
    void OnChangeYear();
    // An arrow: `delta` is the change the control proposes, negative for the up arrow, and is
    // subtracted from the year. Leaves OK as it is until the text is next edited.
    void OnDeltaPos(int delta);

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OnInitDialog();
    void ShowText(const QString &text);
    // The arrow step while an arrow is held down, growing as a spin control's does.
    int HeldStep() const;

    int year_;
    QLineEdit *yearEdit_ = nullptr;
    QPushButton *okButton_ = nullptr;
    QToolButton *upArrow_ = nullptr;
    QToolButton *downArrow_ = nullptr;
    qint64 heldSince_ = 0;
};
