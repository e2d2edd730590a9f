#pragma once

#include <QDialog>

class QLabel;

// The About box: the program's icon, its name and version, one line of text and OK.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget *parent = nullptr);

    QString VersionText() const;
    QString InfoText() const; // line 1005

private:
    QLabel *version_ = nullptr;
    QLabel *info_ = nullptr;
};
