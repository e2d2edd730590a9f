#pragma once

#include "platform/registry.h"

#include <QDialog>

struct AppSettings;
class QLineEdit;
class QPushButton;

// Edits the two advertising lines printed at the foot of the calendar; OK stores them at once.
class CEditPub : public QDialog
{
    Q_OBJECT

public:
    // The store keeps 254 characters of a line: a longer one would print in full until the next
    // start and then come back cut, so the field takes no more than what can be kept.
    static constexpr int kMaxLineLength = platform::kMaxStoredText;

    explicit CEditPub(AppSettings &app, QWidget *parent = nullptr);

    QLineEdit *Line1Edit() const { return line1_; }
    QLineEdit *Line2Edit() const { return line2_; }
    QPushButton *ResetButton() const { return resetButton_; }

    // Puts the built-in lines back into the dialog; nothing is stored before OK.
    void OnReinitialiser();
    // Stores the lines into the application settings and closes.
    void OnOK();

    void accept() override { OnOK(); }

private:
    void OnInitDialog();

    AppSettings &app_;
    QLineEdit *line1_ = nullptr;
    QLineEdit *line2_ = nullptr;
    QPushButton *resetButton_ = nullptr;
};
