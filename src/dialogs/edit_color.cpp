#include "dialogs/edit_color.h"

#include "dialogs/dialog_fit.h"
#include "dialogs/text_scan.h"
#include "document/app_settings.h"
#include "platform/user_prompts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kColourTextLength = 6;

} // namespace

CEditColor::CEditColor(AppSettings &app, QWidget *parent) : QDialog(parent), app_(app)
{
    setWindowTitle(QStringLiteral("Choix des couleurs des fonds"));

    colour1_ = new QLineEdit(FormatColour(kDefaultSemMois), this);
    colour2_ = new QLineEdit(FormatColour(kDefaultNTrav), this);
    for (QLineEdit *edit : {colour1_, colour2_})
        edit->setMaxLength(kColourTextLength);
    picker1_ = new QPushButton(QStringLiteral("..."), this);
    picker2_ = new QPushButton(QStringLiteral("..."), this);
    for (QPushButton *picker : {picker1_, picker2_})
        picker->setAutoDefault(false);
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setDefault(true);
    auto *cancelButton = new QPushButton(QStringLiteral("Annuler"), this);
    resetButton_ = new QPushButton(QStringLiteral("Réinitialiser"), this);
    resetButton_->setAutoDefault(false);

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Jours de la semaine ou mois"), this), 0, 0);
    layout->addWidget(colour1_, 0, 1);
    layout->addWidget(picker1_, 0, 2);
    layout->addWidget(new QLabel(QStringLiteral("Jours non travaillés"), this), 1, 0);
    layout->addWidget(colour2_, 1, 1);
    layout->addWidget(picker2_, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(resetButton_);
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons, 2, 0, 1, 3);

    // Only the user's edits validate: text set by the dialog itself never does.
    connect(colour1_, &QLineEdit::textEdited, this, &CEditColor::OnChangeColor);
    connect(colour2_, &QLineEdit::textEdited, this, &CEditColor::OnChangeColor);
    connect(picker1_, &QPushButton::clicked, this, &CEditColor::OnPicker1);
    connect(picker2_, &QPushButton::clicked, this, &CEditColor::OnPicker2);
    connect(resetButton_, &QPushButton::clicked, this, &CEditColor::OnReinitialiser);
    connect(okButton_, &QPushButton::clicked, this, &CEditColor::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CEditColor::reject);

    OnInitDialog();
    FitToTitle(*this);
}

std::optional<platform::ColorRef> CEditColor::ParseColour(const QString &text)
{
    // A negative or longer number is no 0x00BBGGRR colour: the drawing would misread its top byte.
    const dialogs::ScannedNumber scan = dialogs::ScanHexadecimal(text);
    if (!dialogs::IsLoneNumberIn(scan, 0, platform::kColourBits))
        return std::nullopt;
    return static_cast<platform::ColorRef>(scan.value);
}

QString CEditColor::FormatColour(platform::ColorRef colour)
{
    return QString::asprintf("%06X", static_cast<unsigned>(platform::DrawnColour(colour)));
}

void CEditColor::OnInitDialog()
{
    colour1_->setText(FormatColour(app_.Color_Sem_Mois));
    colour2_->setText(FormatColour(app_.Color_NTrav));
    custom_ = app_.Color_Perso;
}

void CEditColor::OnChangeColor()
{
    okButton_->setEnabled(ParseColour(colour1_->text()) && ParseColour(colour2_->text()));
}

void CEditColor::Pick(QLineEdit *edit, platform::ColorRef fallback)
{
    const platform::ColorRef start = ParseColour(edit->text()).value_or(fallback);
    // The custom colours come back edited whether the picker was confirmed or cancelled.
    const std::optional<platform::ColorRef> chosen = platform::Prompts().ChooseColor(this, start, custom_);
    edit->setText(FormatColour(chosen.value_or(start)));
    repaint();
}

void CEditColor::OnPicker1()
{
    Pick(colour1_, kDefaultSemMois);
}

void CEditColor::OnPicker2()
{
    Pick(colour2_, kDefaultNTrav);
}

void CEditColor::OnReinitialiser()
{
    colour1_->setText(FormatColour(kDefaultSemMois));
    colour2_->setText(FormatColour(kDefaultNTrav));
    custom_ = AppSettings::DefaultCustomColours();
}

void CEditColor::OnOK()
{
    const std::optional<platform::ColorRef> colour2 = ParseColour(colour2_->text());
    const std::optional<platform::ColorRef> colour1 = ParseColour(colour1_->text());
    if (!colour1 || !colour2)
        return;
    app_.Color_Sem_Mois = *colour1;
    app_.Color_NTrav = *colour2;
    app_.Color_Perso = custom_;
    app_.SaveColorSettings();
    QDialog::accept();
}
