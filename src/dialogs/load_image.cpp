#include "dialogs/load_image.h"

#include "dialogs/dialog_fit.h"
#include "document/settings_keys.h"
#include "platform/registry.h"
#include "platform/user_prompts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString kFilter = QStringLiteral("Images Bitmap DIB ou JPEG (*.bmp *.dib *.jpg)");

} // namespace

CLoadImage::CLoadImage(int year, QWidget *parent, bool cropped) : QDialog(parent), year_(year)
{
    setWindowTitle(QStringLiteral("Saisie des noms de fichiers des images"));

    name1Edit_ = new QLineEdit(this);
    name2Edit_ = new QLineEdit(this);
    for (QLineEdit *edit : {name1Edit_, name2Edit_})
        edit->setMinimumWidth(320);
    browse1_ = new QPushButton(QStringLiteral("..."), this);
    browse2_ = new QPushButton(QStringLiteral("..."), this);
    for (QPushButton *browse : {browse1_, browse2_})
        browse->setFixedWidth(32);
    auto *okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setDefault(true);
    auto *cancelButton = new QPushButton(QStringLiteral("Cancel"), this);

    auto *names = new QGridLayout;
    names->addWidget(new QLabel(QStringLiteral("Image 1"), this), 0, 0);
    names->addWidget(name1Edit_, 0, 1);
    names->addWidget(browse1_, 0, 2);
    names->addWidget(new QLabel(QStringLiteral("Image 2"), this), 1, 0);
    names->addWidget(name2Edit_, 1, 1);
    names->addWidget(browse2_, 1, 2);

    // The photo layouts stretch each image to a fixed frame, or cut it to the frame's proportions.
    auto *icon = new QLabel(this);
    icon->setPixmap(style()
                        ->standardIcon(cropped ? QStyle::SP_MessageBoxInformation : QStyle::SP_MessageBoxWarning)
                        .pixmap(32, 32));
    const QString ratio = QStringLiteral("Les images chargées doivent avoir un rapport largeur sur hauteur de 1,5.\n");
    auto *advice = new QLabel(ratio + (cropped ? QStringLiteral("Dans le cas contraire elles seront recadrées "
                                                                "(Affichage > Recadrer les photos).")
                                               : QStringLiteral("Dans le cas contraire elles seront déformées.")),
                              this);
    auto *warning = new QHBoxLayout;
    warning->addWidget(icon);
    warning->addWidget(advice, 1);

    auto *fields = new QVBoxLayout;
    fields->addLayout(names);
    fields->addLayout(warning);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(browse1_, &QPushButton::clicked, this, &CLoadImage::OnBrowse1);
    connect(browse2_, &QPushButton::clicked, this, &CLoadImage::OnBrowse2);
    connect(okButton, &QPushButton::clicked, this, &CLoadImage::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CLoadImage::reject);

    OnInitDialog();
    FitToTitle(*this);
}

void CLoadImage::OnInitDialog()
{
    if (const auto key = platform::RegistryKey::Open(settings_keys::Year(year_))) {
        if (const auto name = key->QueryText(QStringLiteral("Image1")))
            name1Edit_->setText(*name);
        if (const auto name = key->QueryText(QStringLiteral("Image2")))
            name2Edit_->setText(*name);
    }
}

void CLoadImage::OnBrowse1()
{
    Browse(name1Edit_);
}

void CLoadImage::OnBrowse2()
{
    Browse(name2Edit_);
}

void CLoadImage::Browse(QLineEdit *edit)
{
    const QString chosen = platform::Prompts().OpenFileName(this, edit->text(), kFilter, QStringLiteral("bmp"));
    if (chosen.isEmpty() || !StorableFileName(this, chosen))
        return;
    edit->setText(chosen);
}

bool StorableFileName(QWidget *dialog, const QString &name)
{
    // Cut to the store's length, the name would point at another file.
    if (name.size() <= platform::kMaxStoredText)
        return true;
    platform::Prompts().Message(
        dialog, dialog->windowTitle(),
        QStringLiteral("Le nom de ce fichier est trop long : %1 caractères au plus.").arg(platform::kMaxStoredText));
    return false;
}

void CLoadImage::accept()
{
    // A name typed or pasted too long keeps the dialog open, its text untouched.
    for (QLineEdit *edit : {name1Edit_, name2Edit_}) {
        if (!StorableFileName(this, edit->text())) {
            edit->setFocus();
            return;
        }
    }
    if (auto key = platform::RegistryKey::OpenOrCreate(settings_keys::Year(year_))) {
        key->SetText(QStringLiteral("Image1"), name1Edit_->text());
        key->SetText(QStringLiteral("Image2"), name2Edit_->text());
    }
    QDialog::accept();
}
