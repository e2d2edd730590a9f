#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The file names of the year's two photographs, read from the year's settings and written
// back on OK. Nothing is checked here: the names are tried when the year is loaded. `cropped`:
// the photos are cut to their frames rather than stretched, which the advice says.
// Whether a chosen file's name fits the settings store; otherwise the dialog says so.
bool StorableFileName(QWidget *dialog, const QString &name);

class CLoadImage : public QDialog
{
    Q_OBJECT

public:
    explicit CLoadImage(int year, QWidget *parent = nullptr, bool cropped = false);

    QLineEdit *Name1Edit() const { return name1Edit_; }
    QLineEdit *Name2Edit() const { return name2Edit_; }
    QPushButton *Browse1Button() const { return browse1_; }
    QPushButton *Browse2Button() const { return browse2_; }

    // Browse buttons: the file-open dialog, starting from the field's name.
    void OnBrowse1();
    void OnBrowse2();

    void accept() override;

private:
    void OnInitDialog();
    void Browse(QLineEdit *edit);
    // Whether the store can keep the name whole; says why not.

    int year_;
    QLineEdit *name1Edit_ = nullptr;
    QLineEdit *name2Edit_ = nullptr;
    QPushButton *browse1_ = nullptr;
    QPushButton *browse2_ = nullptr;
};
