#include "dialogs/load_image_files.h"

#include "document/tamvel_doc.h"
#include "resources/icons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentMap>

CLoadImageFiles::CLoadImageFiles(const CTamvelDoc &doc, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto *icon = new QLabel(this);
    icon->setPixmap(resources::ProgramIcon().pixmap(32, 32));
    auto *title = new QLabel(doc.GetTitle(), this);
    auto *texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(new QLabel(QStringLiteral("Chargement des images en cours..."), this));
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(icon);
    layout->addLayout(texts);
}

void CLoadImageFiles::reject()
{
    // Escape closes nothing: the dialog goes when the photos are there.
}

PhotoLoader::PhotoLoader(CTamvelDoc &doc, QWidget *window) : doc_(doc), window_(window)
{
    connect(&watcher_, &QFutureWatcher<PhotoLoad>::finished, this, &PhotoLoader::Deliver);
}

PhotoLoader::~PhotoLoader()
{
    delete progress_;
}

void PhotoLoader::Start()
{
    generation_ = doc_.Generation();
    busy_ = true;
    // The names are copied: the tasks share nothing with the document.
    watcher_.setFuture(QtConcurrent::mapped(QList<QString>{doc_.Image1, doc_.Image2}, LoadPhotoFile));
    delete progress_;
    if (window_ != nullptr && window_->isVisible() && !(doc_.Image1.isEmpty() && doc_.Image2.isEmpty())) {
        progress_ = new CLoadImageFiles(doc_, window_);
        progress_->show();
    }
}

void PhotoLoader::Wait()
{
    if (!busy_)
        return;
    watcher_.waitForFinished();
    Deliver();
}

void PhotoLoader::Deliver()
{
    // The watcher's signal may still come after Wait delivered.
    if (!busy_ || !watcher_.isFinished())
        return;
    busy_ = false;
    delete progress_;
    const QList<PhotoLoad> loads = watcher_.future().results();
    if (doc_.Generation() != generation_ || loads.size() != 2)
        return;
    doc_.Photo1 = Photo(loads[0].image);
    doc_.Photo2 = Photo(loads[1].image);
    if (doc_.UpdateAllViews)
        doc_.UpdateAllViews();
    emit Delivered();
    ShowLoadMessages(loads[0].messages);
    ShowLoadMessages(loads[1].messages);
}
