#include "dialogs/enter_jour_ferie.h"

#include "dialogs/dialog_fit.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

CEnterJourFerie::CEnterJourFerie(const COleDateTime &date, const std::string &label, bool modify, int year,
                                 QWidget *parent)
    : QDialog(parent), date_(date), label_(label), modify_(modify), year_(year)
{
    setWindowTitle(QStringLiteral("Entrée/ Modification du jour férié"));

    dateEdit_ = new QLineEdit(this);
    dateEdit_->setObjectName(QStringLiteral("dateEdit"));
    labelEdit_ = new QLineEdit(this);
    labelEdit_->setObjectName(QStringLiteral("labelEdit"));
    // What is typed is what the store keeps: nothing is cut silently on saving.
    labelEdit_->setMaxLength(kMaxLabelLength);

    auto *fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Date"), this), 0, 0);
    fields->addWidget(dateEdit_, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("(jj/mm)"), this), 0, 2);
    fields->addWidget(new QLabel(QStringLiteral("Libellé"), this), 1, 0);
    fields->addWidget(labelEdit_, 1, 1, 1, 2);

    auto *buttons = new QDialogButtonBox(this);
    okButton_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setDefault(true);
    auto *cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(okButton_, &QPushButton::clicked, this, &CEnterJourFerie::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);

    // The initial date only matters when an entry is modified.
    if (modify_) {
        // A date that is not valid shows as -1/-1 and is refused until a real one is typed.
        dateEdit_->setText(QString::asprintf("%02d/%02d", date_.GetDay(), date_.GetMonth()));
        labelEdit_->setText(QString::fromStdString(label_));
    }
    connect(dateEdit_, &QLineEdit::textChanged, this, &CEnterJourFerie::OnChange);
    connect(labelEdit_, &QLineEdit::textChanged, this, &CEnterJourFerie::OnChange);
    OnChange();
    FitToTitle(*this);
}

void CEnterJourFerie::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    dateEdit_->setFocus();
}

bool CEnterJourFerie::ScanDate(const QString &text, int &day, int &month)
{
    // Only ASCII can convert; the rest simply stops the scan where it stands.
    const QByteArray bytes = text.toUtf8();
    return std::sscanf(bytes.constData(), "%2d/%2d", &day, &month) == 2;
}

bool CEnterJourFerie::IsAcceptable(int &day, int &month) const
{
    if (!ScanDate(dateEdit_->text(), day, month))
        return false;
    if (labelEdit_->text().isEmpty())
        return false;
    if (month < 1 || month > 12)
        return false;
    return day >= 1 && day <= model::DaysInMonth(year_, month);
}

void CEnterJourFerie::OnChange()
{
    int day = 0;
    int month = 0;
    okButton_->setEnabled(IsAcceptable(day, month));
}

void CEnterJourFerie::OnOK()
{
    int day = 0;
    int month = 0;
    // The whole check again: Enter or a direct call must not let an impossible day through.
    if (!IsAcceptable(day, month)) {
        okButton_->setEnabled(false);
        return;
    }
    date_ = COleDateTime(year_, month, day, 0, 0, 0);
    label_ = labelEdit_->text().toStdString();
    accept();
}
