#include "dialogs/edit_pub.h"

#include "dialogs/dialog_fit.h"
#include "document/app_settings.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CEditPub::CEditPub(AppSettings &app, QWidget *parent) : QDialog(parent), app_(app)
{
    setWindowTitle(QStringLiteral("Modification du texte de la publicité"));

    line1_ = new QLineEdit(this);
    line2_ = new QLineEdit(this);
    for (QLineEdit *line : {line1_, line2_}) {
        line->setMaxLength(kMaxLineLength);
        line->setMinimumWidth(420);
    }
    auto *cancelButton = new QPushButton(QStringLiteral("Annuler"), this);
    auto *okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setDefault(true);
    resetButton_ = new QPushButton(QStringLiteral("Réinitialiser"), this);

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Ligne 1"), this), 0, 0);
    layout->addWidget(line1_, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Ligne 2"), this), 1, 0);
    layout->addWidget(line2_, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(resetButton_);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons, 2, 0, 1, 2);

    connect(okButton, &QPushButton::clicked, this, &CEditPub::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CEditPub::reject);
    connect(resetButton_, &QPushButton::clicked, this, &CEditPub::OnReinitialiser);

    OnInitDialog();
    FitToTitle(*this);
}

void CEditPub::OnInitDialog()
{
    line1_->setText(app_.Pub1);
    line2_->setText(app_.Pub2);
}

void CEditPub::OnReinitialiser()
{
    line1_->setText(AppSettings::DefaultPub1());
    line2_->setText(AppSettings::DefaultPub2());
}

void CEditPub::OnOK()
{
    app_.Pub1 = line1_->text();
    app_.Pub2 = line2_->text();
    app_.SavePubSettings();
    QDialog::accept();
}
