#include "dialogs/load_image_files.h"

#include "document/tamvel_doc.h"
#include "resources/icons.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentMap>

CLoadImageFiles::CLoadImageFiles(const CTamvelDoc &doc, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto *icon = new QLabel(this);
    icon->setPixmap(resources::ProgramIcon().pixmap(32, 32));
    title_ = new QLabel(doc.GetTitle(), this);
    auto *texts = new QVBoxLayout;
    texts->addWidget(title_);
    texts->addWidget(new QLabel(QStringLiteral("Chargement des images en cours..."), this));
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(icon);
    layout->addLayout(texts);
}

void CLoadImageFiles::SetTitle(const QString &title)
{
    title_->setText(title);
}

void CLoadImageFiles::keyPressEvent(QKeyEvent *event)
{
    // Escape leaves it up: it goes when the photos are there. A close (the program quitting)
    // is never refused, or the quit would be cancelled.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

PhotoLoader::PhotoLoader(CTamvelDoc &doc, QWidget *window, Decoder decode)
    : doc_(doc), window_(window), decode_(std::move(decode))
{
    pool_.setMaxThreadCount(2);
    connect(&watcher_, &QFutureWatcher<PhotoLoad>::finished, this, &PhotoLoader::Deliver);
}

PhotoLoader::~PhotoLoader()
{
    stop_.request_stop();
    watcher_.waitForFinished();
    delete progress_;
}

void PhotoLoader::Start()
{
    // The photos of the year left are of no use any more: their decoders stop at once instead of
    // holding the threads the new year's photos need.
    stop_.request_stop();
    stop_ = std::stop_source();
    generation_ = doc_.Generation();
    busy_ = true;
    // The names are copied: the tasks share nothing with the document.
    watcher_.setFuture(QtConcurrent::mapped(
        &pool_, QList<QString>{doc_.Image1, doc_.Image2},
        [decode = decode_, stop = stop_.get_token()](const QString &path) { return decode(path, stop); }));
    if (window_ == nullptr || !window_->isVisible() || (doc_.Image1.isEmpty() && doc_.Image2.isEmpty())) {
        if (progress_ != nullptr)
            progress_->hide();
        return;
    }
    // One window for every year changed to while photos load: once painted, it only changes
    // its title, where a new window each time would show an empty box until painted.
    if (progress_ == nullptr)
        progress_ = new CLoadImageFiles(doc_, window_);
    progress_->SetTitle(doc_.GetTitle());
    progress_->show();
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
    if (progress_ != nullptr)
        progress_->hide();
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
