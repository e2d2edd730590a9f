#include "dialogs/load_image_files.h"

#include "document/tamvel_doc.h"
#include "resources/icons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimerEvent>
#include <QVBoxLayout>

CLoadImageFiles::CLoadImageFiles(CTamvelDoc &doc, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint), doc_(doc)
{
    auto *icon = new QLabel(this);
    icon->setPixmap(resources::ProgramIcon().pixmap(32, 32));
    auto *title = new QLabel(doc.GetTitle(), this);
    auto *texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(new QLabel(QStringLiteral("Chargement des images en cours..."), this));
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(icon);
    layout->addLayout(texts);
    timerId_ = startTimer(10);
}

void CLoadImageFiles::OnTimer()
{
    if (loaded_)
        return;
    loaded_ = true;
    if (timerId_ != 0) {
        killTimer(timerId_);
        timerId_ = 0;
    }
    doc_.LoadYearImage(0);
    doc_.LoadYearImage(1);
    accept();
}

void CLoadImageFiles::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == timerId_ && timerId_ != 0)
        OnTimer();
    else
        QDialog::timerEvent(event);
}

void CLoadImageFiles::reject()
{
    // Escape or closing the window before the tick would leave the year without its images.
    if (loaded_)
        QDialog::reject();
}

void LoadImagesWithProgress(CTamvelDoc &doc, QWidget *parent)
{
    CLoadImageFiles dialog(doc, parent);
    dialog.exec();
}
