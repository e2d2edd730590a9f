#include "dialogs/photos_mois.h"

#include "dialogs/dialog_fit.h"
#include "dialogs/load_image.h"
#include "images/photo.h"
#include "platform/registry.h"
#include "platform/user_prompts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace {

const QString kPhotoFilter = QStringLiteral("Images Bitmap DIB ou JPEG (*.bmp *.dib *.jpg)");
constexpr QSize kThumbnail(72, 48);

// A picture decoded at the library's smallest scale is all a thumbnail needs.
QImage ThumbnailOf(const QString &path)
{
    const QImage image = LoadPhotoForFrame(path, {kThumbnail.width() * 2, kThumbnail.height() * 2}).image;
    if (image.isNull())
        return {};
    // Cut as the page cuts it, to the frame's proportions.
    return image.copy(CropToFrame(image.size(), kThumbnail))
        .scaled(kThumbnail, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

CPhotosMois::CPhotosMois(int year, QWidget *parent) : QDialog(parent), year_(year)
{
    setWindowTitle(QStringLiteral("Photos des mois %1").arg(year, 4, 10, QLatin1Char('0')));
    auto *grid = new QGridLayout;
    const month_photos::Names names = month_photos::Read(year);
    for (int i = 0; i < month_photos::kCount; ++i) {
        Row &row = rows_[static_cast<std::size_t>(i)];
        row.thumbnail = new QLabel(this);
        row.thumbnail->setFixedSize(kThumbnail);
        row.thumbnail->setAlignment(Qt::AlignCenter);
        row.thumbnail->setStyleSheet(QStringLiteral("background: #e8e8e8; color: #909090;"));
        row.edit = new QLineEdit(names[static_cast<std::size_t>(i)], this);
        row.edit->setMinimumWidth(360);
        row.browse = new QPushButton(QStringLiteral("..."), this);
        row.browse->setFixedWidth(32);
        grid->addWidget(new QLabel(month_photos::Title(i), this), i, 0);
        grid->addWidget(row.thumbnail, i, 1);
        grid->addWidget(row.edit, i, 2);
        grid->addWidget(row.browse, i, 3);
        connect(row.browse, &QPushButton::clicked, this, [this, i] { OnBrowse(i); });
        // A name typed by hand gets its thumbnail once typed.
        connect(row.edit, &QLineEdit::editingFinished, this, [this, i] { ShowThumbnail(i); });
        ShowThumbnail(i);
    }

    fill_ = new QPushButton(QStringLiteral("Remplir depuis un dossier..."), this);
    auto *okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setDefault(true);
    auto *cancelButton = new QPushButton(QStringLiteral("Annuler"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(fill_);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(fill_, &QPushButton::clicked, this, &CPhotosMois::OnFillFromFolder);
    connect(okButton, &QPushButton::clicked, this, &CPhotosMois::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CPhotosMois::reject);
    FitToTitle(*this);
}

bool CPhotosMois::HasThumbnail(int index) const
{
    return !rows_[static_cast<std::size_t>(index)].thumbnail->pixmap().isNull();
}

void CPhotosMois::ShowThumbnail(int index)
{
    Row &row = rows_[static_cast<std::size_t>(index)];
    const int request = ++row.request;
    row.thumbnail->setPixmap({});
    const QString name = row.edit->text().trimmed();
    row.thumbnail->setText(name.isEmpty() ? QStringLiteral("—") : QString());
    if (name.isEmpty())
        return;
    QtConcurrent::run(ThumbnailOf, name).then(this, [this, index, request, name](const QImage &image) {
        Row &current = rows_[static_cast<std::size_t>(index)];
        if (current.request != request)
            return;
        if (image.isNull()) {
            current.thumbnail->setText(QStringLiteral("illisible"));
            return;
        }
        current.thumbnail->setPixmap(QPixmap::fromImage(image));
        emit ThumbnailShown(index);
    });
}

void CPhotosMois::OnBrowse(int index)
{
    // Opens where the last file was chosen, not in this row's folder.
    const QString chosen = platform::Prompts().OpenFileName(this, {}, kPhotoFilter, QStringLiteral("jpg"));
    if (chosen.isEmpty() || !StorableFileName(this, chosen))
        return;
    NameEdit(index)->setText(chosen);
    ShowThumbnail(index);
}

void CPhotosMois::OnFillFromFolder()
{
    const QString folder = platform::Prompts().OpenFolderName(this, QStringLiteral("Remplir depuis un dossier"));
    if (folder.isEmpty())
        return;
    const month_photos::Names names = month_photos::FillFromFolder(folder);
    if (names[0].isEmpty()) {
        platform::Prompts().Message(
            this, windowTitle(),
            QStringLiteral("Le dossier « %1 » ne contient aucune image (.jpg, .bmp, .dib).").arg(folder),
            platform::MessageIcon::Exclamation);
        return;
    }
    // The folder makes the whole calendar: the pages it has no image for are emptied.
    for (int i = 0; i < month_photos::kCount; ++i) {
        NameEdit(i)->setText(names[static_cast<std::size_t>(i)]);
        ShowThumbnail(i);
    }
}

void CPhotosMois::accept()
{
    month_photos::Names names;
    for (int i = 0; i < month_photos::kCount; ++i) {
        QLineEdit *edit = NameEdit(i);
        // A name typed or pasted too long keeps the dialog open, its text untouched.
        if (!StorableFileName(this, edit->text().trimmed())) {
            edit->setFocus();
            return;
        }
        names[static_cast<std::size_t>(i)] = edit->text().trimmed();
    }
    month_photos::Write(year_, names);
    QDialog::accept();
}
