#include "app/about_dlg.h"

#include "output/print_ready.h"
#include "resources/build_info.h"
#include "resources/icons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("A propos de Tamvel"));
    setWindowIcon(resources::ProgramIcon());

    auto *icon = new QLabel(this);
    icon->setPixmap(resources::ProgramIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    version_ = new QLabel(QString::fromUtf8(resources::kVersionLine), this);
    info_ = new QLabel(QStringLiteral("Calendriers annuels avec jours fériés, semaines et photos."), this);
    // Which standard the print shop gets, and where its colour profile comes from.
    auto *press =
        new QLabel(QStringLiteral("Les PDF pour l'imprimeur suivent la norme %1.\n"
                                  "Leur profil FOGRA39 est fait par ArgyllCMS (colprof) avec les données FOGRA39L\n"
                                  "de la Fogra, distribuées par icc-profiles-free (licence zlib).")
                       .arg(PrintReadyStandard()),
                   this);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->addWidget(version_);
    texts->addWidget(info_);
    texts->addWidget(press);
    auto *row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addLayout(texts, 1);
    row->addWidget(buttons, 0, Qt::AlignTop);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDlg::VersionText() const
{
    return version_->text();
}

QString CAboutDlg::InfoText() const
{
    return info_->text();
}
